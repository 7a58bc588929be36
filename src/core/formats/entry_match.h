// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/device/phone_book_entry.h"

namespace ribodex {

// The one rule of "already on the phone", for import, copy, restore and Find Duplicates.
// Pure functions.

// Same entry: the numbers compare equal (ComparableNumber: "+49..." is "0049...", written
// separators do not count) and the names are equal apart from blanks at their ends. Names
// are compared as the device holds them, so pass the name as it will be stored.
bool SameEntry(std::string_view nameA, std::string_view numberA, std::string_view nameB, std::string_view numberB);

// The first of held that is the same entry as name and number, or nullptr.
const PhoneBookEntry* FindSameEntry(const std::vector<PhoneBookEntry>& held, std::string_view name,
                                    std::string_view number);

// The positions (ascending) of the entries whose number another entry shares, whatever the
// names: what Find Duplicates selects. Entries without a number share nothing.
std::vector<std::size_t> DuplicatePositions(const std::vector<PhoneBookEntry>& entries);

}  // namespace ribodex
