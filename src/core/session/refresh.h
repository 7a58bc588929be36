// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "core/device/phone_book_entry.h"

namespace ribodex {

class GsmDevice;
struct Session;

// The list that a refresh fills and a change updates: the view's model implements it.
// Called on the UI thread by the session code only.
class ListSink {
public:
    virtual ~ListSink() = default;
    virtual void DeleteAllItems() = 0;
    // Appends one item at the end with the three column texts.
    virtual void AddItem(std::string_view indexText, std::string_view number, std::string_view name) = 0;
    // The locations the items stand for (their Index column), in any order.
    virtual std::vector<int> ItemIndices() const = 0;
    // Between refreshes, with what the device confirmed: the item of index shows entry (a
    // new item goes where the list's current order puts it; an existing one keeps its
    // place and selection), or goes when entry is null.
    virtual void UpdateItem(int index, const PhoneBookEntry* entry) = 0;
    // After a refresh filled the list: whether it holds the whole memory (false after a stop,
    // a read without its final result or names that did not arrive).
    virtual void ReadEnded(bool /*whole*/) {}
};

// Rebuilds the list from the device under the wait cursor: runs ConnectDevice first when
// session.connected is 0 and returns false without touching list or status bar when that
// fails. Otherwise empties the list, shows the transfer text, queries the range, waits
// device.timing.beforeFullReadMs, reads all entries and adds one item per stored index from
// firstIndex to lastIndex in ascending order, then shows the idle prompt; true. A read
// that got no final result in time (a silent or unplugged device) shows what arrived until
// then and message 166; after a lost line connected becomes 0, so the next refresh
// connects anew. A memory without a usable range is not read: message 2303 for a SIM still
// busy, 2304 otherwise, 166 without an answer. A refused range query asks the SIM state
// first: a device plugged in again that wants its PIN or PUK gets ConnectDevice with the
// PIN check (false when that fails). A full read the device refused (ERROR) is not
// reported: the list is empty.
// The entries received against the range show as progress, which ends before message 166
// shows; a stop (during the wait: no read at all) keeps the entries that arrived whole and
// shows no message. ReadEnded tells the list whether it is whole.
bool RefreshList(Session& session, ListSink& list);

// After a change of the locations written (or deleted): reads them back, neighbours in one
// range read (PlanReadBack over the list's items), and updates every location of each range
// read, so the list holds what the device confirmed as a refresh would, without the wait
// and the full read. A range without a final result in time falls back to RefreshList.
// Nothing when written is empty. The caller holds the wait cursor.
void UpdateWrittenLocations(Session& session, ListSink& list, const std::vector<int>& written);

// Step 8 alone: the items for what the device object holds now, in ascending index order.
void AddStoredEntries(const GsmDevice& device, ListSink& list);

}  // namespace ribodex
