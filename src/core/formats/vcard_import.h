// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ribodex {

// One entry an import or a paste writes: the name in UTF-8, ready for WriteEntry.
struct ImportEntry {
    std::string number;
    std::string name;
};

// A contact whose name the device alphabet cannot hold whole.
struct ChangedName {
    std::string original;  // UTF-8, as the contact had it
    std::string stored;    // UTF-8, what is written instead (each such character a blank)
};

struct ImportPlan {
    std::vector<ImportEntry> entries;  // one per usable telephone number, in file order
    std::vector<std::string> notes;    // UTF-8, one per thing not taken as written
    std::vector<ChangedName> changed;  // once per contact with an entry, in file order
    std::size_t skipped = 0;           // contacts without a number the device can store
    std::size_t skippedNumbers = 0;    // numbers that cannot be stored, of contacts with another
    std::size_t contacts = 0;          // cards in the text
};

// What a vCard text gives a phone book: every contact with a number, one entry per number
// (the same name for each), names made storable for a device that offers UCS2 or not. A
// note says which contact had no number, which number cannot be stored (a contact left with
// none is skipped), and which characters of a name the device cannot hold (written as
// blanks; once per contact). Pure; the command-line import and the window's Paste both
// plan with it.
ImportPlan PlanImport(std::string_view vcardText, bool ucs2Offered = false);

}  // namespace ribodex
