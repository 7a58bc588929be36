#include "core/session/paste.h"

#include <string_view>
#include <vector>

#include "core/device/gsm_device.h"
#include "core/formats/clipboard_records.h"
#include "core/formats/cp1252.h"
#include "core/session/connection_flow.h"
#include "core/session/refresh.h"
#include "core/session/user_interface.h"

namespace ribodex {
namespace {

}  // namespace

std::vector<ImportEntry> RecordEntries(std::string_view text) {
    std::vector<ImportEntry> entries;
    for (std::string_view record : ClipboardRecords(text))
        entries.push_back({std::string(GetClipboardField(record, 1)), Cp1252ToUtf8(GetClipboardField(record, 0))});
    return entries;
}

namespace {

// Steps 6 to 9 of the command for entries and the items counted as failed beforehand.
PasteCount RunPaste(Session& session, ListSink& list, const std::vector<ImportEntry>& entries, int skipped) {
    WaitCursor wait(session.ui);
    PasteCount count = PasteEntryList(session.device, entries, [&session](int item, int total) {
        session.ui.SetStatusNumbers(MsgPasteProgress, item, total);
    });
    count.records += skipped;
    count.failed += skipped;
    session.ui.SetIdlePrompt();
    if (count.stored > 0) RefreshList(session, list);
    if (count.failed > 0) session.ui.ShowMessage(MsgPasteIncomplete);
    return count;
}

}  // namespace

PasteCount PasteEntryList(GsmDevice& device, const std::vector<ImportEntry>& entries, const PasteProgress& progress) {
    PasteCount count;
    count.records = static_cast<int>(entries.size());
    if (!device.IsConnected()) {
        count.failed = count.records;
        return count;
    }
    FreeLocationSearch search;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (progress) progress(static_cast<int>(i) + 1, count.records);
        device.Pause(device.timing.perPastedRecordMs);
        const ImportEntry& entry = entries[i];
        if (!entry.number.empty() && device.WriteEntry(entry.number, entry.name, -1, search))
            ++count.stored;
        else
            ++count.failed;
    }
    return count;
}

PasteCount PasteRecords(GsmDevice& device, std::string_view text, const PasteProgress& progress) {
    return PasteEntryList(device, RecordEntries(text), progress);
}

PasteCount PasteEntries(Session& session, ListSink& list, std::string_view text) {
    const std::vector<ImportEntry> entries = RecordEntries(text);
    if (entries.empty()) return {};
    return RunPaste(session, list, entries, 0);
}

PasteCount PasteEntries(Session& session, ListSink& list, const std::vector<ImportEntry>& entries) {
    if (entries.empty()) return {};
    return RunPaste(session, list, entries, 0);
}

PasteCount PasteContacts(Session& session, ListSink& list, const ImportPlan& plan) {
    if (plan.entries.empty() && plan.skipped == 0) return {};
    return RunPaste(session, list, plan.entries, static_cast<int>(plan.skipped));
}

}  // namespace ribodex
