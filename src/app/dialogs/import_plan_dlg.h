// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <vector>

#include "core/formats/contact_plan.h"

class QLabel;
class QTreeWidget;

namespace ribodex {

// "Import Contacts": the plan before anything is written, one row per number of each
// contact: the name as it will be stored, the number, the location, and a note (what was
// taken out of the number, what the name loses, or why the row is skipped). The rows to be
// written start ticked; skipped rows cannot be ticked. "Write" closes with OK; the caller
// writes the ticked rows. Modal; UI thread only.
class CImportPlanDlg : public QDialog {
    Q_OBJECT

public:
    CImportPlanDlg(const std::vector<PlanRow>& rows, QWidget* parent = nullptr);

    // The positions in rows of the ticked rows, ascending.
    std::vector<std::size_t> TickedRows() const;
    QTreeWidget* Rows() const { return list; }

    // The note of a row as the plan shows it (empty for a row written as the file has it).
    static QString RowNote(const PlanRow& row);

private:
    void UpdateSummary();

    QTreeWidget* list = nullptr;
    QLabel* summary = nullptr;
    std::vector<std::size_t> positions;  // of each item, in rows
    std::size_t skipped = 0;
};

}  // namespace ribodex
