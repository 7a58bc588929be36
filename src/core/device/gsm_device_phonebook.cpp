// SPDX-License-Identifier: GPL-3.0-or-later
// The entry list, and reading, writing and deleting the entries of the selected memory.
#include <algorithm>
#include <limits>

#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/gsm_device.h"
#include "core/device/ucs2_text.h"

namespace ribodex {
namespace {

// The first chunk after a long range was refused without entries: 255 locations is the
// most common cap; a device with a lower one halves it until a range is answered.
constexpr long long kReadChunk = 255;

}  // namespace

void GsmDevice::StoreEntry(int index, std::string_view number, std::string_view deviceName, int type) {
    std::string name = DeviceNameToUtf8(deviceName);
    if (const auto it = entryPositions.find(index); it != entryPositions.end()) {
        PhoneBookEntry& existing = entryList[it->second];
        existing.number.assign(number);
        existing.name = std::move(name);
        existing.type = type;
        return;
    }
    entryList.push_back(PhoneBookEntry{index, std::string(number), std::move(name), type});
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
    const std::string answer = ExchangeWhenSimReady(kPhoneBookInfoCommand, timing.commandLimitMs);
    rangeAnswer = ClassifyFinalResult(answer);
    rangeSimBusy = IsSimBusy(answer);
    const auto range = ParsePhoneBookRange(answer);
    rangeAnswered = range.has_value();
    // A SIM still busy will refuse the read too: its range is not to be trusted now.
    if (rangeSimBusy) rangeKnown = false;
    if (!range) return;
    nameLength = ParseNameLength(answer).value_or(0);
    numberLength = ParseNumberLength(answer).value_or(0);
    firstIndex = range->first;
    lastIndex = range->second;
    rangeKnown = true;
}

bool GsmDevice::ReadEntry(int index) { return ProbeLocation(index) == LocationState::Taken; }

LocationState GsmDevice::ProbeLocation(int index) {
    const std::string answer = Exchange(BuildReadEntryCommand(index), timing.commandLimitMs);
    const LocationState state = ParseLocationState(answer, index);
    if (state == LocationState::Empty) return state;
    // Every entry under the location it names, as a full read stores it.
    const std::size_t lines = ParseEntryList(answer, [this](EntryLine&& line) {
        StoreEntry(line.index, line.number, line.deviceName, line.type);
    });
    if (lines == 0 && state == LocationState::Taken)
        if (const std::optional<EntryAnswer> entry = ParseEntryAnswer(answer))
            StoreEntry(index, entry->number, entry->deviceName, entry->type);
    return state;
}

GsmDevice::RangeAnswer GsmDevice::ReadRange(int from, int to, int done, int total) {
    EntryLineCounter counter;
    int arrived = 0;
    const std::function<void()> idle = [&] {
        if (idleHook) idleHook();
        if (readProgress && !readCancelled && !readProgress(std::min(done + arrived, total), total))
            readCancelled = true;
    };
    // Under the receive lock: counts only, the callbacks run in idle without it.
    const ReceivedWatch watch = [&](std::string_view received) {
        arrived = counter.Count(received);
        return !readCancelled;
    };
    const auto start = std::chrono::steady_clock::now();
    const std::string answer = readProgress
        ? Exchange(BuildReadRangeCommand(from, to), timing.fullReadLimitMs, watch, idle)
        : Exchange(BuildReadRangeCommand(from, to), timing.fullReadLimitMs, {}, idleHook);
    RangeAnswer result;
    ParseEntryList(answer, [&](EntryLine&& line) {
        // Only the locations asked for: anything else is not this memory's range.
        if (line.index < from || line.index > to) return;
        StoreEntry(line.index, line.number, line.deviceName, line.type);
        ++result.lines;
        result.highest = std::max<long long>(result.highest, line.index);
    });
    result.end = ClassifyFinalResult(answer);
    if (readCancelled && !LastReadComplete() && !LineLost()) {
        drainPending = true;
        drainUntil = start + std::chrono::milliseconds(timing.fullReadLimitMs);
    }
    return result;
}

int GsmDevice::ReadAllEntries() {
    QueryPhoneBookInfo();
    ClearEntries();
    readCancelled = false;
    // Without a range there is nothing to ask for: "0, 0" would read a location 0 that
    // the memory may not have, and a range kept from another memory another memory's.
    if (!rangeKnown) return 0;
    // 64-bit: a range up to INT_MAX must not overflow the chunk arithmetic.
    const long long last = lastIndex;
    const long long locations = last - firstIndex + 1;
    const int total = static_cast<int>(std::clamp<long long>(locations, 0, INT_MAX));
    long long start = firstIndex;
    // The first try is the one range command; only a refusal makes chunks of it.
    long long size = std::max<long long>(locations, 1);
    long long goodSize = 0;  // the longest range the device has answered OK
    int count = 0;
    while (start <= last) {
        const long long end = std::min(last, start + size - 1);
        const RangeAnswer range = ReadRange(static_cast<int>(start), static_cast<int>(end), count, total);
        count += range.lines;
        // A memory refused whatever the range (not allowed, SIM busy): chunks would not help.
        if (readCancelled || !LastReadComplete() || (range.end == FinalResult::Refused && range.lines == 0)) break;
        if (range.end == FinalResult::Ok || range.end == FinalResult::NotFound) {
            if (range.end == FinalResult::Ok) goodSize = std::max(goodSize, size);
            start = end + 1;
            // Back to the length that worked once a stretch of empty locations is passed.
            if (size < goodSize) size = std::min(goodSize, size * 2);
        } else if (range.highest >= start) {
            // A cap: the device listed what it could and refused the rest.
            start = range.highest + 1;
        } else if (size == 1) {
            // One location it will not read: empty on devices that answer ERROR there.
            start = end + 1;
        } else {
            size = size > kReadChunk ? kReadChunk : (size + 1) / 2;
        }
    }
    // Names the GSM read could not carry; not after a Cancel, which must stop at once.
    if (!readCancelled) ReadUcs2Names();
    return count;
}

bool GsmDevice::WriteEntry(std::string_view number, std::string_view name, int index, int type) {
    FreeLocationSearch search;
    return WriteEntry(number, name, index, search, type);
}

bool GsmDevice::WriteEntry(std::string_view number, std::string_view name, int index,
                           FreeLocationSearch& search, int type) {
    const DeviceName deviceName = EncodeName(name);
    // Refused before the search for a free location, so a bad text sends nothing at all.
    if (!IsSafeQuotedField(number) || !IsSafeQuotedField(deviceName.field)) return false;
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
    if (!WriteDeviceName(index, number, deviceName, type)) return false;
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
