// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ribodex {

struct Session;

// The commands that change one entry at a time, once their dialog closed with OK. Each runs
// under the wait cursor on the UI thread, talks to the device of the session and shows its
// own messages through the session's user interface; the caller updates the list.

// What the entry dialogs show and hand back: the name in UTF-8, the number's bytes.
struct EntryFields {
    std::string name;
    std::string number;
};

// The index box of the new-entry dialog: -1 (the first free location) when empty, else
// the decimal value of its digits; a value beyond int saturates at INT_MAX.
int NewEntryIndex(std::string_view indexText);

// New Entry: asks the device whether the location is taken (also for -1) and, when it is,
// question 165 with the index; writes unless the answer was No. Index -1 goes to the lowest
// location not in taken (the list's items) that reads as empty, as the search of every
// location would find it while the list is current, for one read instead of one per taken
// location. The location written (the caller then updates the list), or -1: after No, with
// nothing sent, or after a refused write or no free location, with message 144 shown. A question that got no
// final result in time, or an entry line that could not be read, writes nothing and shows 144.
int CreateEntry(Session& session, const EntryFields& fields, int index, const std::vector<int>& taken);

enum class EditOutcome { Unchanged, Written, Failed };

// Edit Entry: nothing is sent when name and number are byte for byte what they were;
// otherwise writes them at index. Failed shows message 144.
EditOutcome RewriteEntry(Session& session, int index, const EntryFields& before,
                         const EntryFields& after);

// The list's selection as Delete Entry walks it, by item position.
class SelectedItems {
public:
    virtual ~SelectedItems() = default;
    // The lowest selected position at or after from, or -1.
    virtual int NextSelected(int from) const = 0;
    // The location index of the item at position (its Index column).
    virtual int ItemIndex(int position) const = 0;
    // Removes the item; the items below it move up by one.
    virtual void RemoveItem(int position) = 0;
};

// Delete Entry: nothing without a selected item; question 134; then, from the top, deletes
// each selected item's location and removes the item when the device confirmed (its OK
// says all there is to know: the location is empty). An item the device refuses stays,
// still selected, and the walk goes on below it, so it always ends. A link that is not open
// refuses every item at once (each would wait out its time limit). Shows entries deleted of
// those selected as progress; a stop ends the walk after the delete in flight. False when
// nothing was selected or the answer was No.
bool DeleteSelectedEntries(Session& session, SelectedItems& items);

}  // namespace ribodex
