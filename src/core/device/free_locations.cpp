// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/free_locations.h"

#include <algorithm>

namespace ribodex {
namespace {

std::vector<int> SortedUnique(std::vector<int> locations) {
    std::sort(locations.begin(), locations.end());
    locations.erase(std::unique(locations.begin(), locations.end()), locations.end());
    return locations;
}

}  // namespace

std::optional<int> NextFreeLocation(const std::vector<int>& taken, int first, int last, long long from) {
    const std::vector<int> sorted = SortedUnique(taken);
    // 64-bit: a range that ends at INT_MAX must not overflow the walk.
    long long candidate = std::max<long long>(first, from);
    for (auto it = std::lower_bound(sorted.begin(), sorted.end(), candidate);
         it != sorted.end() && *it == candidate; ++it)
        ++candidate;
    if (candidate > last) return std::nullopt;
    return static_cast<int>(candidate);
}

std::vector<int> PlanFreeLocations(const std::vector<int>& taken, int first, int last, std::size_t count) {
    const std::vector<int> sorted = SortedUnique(taken);
    std::vector<int> plan;
    auto it = std::lower_bound(sorted.begin(), sorted.end(), first);
    for (long long candidate = first; candidate <= last && plan.size() < count; ++candidate) {
        if (it != sorted.end() && *it == candidate) {
            ++it;
            continue;
        }
        plan.push_back(static_cast<int>(candidate));
    }
    return plan;
}

long long FreeLocationCount(const std::vector<int>& taken, int first, int last) {
    if (first > last) return 0;
    const std::vector<int> sorted = SortedUnique(taken);
    const auto inside = std::lower_bound(sorted.begin(), sorted.end(), first);
    const auto beyond = std::upper_bound(sorted.begin(), sorted.end(), last);
    return static_cast<long long>(last) - first + 1 - (beyond - inside);
}

std::vector<LocationRange> PlanReadBack(std::vector<int> written, const std::vector<int>& taken) {
    written = SortedUnique(std::move(written));
    const std::vector<int> known = SortedUnique(taken);
    std::vector<LocationRange> ranges;
    for (int location : written) {
        if (!ranges.empty()) {
            const int end = ranges.back().second;
            const auto between = std::lower_bound(known.begin(), known.end(), location) -
                                 std::upper_bound(known.begin(), known.end(), end);
            if (between <= kReadBackJoin) {
                ranges.back().second = location;
                continue;
            }
        }
        ranges.emplace_back(location, location);
    }
    return ranges;
}

}  // namespace ribodex
