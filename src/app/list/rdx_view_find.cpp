// SPDX-License-Identifier: GPL-3.0-or-later
// The list's part of Edit > Find and Find Next: the search over the items' texts.
#include <QItemSelectionModel>
#include <QTreeView>

#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "app/string_table.h"
#include "core/list/find_match.h"

namespace ribodex {

bool CRdxView::FindEntryText(const QString& findWhat, bool matchWholeField, bool matchCase,
                             bool searchDown)
{
    if (model->rowCount() == 0)
        return false;
    BusyCursor busy;
    QItemSelectionModel* selection = reportView->selectionModel();
    std::optional<std::size_t> start;
    for (const QModelIndex& index : selection->selectedIndexes()) {
        if (!start || std::size_t(index.row()) < *start)
            start = std::size_t(index.row());
    }
    selection->clear();  // selected and focused state of every item

    // Compared as the user reads them: a text typed or pasted in decomposed form (o and a
    // combining diaeresis) finds the precomposed letter, and without Match Case a capital
    // of any script finds its small letter.
    const auto key = [matchCase](const QString& text) {
        const QString composed = text.normalized(QString::NormalizationForm_C);
        return matchCase ? composed : composed.toCaseFolded().normalized(QString::NormalizationForm_C);
    };
    const QString pattern = key(findWhat);
    const auto matches = [&](std::size_t row) {
        for (int column : {NameColumn, NumberColumn}) {
            const QString shown = key(model->index(int(row), column).data().toString());
            if (matchWholeField ? shown == pattern : shown.contains(pattern))
                return true;
        }
        return false;
    };
    // Two passes, as FindEntryRow makes them: from the start row on, then the whole list.
    const auto rowCount = std::size_t(model->rowCount());
    std::optional<std::size_t> current = start && *start < rowCount ? start : std::nullopt;
    std::optional<std::size_t> found;
    for (int pass = 0; pass < 2 && !found; ++pass) {
        while (!found && (current = NextFindRow(rowCount, current, searchDown))) {
            if (matches(*current))
                found = current;
        }
    }
    if (!found) {
        ShowMessageBox(window(), StringTable::Text(IDS_NO_ENTRY_FOUND));
        return false;
    }
    const QModelIndex index = model->index(int(*found), 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (auto* shown = qobject_cast<QAbstractItemView*>(currentWidget()))
        shown->scrollTo(index, QAbstractItemView::EnsureVisible);
    return true;
}

}  // namespace ribodex
