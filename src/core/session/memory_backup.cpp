// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/memory_backup.h"

#include <algorithm>
#include <utility>

#include "core/device/gsm_device.h"
#include "core/device/phone_book_storage.h"

namespace ribodex {

MemoryRead ReadWholeMemory(GsmDevice& device, std::vector<PhoneBookEntry>& entries) {
    entries.clear();
    device.ReadAllEntries();
    if (!device.rangeKnown) return MemoryRead::NoRange;
    if (!device.LastReadComplete()) return MemoryRead::Incomplete;
    entries.assign(device.entries.begin(), device.entries.end());
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.index < b.index; });
    return MemoryRead::Read;
}

PlanTarget PlanTargetOf(GsmDevice& device, std::vector<PhoneBookEntry> held) {
    PlanTarget target;
    target.ucs2Offered = device.ucs2Offered;
    target.gsmNameLength = device.nameLength;
    target.ucs2NameLength = device.ucs2Offered ? device.NameLimit(NameSet::Ucs2) : 0;
    target.numberLength = device.numberLength;
    target.first = device.firstIndex;
    target.last = device.lastIndex;
    target.held = std::move(held);
    return target;
}

std::size_t MemoryBackup::SavedMemories() const {
    return static_cast<std::size_t>(std::count_if(memories.begin(), memories.end(),
                                                  [](const MemorySaved& m) { return m.result == MemoryRead::Read; }));
}

MemoryBackup ReadEveryMemory(GsmDevice& device) {
    MemoryBackup backup;
    const int selected = device.selectedPhoneBook;
    const int offered = device.QueryPhoneBooks();
    std::vector<const PhoneBookStorageInfo*> order;
    for (const PhoneBookStorageInfo& info : kPhoneBookStorages)
        if ((offered & info.code) != 0 && info.code != selected) order.push_back(&info);
    const PhoneBookStorageInfo* current = FindPhoneBookStorage(selected);
    if (current && (offered & current->code) != 0) order.push_back(current);

    std::vector<std::vector<PhoneBookEntry>> read(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        MemorySaved saved{std::string(order[i]->atName)};
        if (!device.SelectPhoneBook(order[i]->code)) {
            saved.result = MemoryRead::NotSelected;
        } else {
            device.ClearEntries();
            saved.result = ReadWholeMemory(device, read[i]);
            saved.count = read[i].size();
        }
        backup.memories.push_back(saved);
    }
    // Back into code order: the file and the report list the memories as every list does.
    std::vector<std::size_t> byCode(order.size());
    for (std::size_t i = 0; i < byCode.size(); ++i) byCode[i] = i;
    std::sort(byCode.begin(), byCode.end(), [&order](std::size_t a, std::size_t b) { return order[a]->code < order[b]->code; });
    std::vector<MemorySaved> memories;
    for (std::size_t i : byCode) {
        memories.push_back(backup.memories[i]);
        for (const PhoneBookEntry& entry : read[i]) backup.entries.push_back({memories.back().memory, entry});
    }
    backup.memories = std::move(memories);
    return backup;
}

}  // namespace ribodex
