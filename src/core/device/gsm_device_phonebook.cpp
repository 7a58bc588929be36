// The entry list, and reading, writing and deleting the entries of the selected memory.
#include <algorithm>
#include <limits>

#include "core/device/alphabet.h"
#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/gsm_device.h"

namespace ribodex {

void GsmDevice::StoreEntry(int index, std::string_view number, std::string_view deviceName) {
    std::string name = ConvertAlphabet(deviceName, false);
    if (const auto it = entryPositions.find(index); it != entryPositions.end()) {
        PhoneBookEntry& existing = entryList[it->second];
        existing.number.assign(number);
        existing.name = std::move(name);
        return;
    }
    entryList.push_back(PhoneBookEntry{index, std::string(number), std::move(name)});
    entryPositions.emplace(index, entryList.size() - 1);
}

const PhoneBookEntry* GsmDevice::FindEntry(int index) const {
    const auto it = entryPositions.find(index);
    return it == entryPositions.end() ? nullptr : &entryList[it->second];
}

void GsmDevice::ClearEntries() {
    entryList.clear();
    entryPositions.clear();
}

void GsmDevice::QueryPhoneBookInfo() {
    const auto range = ParsePhoneBookRange(Exchange(kPhoneBookInfoCommand, timing.commandLimitMs));
    if (!range) return;
    firstIndex = range->first;
    lastIndex = range->second;
}

bool GsmDevice::ReadEntry(int index) {
    const std::string answer = Exchange(BuildReadEntryCommand(index), timing.commandLimitMs);
    const std::optional<EntryAnswer> entry = ParseEntryAnswer(answer);
    if (!entry) return false;
    StoreEntry(index, entry->number, entry->deviceName);
    return true;
}

int GsmDevice::ReadAllEntries() {
    QueryPhoneBookInfo();
    ClearEntries();
    const std::string answer =
        Exchange(BuildReadRangeCommand(firstIndex, lastIndex), timing.fullReadLimitMs);
    const std::size_t count = ParseEntryList(answer, [this](EntryLine&& line) {
        StoreEntry(line.index, line.number, line.deviceName);
    });
    return static_cast<int>(count);
}

bool GsmDevice::WriteEntry(std::string_view number, std::string_view name, int index) {
    FreeLocationSearch search;
    return WriteEntry(number, name, index, search);
}

bool GsmDevice::WriteEntry(std::string_view number, std::string_view name, int index,
                           FreeLocationSearch& search) {
    const std::string deviceName = ConvertAlphabet(name, true);
    // Refused before the search for a free location, so a bad text sends nothing at all.
    if (!IsSafeQuotedField(number) || !IsSafeQuotedField(deviceName)) return false;
    const bool searched = index == -1;
    if (searched) {
        // Nothing of the run has come free since: probing the whole memory again for every
        // further record would keep the window busy for minutes on a full SIM.
        if (search.ended) return false;
        index = FindFreeIndex(search);
        if (index == -1) {
            search.ended = true;
            return false;
        }
        search.from = index;  // every location below it was found taken
    }
    const std::optional<std::string> line = BuildWriteEntryCommand(index, number, deviceName);
    if (!line || !HasOk(Exchange(*line, timing.commandLimitMs))) return false;
    if (searched && index < std::numeric_limits<int>::max()) search.from = index + 1;
    return true;
}

bool GsmDevice::DeleteEntry(int index) {
    return HasOk(Exchange(BuildDeleteEntryCommand(index), timing.commandLimitMs));
}

int GsmDevice::FindFreeIndex(int from) {
    FreeLocationSearch search;
    search.from = from;
    return FindFreeIndex(search);
}

}  // namespace ribodex
