// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/entry_commands.h"

#include <string>

#include "core/device/answer_parser.h"
#include "core/device/gsm_device.h"
#include "core/session/connection_flow.h"
#include "core/session/user_interface.h"

namespace ribodex {

int NewEntryIndex(std::string_view indexText) {
    return indexText.empty() ? -1 : ParseInt(indexText);
}

int CreateEntry(Session& session, const EntryFields& fields, int index, const std::vector<int>& taken) {
    WaitCursor wait(session.ui);
    GsmDevice& device = session.device;
    // Asked also for -1: the device's answer for "no location" decides, as it always has. A
    // question without an answer is no "empty": on a slow device the write would replace an
    // entry without the overwrite question.
    const LocationState location = device.ProbeLocation(index);
    if (location == LocationState::Taken &&
        !session.ui.AskYesNo(MsgOverwriteQuestion, std::to_string(index)))
        return -1;
    if (location != LocationState::Unknown) {
        if (index == -1) {
            FreeLocationSearch search;
            search.taken = taken;
            index = device.FindFreeIndex(search);
        }
        if (index != -1 && device.WriteEntry(fields.number, fields.name, index)) return index;
    }
    session.ui.ShowMessage(MsgWriteFailed);
    return -1;
}

EditOutcome RewriteEntry(Session& session, int index, const EntryFields& before,
                         const EntryFields& after) {
    if (after.number == before.number && after.name == before.name) return EditOutcome::Unchanged;
    WaitCursor wait(session.ui);
    if (session.device.WriteEntry(after.number, after.name, index)) return EditOutcome::Written;
    session.ui.ShowMessage(MsgWriteFailed);
    return EditOutcome::Failed;
}

bool DeleteSelectedEntries(Session& session, SelectedItems& items) {
    WaitCursor wait(session.ui);
    if (items.NextSelected(0) < 0) return false;
    if (!session.ui.AskYesNo(MsgDeleteQuestion)) return false;
    GsmDevice& device = session.device;
    int total = 0;
    for (int position = items.NextSelected(0); position >= 0; position = items.NextSelected(position + 1)) ++total;
    ProgressScope progress(session.ui);
    int done = 0;
    for (int position = items.NextSelected(0); position >= 0 && progress.Report(done, total);
         position = items.NextSelected(position)) {
        if (device.IsConnected() && device.DeleteEntry(items.ItemIndex(position)))
            items.RemoveItem(position);  // the next item moved up into this position
        else
            ++position;
        ++done;
    }
    return true;
}

}  // namespace ribodex
