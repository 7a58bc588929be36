// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/restore_plan.h"

#include <algorithm>
#include <map>

#include "core/formats/entry_match.h"

namespace ribodex {

std::vector<RestoreRow> PlanRestore(const std::string& memory, const std::vector<PhoneBookEntry>& backup,
                                    const std::vector<PhoneBookEntry>& device) {
    std::map<int, RestoreRow> rows;
    for (const PhoneBookEntry& entry : backup) {
        RestoreRow& row = rows[entry.index];
        row.memory = memory;
        row.index = entry.index;
        row.backup = entry;
        row.kind = RestoreKind::Add;
    }
    for (const PhoneBookEntry& entry : device) {
        auto [it, added] = rows.try_emplace(entry.index);
        RestoreRow& row = it->second;
        row.memory = memory;
        row.index = entry.index;
        row.device = entry;
        if (added) row.kind = RestoreKind::OnlyOnDevice;
        else row.kind = SameEntry(row.backup.name, row.backup.number, entry.name, entry.number) ? RestoreKind::Same
                                                                                                : RestoreKind::Change;
    }
    std::vector<RestoreRow> out;
    for (auto& [index, row] : rows) out.push_back(std::move(row));
    return out;
}

std::vector<std::string> BackupMemories(const std::vector<MemoryEntry>& backup) {
    std::vector<std::string> memories;
    for (const MemoryEntry& item : backup)
        if (std::find(memories.begin(), memories.end(), item.memory) == memories.end()) memories.push_back(item.memory);
    return memories;
}

std::vector<PhoneBookEntry> BackupOf(const std::vector<MemoryEntry>& backup, const std::string& memory) {
    std::vector<PhoneBookEntry> entries;
    for (const MemoryEntry& item : backup)
        if (item.memory == memory) entries.push_back(item.entry);
    return entries;
}

}  // namespace ribodex
