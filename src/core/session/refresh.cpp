#include "core/session/refresh.h"

#include <algorithm>
#include <string>
#include <vector>

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

bool RefreshList(Session& session, ListSink& list) {
    WaitCursor wait(session.ui);
    if (session.connected == 0 && !ConnectDevice(session)) return false;

    GsmDevice& device = session.device;
    list.DeleteAllItems();
    session.ui.SetStatusText(MsgTransferData, device.Port());
    device.QueryPhoneBookInfo();
    device.Pause(device.timing.beforeFullReadMs);
    device.ReadAllEntries();
    AddStoredEntries(device, list);
    session.ui.SetIdlePrompt();
    if (!device.LastReadComplete() || !device.namesComplete) {
        // Without a final result the answer may have been cut anywhere: an empty or short
        // list must not pass for the phone book. A line that is gone stays gone, so the next
        // refresh is to open the port anew (after the device was plugged in again).
        if (device.LineLost()) session.connected = 0;
        session.ui.ShowMessage(MsgReadIncomplete, device.Port());
    }
    return true;
}

}  // namespace ribodex
