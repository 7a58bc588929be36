// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/pin_dlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/string_table.h"

namespace ribodex {

QLineEdit* NewSecretEdit(const char* name, const std::string& text, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(20);
    edit->setText(FromCp1252(text));  // the limit cuts a longer text here already
    return edit;
}

QLabel* NewAttemptsLabel(int attemptsLeft, QWidget* parent)
{
    auto* label = new QLabel(QCoreApplication::translate("ribodex::CPinDlg", "Attempts left: %1").arg(attemptsLeft), parent);
    label->setObjectName(QStringLiteral("IDC_ATTEMPTS"));
    label->setHidden(attemptsLeft < 0);
    return label;
}

void RequireText(QLineEdit* edit, QDialogButtonBox* buttons)
{
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    auto update = [edit, ok] { ok->setEnabled(!edit->text().isEmpty()); };
    QObject::connect(edit, &QLineEdit::textChanged, ok, update);
    update();
}

CPinDlg::CPinDlg(const QString& prompt, const PinDialogData& data, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("PIN"));
    setObjectName(QStringLiteral("IDD_PIN"));

    promptLabel = new QLabel(prompt, this);
    promptLabel->setObjectName(QStringLiteral("IDC_PROMPT"));
    promptLabel->setWordWrap(true);
    pinEdit = NewSecretEdit("IDC_PIN", data.pin, this);
    saveBox = new QCheckBox(tr("Save:"), this);
    saveBox->setObjectName(QStringLiteral("IDC_SAVE_PIN"));
    saveBox->setLayoutDirection(Qt::RightToLeft);
    saveBox->setChecked(data.save != 0);
    pinEdit->setWhatsThis(tr("The PIN of the SIM card in the device."));
    saveBox->setWhatsThis(tr("Remember the PIN for this port, scrambled in your settings, and enter it "
                             "by itself next time."));

    auto* pinLabel = new QLabel(tr("PIN:"), this);
    pinLabel->setBuddy(pinEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPinDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPinDlg::reject);
    RequireText(pinEdit, buttons);
    attemptsLabel = NewAttemptsLabel(data.attemptsLeft, this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(promptLabel, 0, 0, 1, 2);
    grid->addWidget(pinLabel, 1, 0);
    grid->addWidget(pinEdit, 1, 1);
    grid->addWidget(attemptsLabel, 2, 1);
    grid->addWidget(saveBox, 3, 0, 1, 2, Qt::AlignLeft | Qt::AlignAbsolute);  // the box mirrors its own alignment
    grid->addWidget(buttons, 4, 0, 1, 2);
    setMinimumWidth(320);
    pinEdit->setFocus();
}

PinDialogData CPinDlg::Data() const
{
    PinDialogData data;
    data.pin = ToCp1252(pinEdit->text().left(20));
    data.save = saveBox->isChecked() ? 1 : 0;
    return data;
}

}  // namespace ribodex
