// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/device/phone_book_entry.h"

namespace ribodex {

// vCard text in and out of the phone book, as pure functions (the CLI's export and import
// use them; the window's clipboard can too). No state, callable from any thread.

// One contact of a vCard file, as far as a phone book can hold it.
struct VCardContact {
    std::string name;  // UTF-8: FN, else the parts of N, else NICKNAME, else ORG; trimmed
    std::vector<std::string> numbers;  // UTF-8: the TEL values in file order, as written
    // Where a card of our own backup or export came from: X-RIBODEX-MEMORY and
    // X-RIBODEX-INDEX, or X-RIBODEX-LOCATION "SM:12"; empty and -1 when not given.
    std::string memory;
    int index = -1;
    int numberType = 0;  // X-RIBODEX-TYPE; 0 when not given
};

// Every card of a vCard 2.1 or 3.0 text (4.0 where it agrees), in file order: folded lines,
// QUOTED-PRINTABLE with its soft line breaks, CHARSET (UTF-8 unless said otherwise; 8-bit
// text that is not UTF-8 is taken as Windows-1252), escaped text, property groups, several
// TEL lines, a 4.0 TEL;VALUE=uri:tel:... (its parameters after ';' dropped). Never fails: a line it cannot read is skipped, and a card without END still
// counts. Names and numbers are always valid UTF-8. Time linear in the text.
std::vector<VCardContact> ReadVCards(std::string_view text);

// The entries as vCard 3.0 text, one card each in the given order: FN and N with the name
// (Windows-1252 in, UTF-8 out), TEL with the number, and X-RIBODEX-LOCATION with the memory
// and the index ("SM:12"), left out when memory is empty (the window's list may hold another
// memory's entries than the one selected now). Lines end with CR LF and are folded at 75
// octets.
std::string WriteVCards(const std::vector<PhoneBookEntry>& entries, std::string_view memory);

// One location of a memory, as a backup holds it.
struct MemoryEntry {
    std::string memory;  // AT name, "SM"
    PhoneBookEntry entry;
};

// A backup: vCard 3.0 as WriteVCards writes it, each card with X-RIBODEX-MEMORY,
// X-RIBODEX-INDEX and X-RIBODEX-TYPE (the number type the device gave, else the one a write
// takes for the number) instead of X-RIBODEX-LOCATION.
std::string WriteBackupVCards(const std::vector<MemoryEntry>& entries);

// The cards of a backup that name a memory and a location, in file order; the others are
// counted in skipped.
std::vector<MemoryEntry> ReadBackupVCards(std::string_view text, std::size_t* skipped = nullptr);

}  // namespace ribodex
