// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/paste.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "core/device/free_locations.h"
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

// The lowest locations free of taken for count entries, each confirmed empty by a range
// read; fewer when the memory has fewer, or when a location gave no answer in time (it may
// be taken).
std::vector<int> ConfirmedLocations(GsmDevice& device, std::vector<int> taken, std::size_t count) {
    device.QueryPhoneBookInfo();
    std::set<int> confirmed;
    for (;;) {
        const std::vector<int> plan = PlanFreeLocations(taken, device.firstIndex, device.lastIndex, count);
        std::vector<int> open;
        for (int location : plan)
            if (confirmed.count(location) == 0) open.push_back(location);
        if (open.empty()) return plan;
        const std::optional<std::vector<PhoneBookEntry>> read = device.ReadLocations(open.front(), open.back());
        if (!read) {
            // Only the locations confirmed before the silence, from the lowest up.
            std::vector<int> sure;
            for (int location : plan) {
                if (confirmed.count(location) == 0) break;
                sure.push_back(location);
            }
            return sure;
        }
        // Each pass confirms every open location or learns one more taken: it ends.
        std::set<int> found;
        for (const PhoneBookEntry& entry : *read) found.insert(entry.index);
        for (int location : open) {
            if (found.count(location) != 0)
                taken.push_back(location);
            else
                confirmed.insert(location);
        }
    }
}

// Steps 6 to 9 of the command for entries and the items counted as failed beforehand.
PasteCount RunPaste(Session& session, ListSink& list, const std::vector<ImportEntry>& entries, int skipped) {
    WaitCursor wait(session.ui);
    GsmDevice& device = session.device;
    const std::vector<int> taken = list.ItemIndices();
    const long long sendable =
        std::count_if(entries.begin(), entries.end(), [](const ImportEntry& e) { return !e.number.empty(); });
    const long long free = FreeLocationCount(taken, device.firstIndex, device.lastIndex);
    if (device.IsConnected() && sendable > free && !session.ui.AskYesNoNumbers(MsgPasteTooMany, free, sendable)) {
        PasteCount count;
        count.records = static_cast<int>(entries.size()) + skipped;
        return count;
    }
    PasteCount count;
    {
        ProgressScope progress(session.ui, MsgStopPaste);
        count = PasteEntryList(device, entries, taken, [&](int item, int total) {
            session.ui.SetStatusNumbers(MsgPasteProgress, item, total);
            return progress.Report(item - 1, total);
        });
    }
    count.records += skipped;
    count.failed += skipped;
    session.ui.SetIdlePrompt();
    UpdateWrittenLocations(session, list, count.written);
    if (count.failed > 0) session.ui.ShowMessage(MsgPasteIncomplete);
    return count;
}

}  // namespace

PasteCount PasteEntryList(GsmDevice& device, const std::vector<ImportEntry>& entries, const std::vector<int>& taken,
                          const PasteProgress& progress) {
    PasteCount count;
    count.records = static_cast<int>(entries.size());
    if (!device.IsConnected()) {
        count.failed = count.records;
        return count;
    }
    const std::size_t sendable = static_cast<std::size_t>(
        std::count_if(entries.begin(), entries.end(), [](const ImportEntry& e) { return !e.number.empty(); }));
    const std::vector<int> locations = sendable > 0 ? ConfirmedLocations(device, taken, sendable) : std::vector<int>{};
    std::size_t next = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (progress && !progress(static_cast<int>(i) + 1, count.records)) {
            count.stopped = true;
            break;
        }
        const ImportEntry& entry = entries[i];
        if (entry.number.empty() || next >= locations.size()) {
            ++count.failed;
            continue;
        }
        device.Pause(device.timing.perPastedRecordMs);
        const int location = locations[next];
        if (device.WriteEntry(entry.number, entry.name, location)) {
            ++count.stored;
            count.written.push_back(location);
            ++next;
        } else {
            ++count.failed;
            if (!device.LastReadComplete()) ++next;
        }
    }
    return count;
}

PasteCount PasteRecords(GsmDevice& device, std::string_view text, const PasteProgress& progress) {
    return PasteEntryList(device, RecordEntries(text), {}, progress);
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
