// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/entry_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "app/string_table.h"
#include "core/device/answer_parser.h"
#include "core/formats/phone_number.h"

namespace ribodex {
namespace {

QLineEdit* NewTextEdit(const char* name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(200);
    return edit;
}

}  // namespace

EntryDlg::EntryDlg(const QString& title, const char* objectName, const QString& explanation,
                   const EntryFields& fields, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setObjectName(QLatin1String(objectName));
    nameEdit = NewTextEdit("IDC_ENTRY_NAME", QString::fromStdString(fields.name), this);
    numberEdit = NewTextEdit("IDC_ENTRY_NUMBER", FromCp1252(fields.number), this);

    auto* text = new QLabel(explanation, this);
    text->setWordWrap(true);
    grid = new QGridLayout;
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AddRow(tr("Name:"), nameEdit);
    AddRow(tr("Number:"), numberEdit);
    connect(buttons, &QDialogButtonBox::accepted, this, &EntryDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EntryDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    nameEdit->setFocus();
}

void EntryDlg::AddRow(const QString& label, QWidget* field)
{
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    grid->addWidget(field, row, 1, Qt::AlignLeft);
    // Creation order would put a row added by a subclass (the index) after Cancel.
    fieldsInOrder.append(field);
    ApplyTabOrder();
}

void EntryDlg::ApplyTabOrder()
{
    QWidget* previous = nullptr;
    for (QWidget* next : fieldsInOrder + QList<QWidget*>{buttons->button(QDialogButtonBox::Ok),
                                                         buttons->button(QDialogButtonBox::Cancel)}) {
        if (previous != nullptr)
            setTabOrder(previous, next);
        previous = next;
    }
}

void EntryDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ApplyTabOrder();
}

EntryFields EntryDlg::Fields() const
{
    // What is written is the number without the separators people type into it.
    return {nameEdit->text().toStdString(), CleanNumber(ToCp1252(numberEdit->text())).number};
}

void EntryDlg::accept()
{
    if (!CleanNumber(ToCp1252(numberEdit->text())).valid) {
        ShowMessageBox(this, StringTable::Text(IDS_INVALID_NUMBER));
        numberEdit->setFocus();
        return;
    }
    QDialog::accept();
}

CNewEntryDlg::CNewEntryDlg(QWidget* parent)
    : EntryDlg(tr("New Entry"), "IDD_NEW_ENTRY", tr("Here you can create a new phone book entry."), {},
               parent)
{
    indexEdit = new QLineEdit(this);
    indexEdit->setObjectName(QStringLiteral("IDC_ENTRY_INDEX"));
    indexEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), indexEdit));
    indexEdit->setMaximumWidth(80);
    AddRow(tr("Index (optional):"), indexEdit);
}

std::string CNewEntryDlg::IndexText() const
{
    return indexEdit->text().toStdString();
}

CEditEntryDlg::CEditEntryDlg(const EntryFields& fields, QWidget* parent)
    : EntryDlg(tr("Edit Entry"), "IDD_EDIT_ENTRY", tr("Here you can edit this phone book entry."), fields,
               parent)
{
}

}  // namespace ribodex
