// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/entry_match.h"

#include <map>
#include <string>

#include "core/formats/phone_number.h"

namespace ribodex {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool SameEntry(std::string_view nameA, std::string_view numberA, std::string_view nameB, std::string_view numberB) {
    return TrimBlanks(nameA) == TrimBlanks(nameB) && ComparableNumber(numberA) == ComparableNumber(numberB);
}

const PhoneBookEntry* FindSameEntry(const std::vector<PhoneBookEntry>& held, std::string_view name,
                                    std::string_view number) {
    const std::string wanted = ComparableNumber(number);
    for (const PhoneBookEntry& entry : held)
        if (ComparableNumber(entry.number) == wanted && TrimBlanks(entry.name) == TrimBlanks(name)) return &entry;
    return nullptr;
}

std::vector<std::size_t> DuplicatePositions(const std::vector<PhoneBookEntry>& entries) {
    std::map<std::string, std::vector<std::size_t>> byNumber;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string key = ComparableNumber(entries[i].number);
        if (!key.empty()) byNumber[std::move(key)].push_back(i);
    }
    std::vector<bool> shared(entries.size(), false);
    for (const auto& [key, positions] : byNumber)
        if (positions.size() > 1)
            for (std::size_t position : positions) shared[position] = true;
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < shared.size(); ++i)
        if (shared[i]) found.push_back(i);
    return found;
}

}  // namespace ribodex
