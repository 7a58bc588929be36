// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a contacts file of either kind and as a backup: nothing fails, the format
// found reads, and a backup written of what was read comes back card for card.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/formats/contact_file.h"
#include "core/formats/cp1252.h"
#include "core/formats/phone_number.h"
#include "core/formats/restore_plan.h"
#include "core/formats/vcard.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ribodex;
    using fuzz::Check;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(Utf8CodePoints(ContactFileText(bytes)).has_value());
    if (const std::optional<ContactFormat> format = DetectContactFormat(bytes)) ReadContacts(bytes, *format);
    ReadContacts(bytes, ContactFormat::VCard);

    std::size_t skipped = 0;
    const std::vector<MemoryEntry> backup = ReadBackupVCards(bytes, &skipped);
    std::vector<MemoryEntry> clean;
    for (const MemoryEntry& item : backup) {
        Check(item.memory.size() == 2 && item.entry.index >= 0);
        // What a phone gives a backup: a dial string, or no number.
        if (item.entry.number.empty() || IsDialString(item.entry.number)) clean.push_back(item);
    }
    const std::vector<MemoryEntry> back = ReadBackupVCards(WriteBackupVCards(clean));
    Check(back.size() == clean.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        Check(back[i].memory == clean[i].memory && back[i].entry.index == clean[i].entry.index);
        Check(back[i].entry.number == clean[i].entry.number);
    }
    for (const std::string& memory : BackupMemories(backup)) PlanRestore(memory, BackupOf(backup, memory), {});
    return 0;
}
