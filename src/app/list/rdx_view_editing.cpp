// SPDX-License-Identifier: GPL-3.0-or-later
// The view's Phone Book commands: New Entry, Edit Entry and Delete Entry. The device work
// and the messages are the core's; here the dialogs are shown and the items brought up to
// date.
#include <QAction>
#include <QItemSelectionModel>
#include <QTreeView>
#include <optional>
#include <string>
#include <utility>

#include "app/dialogs/entry_dlg.h"
#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/list/rdx_view.h"
#include "app/message_box.h"
#include "app/string_table.h"
#include "core/list/command_state.h"
#include "core/session/connection_flow.h"
#include "core/session/entry_commands.h"
#include "core/session/name_check.h"
#include "core/session/refresh.h"
#include "core/session/user_interface.h"

namespace ribodex {
namespace {

// The view's selection as the delete walk sees it.
class ViewSelection : public SelectedItems {
public:
    ViewSelection(PhoneBookModel& model, const QItemSelectionModel& selection)
        : model(model), selection(selection) {}

    int NextSelected(int from) const override
    {
        for (int row = from; row < model.rowCount(); ++row) {
            // Column 0 is selected in every mode (the icon view selects no other).
            if (selection.isSelected(model.index(row, NameColumn)))
                return row;
        }
        return -1;
    }
    int ItemIndex(int position) const override { return model.ItemIndex(position); }
    void RemoveItem(int position) override
    {
        removed.push_back(model.Row(position));
        model.RemoveItem(position);
    }

    // The items the walk removed (the device deleted them), from the top.
    std::vector<ListRow> removed;

private:
    PhoneBookModel& model;
    const QItemSelectionModel& selection;
};

}  // namespace

void CRdxView::ConnectEditingCommands(const CommandActions& actions)
{
    connect(actions.Get(ID_PHONEBOOK_NEW_ENTRY), &QAction::triggered, this, &CRdxView::OnNewEntry);
    connect(actions.Get(ID_PHONEBOOK_EDIT_ENTRY), &QAction::triggered, this, &CRdxView::OnEditEntry);
    connect(actions.Get(ID_PHONEBOOK_DELETE_ENTRY), &QAction::triggered, this, &CRdxView::OnDeleteEntry);
    connect(this, &CRdxView::EditRequested, this, &CRdxView::OnEditEntry);
}

std::vector<int> CRdxView::SelectedRows() const
{
    const ViewSelection selection(*model, *reportView->selectionModel());
    std::vector<int> rows;
    for (int row = selection.NextSelected(0); row >= 0; row = selection.NextSelected(row + 1))
        rows.push_back(row);
    return rows;
}

void CRdxView::OnNewEntry()
{
    WaitCursor wait(session.ui);
    CNewEntryDlg dialog(window());
    // No to the question about the name: back into the dialog, with what was typed.
    do {
        CursorLift lift;
        if (dialog.exec() != QDialog::Accepted)
            return;
    } while (!ConfirmEntryNames(CheckEntryNames(session.device, {dialog.Fields().name})));
    // The new location read back into the list rather than the whole book after a wait:
    // the list then holds what the device confirmed, as after a refresh.
    const int written = CreateEntry(session, dialog.Fields(), NewEntryIndex(dialog.IndexText()), model->ItemIndices());
    if (written != -1) {
        UpdateWrittenLocations(session, *model, {written});
        emit StateChanged();
    }
}

void CRdxView::OnEditEntry()
{
    WaitCursor wait(session.ui);
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    // Only the first selected item, also when there are more.
    const int row = rows.front();
    const int index = model->ItemIndex(row);
    const EntryFields before{model->Row(row)[NameColumn], model->Row(row)[NumberColumn]};
    CEditEntryDlg dialog(before, window());
    do {
        CursorLift lift;
        if (dialog.exec() != QDialog::Accepted)
            return;
    } while (!ConfirmEntryNames(CheckEntryNames(session.device, {dialog.Fields().name})));
    const EntryFields after = dialog.Fields();
    // In place: the item keeps its position and selection; no refresh, no re-sort. It shows
    // what the device holds after the write, read back: a device may store less than it took.
    if (RewriteEntry(session, index, before, after) == EditOutcome::Written) {
        model->SetItem(row, {after.name, after.number, std::to_string(index)});
        UpdateWrittenLocations(session, *model, {index});
    }
}

bool CRdxView::ConfirmEntryNames(const std::vector<NameCheck>& checks)
{
    QStringList tooLong;
    QStringList changed;
    for (const NameCheck& check : checks) {
        const QString name = QString::fromStdString(check.name);
        if (check.TooLong())
            tooLong << tr("\"%1\" takes %2 places; the device holds %3").arg(name).arg(check.length).arg(check.limit);
        else if (check.Changes())
            changed << tr("\"%1\" as \"%2\"").arg(name, QString::fromStdString(check.stored));
    }
    // As the vCard question does: the first ten, then how many more.
    constexpr qsizetype kShown = 10;
    for (QStringList* lines : {&tooLong, &changed}) {
        if (lines->size() > kShown) {
            const qsizetype more = lines->size() - kShown;
            lines->erase(lines->begin() + kShown, lines->end());
            *lines << tr("and %1 more").arg(more);
        }
    }
    if (!tooLong.isEmpty()) {
        ShowMessageBox(window(), tr("These names are too long for the device:\n\n%1").arg(tooLong.join(QLatin1Char('\n'))));
        return false;
    }
    if (changed.isEmpty())
        return true;
    return AskYesNoBox(window(), tr("The device cannot hold every character of these names; each of those "
                                    "characters would be stored as a blank:\n\n%1\n\nDo you want to write "
                                    "them all the same?")
                                     .arg(changed.join(QLatin1Char('\n'))));
}

void CRdxView::OnDeleteEntry()
{
    DeleteSelected();
}

std::optional<std::vector<ListRow>> CRdxView::DeleteSelected()
{
    ViewSelection selection(*model, *reportView->selectionModel());
    if (!DeleteSelectedEntries(session, selection))
        return std::nullopt;
    return std::move(selection.removed);
}

}  // namespace ribodex
