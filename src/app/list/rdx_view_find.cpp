// The list's part of Edit > Find and Find Next: the search over the items' texts.
#include <QItemSelectionModel>
#include <QTreeView>

#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "app/string_table.h"
#include "core/formats/cp1252.h"
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

    // The items' names are UTF-8.
    const std::optional<std::string> what = findWhat.toStdString();
    std::optional<std::size_t> found;
    if (what)
        found = FindEntryRow(model->Rows(), start, FindRequest{*what, matchWholeField, matchCase, searchDown});
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
