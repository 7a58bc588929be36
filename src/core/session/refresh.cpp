// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/refresh.h"

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "core/device/free_locations.h"
#include "core/device/gsm_device.h"
#include "core/session/connection_flow.h"
#include "core/session/user_interface.h"

namespace ribodex {

void AddStoredEntries(const GsmDevice& device, ListSink& list) {
    // The same items as looking up every index of firstIndex..lastIndex, but bounded by the
    // entries held: a device that reports a range of two billion would otherwise keep the
    // window frozen for minutes.
    std::vector<int> indices;
    indices.reserve(device.entries.size());
    for (const PhoneBookEntry& entry : device.entries)
        if (entry.index >= device.firstIndex && entry.index <= device.lastIndex)
            indices.push_back(entry.index);
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (int index : indices) {
        if (const PhoneBookEntry* entry = device.FindEntry(index))
            list.AddItem(std::to_string(index), entry->number, entry->name);
    }
}

namespace {

// A device unplugged and back wants its PIN again and answers ERROR to every phone book
// command: the refused range query is the first sign of it.
bool AskedForCodeAgain(Session& session) {
    const SimState state = session.device.GetPinState();
    return state == SimPinRequired || state == SimPukRequired;
}

// The PIN prompt as at start-up, also where the user turned the check off: the device has
// just said that it wants the code.
bool ConnectWithPinCheck(Session& session) {
    const int queryPin = session.settings.queryPin;
    session.settings.queryPin = 1;
    const bool connected = ConnectDevice(session);
    session.settings.queryPin = queryPin;
    return connected;
}

}  // namespace

bool RefreshList(Session& session, ListSink& list) {
    WaitCursor wait(session.ui);
    if (session.connected == 0 && !ConnectDevice(session)) return false;

    GsmDevice& device = session.device;
    list.DeleteAllItems();
    session.ui.SetStatusText(MsgTransferData, device.Port());
    device.QueryPhoneBookInfo();
    if (!device.rangeAnswered && device.LastReadComplete() && !device.rangeSimBusy && AskedForCodeAgain(session)) {
        if (!ConnectWithPinCheck(session)) return false;
        session.ui.SetStatusText(MsgTransferData, device.Port());
        device.QueryPhoneBookInfo();
    }
    if (!device.rangeKnown) {
        // Nothing to read: the range of the memory selected before is not this one's.
        list.ReadEnded(false);
        session.ui.SetIdlePrompt();
        session.ui.ShowMessage(!device.LastReadComplete() ? MsgReadIncomplete
                               : device.rangeSimBusy      ? MsgSimBusyNoRange
                                                          : MsgNoRange,
                               device.Port());
        if (device.LineLost()) session.connected = 0;
        return true;
    }
    bool stopped = false;
    {
        ProgressScope progress(session.ui);
        const long long span = static_cast<long long>(device.lastIndex) - device.firstIndex + 1;
        const int total = static_cast<int>(std::min<long long>(std::max<long long>(span, 0), INT_MAX));
        // The bar shows from the start of the wait. Stopped during the wait: nothing is asked
        // of the device, the list stays empty.
        const auto waiting = [&progress, total](int, int) { return progress.Report(0, total); };
        if (device.Wait(device.timing.beforeFullReadMs, waiting) && progress.Report(0, total)) {
            device.readProgress = [&progress](int received, int all) { return progress.Report(received, all); };
            device.ReadAllEntries();
            device.readProgress = nullptr;
        }
        AddStoredEntries(device, list);
        stopped = progress.Stopped();
    }
    // A read the user stopped is short by choice, not for a fault of the device.
    const bool whole = !stopped && device.LastReadComplete() && device.namesComplete;
    list.ReadEnded(whole);
    session.ui.SetIdlePrompt();
    if (!stopped && !whole) {
        // Without a final result the answer may have been cut anywhere: an empty or short
        // list must not pass for the phone book. A line that is gone stays gone, so the next
        // refresh is to open the port anew (after the device was plugged in again).
        if (device.LineLost()) session.connected = 0;
        session.ui.ShowMessage(MsgReadIncomplete, device.Port());
    }
    return true;
}

void UpdateWrittenLocations(Session& session, ListSink& list, const std::vector<int>& written) {
    if (written.empty()) return;
    GsmDevice& device = session.device;
    const std::vector<int> items = list.ItemIndices();
    for (const auto& [first, last] : PlanReadBack(written, items)) {
        const std::optional<std::vector<PhoneBookEntry>> read = device.ReadLocations(first, last);
        if (!read) {
            // What the list would show is unknown; the whole read is the way back to certain.
            RefreshList(session, list);
            return;
        }
        std::map<int, const PhoneBookEntry*> found;
        for (const PhoneBookEntry& entry : *read) found[entry.index] = &entry;
        for (int index : items)
            if (index >= first && index <= last && found.count(index) == 0) list.UpdateItem(index, nullptr);
        for (const auto& [index, entry] : found) list.UpdateItem(index, entry);
    }
}

}  // namespace ribodex
