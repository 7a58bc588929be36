// SPDX-License-Identifier: GPL-3.0-or-later
// The device's work on locations planned from what is known: the search for a free location
// that confirms a candidate, and the range read that brings written locations back.
#include <algorithm>
#include <map>

#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/free_locations.h"
#include "core/device/gsm_device.h"

namespace ribodex {

int GsmDevice::FindFreeIndex(const FreeLocationSearch& search) {
    QueryPhoneBookInfo();
    long long from = std::max(firstIndex, search.from);
    // Without anything known every candidate is read, which is the plain search upwards.
    while (const std::optional<int> candidate = NextFreeLocation(search.taken, firstIndex, lastIndex, from)) {
        if (!ReadEntry(*candidate)) return LastReadComplete() ? *candidate : -1;
        from = *candidate + 1LL;  // written by someone else since the list was read
    }
    return -1;
}

std::optional<std::vector<PhoneBookEntry>> GsmDevice::ReadLocations(int first, int last) {
    // An entry line takes about 50 ms at 9600 baud; the whole memory's limit at most.
    const long long span = static_cast<long long>(last) - first;
    const int limitMs = static_cast<int>(std::min<long long>(timing.commandLimitMs + span * 60, std::max(timing.fullReadLimitMs, timing.commandLimitMs)));
    const std::string answer = Exchange(BuildReadRangeCommand(first, last), limitMs);
    if (!LastReadComplete()) return std::nullopt;
    std::map<int, PhoneBookEntry> found;
    ParseEntryList(answer, [&](EntryLine&& line) {
        if (line.index < first || line.index > last) return;  // not an answer to this read
        StoreEntry(line.index, line.number, line.deviceName);
        found[line.index] = *FindEntry(line.index);
    });
    if (first != last && ClassifyFinalResult(answer) == FinalResult::Error) {
        // A refused range (longer than the device takes, or its way of saying it holds
        // nothing) tells nothing of the locations it did not list: each is read on its own,
        // as the search for a free location reads it.
        for (long long index = first; index <= last; ++index) {
            if (found.count(static_cast<int>(index)) != 0) continue;
            if (ReadEntry(static_cast<int>(index)))
                found[static_cast<int>(index)] = *FindEntry(static_cast<int>(index));
            else if (!LastReadComplete())
                return std::nullopt;
        }
    }
    // As after a full read: the names the GSM read could not carry, read again in UCS2.
    std::vector<int> unclear;
    for (const auto& [index, entry] : found)
        if (entry.name.find('?') != std::string::npos) unclear.push_back(index);
    if (ucs2Offered && !unclear.empty()) {
        RereadUcs2Names(unclear);
        for (int index : unclear) found[index] = *FindEntry(index);
    }
    std::vector<PhoneBookEntry> entries;
    for (auto& [index, entry] : found) entries.push_back(std::move(entry));
    return entries;
}

}  // namespace ribodex
