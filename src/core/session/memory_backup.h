// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/device/phone_book_entry.h"
#include "core/formats/contact_plan.h"
#include "core/formats/vcard.h"

namespace ribodex {

class GsmDevice;

enum class MemoryRead {
    Read,
    NotSelected,  // AT+CPBS refused (a memory behind PIN2, one that cannot be read now)
    NoRange,      // no index range (AT+CPBR=?)
    Incomplete,   // no final result in time: a location that did not answer may hold an entry
};

// The entries of the selected memory from one range read (the range query first), ascending
// by location; entries is left empty unless Read.
MemoryRead ReadWholeMemory(GsmDevice& device, std::vector<PhoneBookEntry>& entries);

// What a plan of writes into the selected memory needs of the device: its range, its name
// and number lengths (the UCS2 name length asked of the device the first time), and the
// entries it holds. Import, copy and restore, in the window and the CLI, plan from this.
PlanTarget PlanTargetOf(GsmDevice& device, std::vector<PhoneBookEntry> held);

struct MemorySaved {
    std::string memory;  // AT name
    MemoryRead result = MemoryRead::Read;
    std::size_t count = 0;
};

struct MemoryBackup {
    std::vector<MemoryEntry> entries;  // memory by memory, in the order of the memories
    std::vector<MemorySaved> memories;  // every memory offered, in ascending code order
    std::size_t SavedMemories() const;
};

// Every memory the device offers, each in one range read. The memory selected before is
// read last, so the device is left on it with its entries as a refresh would leave them.
MemoryBackup ReadEveryMemory(GsmDevice& device);

}  // namespace ribodex
