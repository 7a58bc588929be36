// SPDX-License-Identifier: GPL-3.0-or-later
// The device's work on locations planned from what is known: the search for a free location
// that confirms a candidate, the one that closes the device's count of used locations, and
// the range read that brings written locations back.
#include <algorithm>
#include <map>

#include "core/device/answer_parser.h"
#include "core/device/at_command.h"
#include "core/device/free_location_probe.h"
#include "core/device/free_locations.h"
#include "core/device/gsm_device.h"

namespace ribodex {
namespace {

// One AT+CPBR=first,last. An entry line takes about 50 ms at 9600 baud: the time limit grows
// with the range from the ordinary command's, up to the whole memory's.
std::string ExchangeRange(GsmDevice& device, int first, int last) {
    const long long span = static_cast<long long>(last) - first;
    const Timing& timing = device.timing;
    const int limitMs = static_cast<int>(std::min<long long>(timing.commandLimitMs + span * 60, std::max(timing.fullReadLimitMs, timing.commandLimitMs)));
    return device.Exchange(BuildReadRangeCommand(first, last), limitMs);
}

}  // namespace

int GsmDevice::FindFreeIndex(const FreeLocationSearch& search) {
    QueryPhoneBookInfo();
    long long from = std::max(firstIndex, search.from);
    // Without anything known every candidate is read, which is the plain search upwards.
    while (const std::optional<int> candidate = NextFreeLocation(search.taken, firstIndex, lastIndex, from)) {
        const LocationState state = ProbeLocation(*candidate);
        if (state == LocationState::Empty) return *candidate;
        // No answer in time: the device may still be sending, the next answers are unsure.
        if (state == LocationState::Unknown && !LastReadComplete()) return -1;
        from = *candidate + 1LL;  // written by someone else since the list was read
    }
    return -1;
}

std::optional<int> GsmDevice::FindFreeIndexByCount() {
    QueryPhoneBookInfo();
    if (!LastReadComplete() || (firstIndex == 0 && lastIndex == 0)) return std::nullopt;
    const std::string usage = Exchange(kCurrentPhoneBookCommand, timing.commandLimitMs);
    const std::optional<int> used = ParsePhoneBookUsed(usage);
    // The count of another memory than the one selected says nothing of this one.
    if (!used || selectedPhoneBook == 0 || ParseCurrentPhoneBook(usage) != selectedPhoneBook) return std::nullopt;
    FreeLocationProbe probe(*used, firstIndex, lastIndex);
    for (FreeLocationProbe::Step step = probe.Next();; step = probe.Next()) {
        if (step.verdict == FreeLocationProbe::Verdict::Found) return step.first;
        if (step.verdict != FreeLocationProbe::Verdict::Read) return std::nullopt;
        const std::string answer = ExchangeRange(*this, step.first, step.last);
        // A refused range (too long for the device, its way of saying it holds nothing, or
        // a memory it will not read now) tells nothing of its locations: the full read
        // knows how to go on in chunks, and reading them one by one would cost more.
        const FinalResult end = ClassifyFinalResult(answer);
        if (!LastReadComplete() || (end != FinalResult::Ok && end != FinalResult::NotFound)) return std::nullopt;
        std::vector<int> taken;
        ParseEntryList(answer, [&taken](EntryLine&& line) { taken.push_back(line.index); });
        // An entry line that cannot be read still holds its location.
        if (UnreadableEntryLines(answer) != 0) return std::nullopt;
        probe.Answered(step.first, step.last, taken);
    }
}

std::optional<std::vector<PhoneBookEntry>> GsmDevice::ReadLocations(int first, int last) {
    const std::string answer = ExchangeRange(*this, first, last);
    // A line that cannot be read holds a location that must not be taken for empty.
    if (!LastReadComplete() || UnreadableEntryLines(answer) != 0) return std::nullopt;
    std::map<int, PhoneBookEntry> found;
    ParseEntryList(answer, [&](EntryLine&& line) {
        if (line.index < first || line.index > last) return;  // not an answer to this read
        StoreEntry(line.index, line.number, line.deviceName, line.type);
        found[line.index] = *FindEntry(line.index);
    });
    if (first != last && ClassifyFinalResult(answer) == FinalResult::Error) {
        // A refused range (longer than the device takes, or its way of saying it holds
        // nothing) tells nothing of the locations it did not list: each is read on its own,
        // as the search for a free location reads it.
        for (long long index = first; index <= last; ++index) {
            if (found.count(static_cast<int>(index)) != 0) continue;
            const LocationState state = ProbeLocation(static_cast<int>(index));
            if (state == LocationState::Unknown) return std::nullopt;
            if (state == LocationState::Taken) found[static_cast<int>(index)] = *FindEntry(static_cast<int>(index));
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
