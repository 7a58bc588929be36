// The device's work on locations planned from what is known: the search for a free location
// that confirms a candidate, and the range read that brings written locations back.
#include <algorithm>

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

std::optional<std::vector<PhoneBookEntry>> GsmDevice::ReadRange(int first, int last) {
    const std::string answer = Exchange(BuildReadRangeCommand(first, last), timing.fullReadLimitMs);
    if (!LastReadComplete()) return std::nullopt;
    std::vector<PhoneBookEntry> found;
    ParseEntryList(answer, [&](EntryLine&& line) {
        if (line.index < first || line.index > last) return;  // not an answer to this read
        StoreEntry(line.index, line.number, line.deviceName);
        found.push_back(*FindEntry(line.index));
    });
    return found;
}

}  // namespace ribodex
