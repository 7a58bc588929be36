// SPDX-License-Identifier: GPL-3.0-or-later
// The vCard reader on arbitrary bytes: it never fails, gives valid UTF-8 only, and whatever
// it gave a phone book can hold is what an import plans, and is written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/formats/cp1252.h"
#include "core/formats/device_text.h"
#include "core/formats/vcard.h"
#include "core/formats/vcard_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ribodex;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<PhoneBookEntry> entries;
    for (const VCardContact& contact : ReadVCards(text)) {
        if (!Utf8CodePoints(contact.name)) std::abort();
        for (const std::string& tel : contact.numbers) {
            if (!Utf8CodePoints(tel)) std::abort();
            if (const std::optional<std::string> number = ToStorableNumber(tel))
                entries.push_back({static_cast<int>(entries.size()), *number, ToStorableName(contact.name, true).text});
        }
    }
    // What an import or a paste writes is exactly that, in the same order.
    const ImportPlan plan = PlanImport(text, true);
    if (plan.entries.size() != entries.size()) std::abort();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (plan.entries[i].number != entries[i].number || plan.entries[i].name != entries[i].name) std::abort();
    const std::vector<VCardContact> back = ReadVCards(WriteVCards(entries, "SM"));
    if (back.size() != entries.size()) std::abort();
    for (std::size_t i = 0; i < back.size(); ++i) {
        if (ToStorableName(back[i].name, true).text != entries[i].name) std::abort();
        if (back[i].numbers != std::vector<std::string>{entries[i].number}) std::abort();
    }
    return 0;
}
