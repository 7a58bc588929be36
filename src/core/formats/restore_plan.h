// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/device/phone_book_entry.h"
#include "core/formats/vcard.h"

namespace ribodex {

// What a restore would change, location by location: pure, so the preview and the writes
// are the same rows.

enum class RestoreKind {
    Add,           // in the backup, the location is empty on the device
    Change,        // the location holds another name or number
    OnlyOnDevice,  // the device holds it, the backup does not (emptied only when asked)
    Same,          // nothing to do
};

struct RestoreRow {
    std::string memory;
    int index = 0;
    RestoreKind kind = RestoreKind::Same;
    PhoneBookEntry device;  // what the location holds (Change, OnlyOnDevice, Same)
    PhoneBookEntry backup;  // what the backup holds (Add, Change, Same)
};

// The rows of one memory, ascending by location: backup holds the cards of that memory
// (of any order; a later card for the same location wins), device what it read.
std::vector<RestoreRow> PlanRestore(const std::string& memory, const std::vector<PhoneBookEntry>& backup,
                                    const std::vector<PhoneBookEntry>& device);

// The memories a backup names, each once, in the order of their first card.
std::vector<std::string> BackupMemories(const std::vector<MemoryEntry>& backup);

// The entries of one memory of a backup.
std::vector<PhoneBookEntry> BackupOf(const std::vector<MemoryEntry>& backup, const std::string& memory);

}  // namespace ribodex
