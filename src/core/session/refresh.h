#pragma once

#include <string_view>

namespace ribodex {

class GsmDevice;
struct Session;

// The list that a refresh fills: the view's model implements it. Called on the UI thread
// during RefreshList only.
class ListSink {
public:
    virtual ~ListSink() = default;
    virtual void DeleteAllItems() = 0;
    // Appends one item at the end with the three column texts.
    virtual void AddItem(std::string_view indexText, std::string_view number, std::string_view name) = 0;
};

// Rebuilds the list from the device under the wait cursor: runs ConnectDevice first when
// session.connected is 0 and returns false without touching list or status bar when that
// fails. Otherwise empties the list, shows the transfer text, queries the range, waits
// device.timing.beforeFullReadMs, reads all entries and adds one item per stored index from
// firstIndex to lastIndex in ascending order, then shows the idle prompt; true. A read
// that got no final result in time (a silent or unplugged device) shows what arrived until
// then and message 166; after a lost line connected becomes 0, so the next refresh
// connects anew. A read the device refused (ERROR) is not reported: the list is empty.
bool RefreshList(Session& session, ListSink& list);

// Step 8 alone: the items for what the device object holds now, in ascending index order.
void AddStoredEntries(const GsmDevice& device, ListSink& list);

}  // namespace ribodex
