// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/import_plan_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/formats/device_text.h"

namespace ribodex {

QString CImportPlanDlg::RowNote(const PlanRow& row)
{
    QStringList notes;
    if (!row.removed.empty() && row.fate != RowFate::NoNumber)
        notes << tr("written as \"%1\"").arg(QString::fromStdString(row.written));
    if (!row.lost.empty())
        notes << tr("the device cannot hold %1").arg(QString::fromStdString(DescribeCharacters(row.lost)));
    if (row.nameCut)
        notes << tr("name cut to the memory's length");
    if (row.name != row.contact && (!row.lost.empty() || row.nameCut))
        notes << tr("was \"%1\"").arg(QString::fromStdString(row.contact));
    switch (row.fate) {
    case RowFate::Write: break;
    case RowFate::NoNumber: notes.prepend(tr("skipped: no number")); break;
    case RowFate::NotADialString: notes.prepend(tr("skipped: a number the device cannot store")); break;
    case RowFate::NumberTooLong: notes.prepend(tr("skipped: the number is longer than the memory holds")); break;
    case RowFate::AlreadyHeld: notes.prepend(tr("already on the phone")); break;
    case RowFate::Twice: notes.prepend(tr("skipped: twice in the file")); break;
    case RowFate::NoRoom: notes.prepend(tr("skipped: no free location left")); break;
    }
    return notes.join(QStringLiteral("; "));
}

CImportPlanDlg::CImportPlanDlg(const std::vector<PlanRow>& rows, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("IDD_IMPORT_PLAN"));
    setWindowTitle(tr("Import Contacts"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("These entries will be written. Untick those you do not want."), this));
    list = new QTreeWidget(this);
    list->setObjectName(QStringLiteral("IDC_PLAN_ROWS"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({tr("Name"), tr("Number"), tr("Index"), tr("Note")});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PlanRow& row = rows[i];
        const bool writes = row.fate == RowFate::Write;
        auto* item = new QTreeWidgetItem(list);
        item->setText(0, QString::fromStdString(row.name));
        item->setText(1, QString::fromStdString(row.number));
        item->setText(2, row.location >= 0 ? QString::number(row.location) : QString());
        item->setText(3, RowNote(row));
        if (writes) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Checked);
        } else {
            item->setFlags(Qt::ItemIsSelectable);  // shown, not ticked, cannot be
            ++skipped;
        }
        positions.push_back(i);
    }
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setMinimumSize(560, 240);
    layout->addWidget(list);
    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("IDC_PLAN_SUMMARY"));
    layout->addWidget(summary);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Write"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list, &QTreeWidget::itemChanged, this, &CImportPlanDlg::UpdateSummary);
    UpdateSummary();
}

std::vector<std::size_t> CImportPlanDlg::TickedRows() const
{
    std::vector<std::size_t> ticked;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && item->checkState(0) == Qt::Checked)
            ticked.push_back(positions[static_cast<std::size_t>(i)]);
    }
    return ticked;
}

void CImportPlanDlg::UpdateSummary()
{
    summary->setText(tr("%1 to write, %2 skipped or already on the phone").arg(TickedRows().size()).arg(skipped));
}

}  // namespace ribodex
