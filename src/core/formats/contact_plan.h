// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/device/phone_book_entry.h"
#include "core/formats/vcard.h"

namespace ribodex {

// What an import or a copy will do, row by row, before anything is written: pure, so the
// window's plan dialog, the command line and the tests see the same rows.

enum class RowFate {
    Write,           // goes to location
    NoNumber,        // the contact has no number at all
    NotADialString,  // a number the device cannot store
    NumberTooLong,   // more digits than the memory's number length
    AlreadyHeld,     // the same name and number are in the memory
    Twice,           // the same name and number came earlier in the file
    NoRoom,          // no free location left for it
};

struct PlanRow {
    std::string contact;   // UTF-8, the name as the file has it
    std::string name;      // UTF-8, as it will be stored
    std::string written;   // the number as the file has it
    std::string number;    // as it will be stored
    std::string removed;   // the separators taken out of the number
    std::u32string lost;   // the name's characters the device cannot hold (stored as blanks)
    bool nameCut = false;  // cut to the memory's name length
    std::size_t contactIndex = 0;  // which contact of the file, from 0
    int location = -1;     // Write: where it goes; AlreadyHeld: where it is
    RowFate fate = RowFate::Write;
};

// The memory an import writes into, as read just before.
struct PlanTarget {
    bool ucs2Offered = false;
    int gsmNameLength = 0;   // places of a GSM name; 0: not known, nothing is cut
    int ucs2NameLength = 0;  // places of a UCS2 name; 0: not known
    int numberLength = 0;    // digits of a number (a leading '+' not counted); 0: not known
    int first = 1, last = 0;             // the memory's range
    std::vector<PhoneBookEntry> held;    // what it holds (UTF-8 names)
};

// One row per number of each contact (a contact without one gives a NoNumber row), in file
// order; the rows to write get the lowest free locations in order.
std::vector<PlanRow> PlanContacts(const std::vector<VCardContact>& contacts, const PlanTarget& target);

// The same for entries of another memory (Copy Memory To).
std::vector<PlanRow> PlanEntries(const std::vector<PhoneBookEntry>& entries, const PlanTarget& target);

// How many rows are of that fate.
std::size_t CountRows(const std::vector<PlanRow>& rows, RowFate fate);

// English lines for the command line: what became of the row's number (empty when it is
// written as the file has it), and what the device makes of the contact's name (empty
// when it is stored as it is).
std::string DescribeRow(const PlanRow& row);
std::string DescribeName(const PlanRow& row);

}  // namespace ribodex
