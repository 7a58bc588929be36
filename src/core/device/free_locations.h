// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <utility>
#include <vector>

namespace ribodex {

// Where new entries go and what to read back, planned from the locations known to be taken
// (the window's list, or one range read): pure functions, no device traffic. taken may be
// in any order and hold duplicates or locations outside first..last; they are ignored there.

// The lowest location of first..last at or above from that is not in taken; nullopt when
// there is none (also when first > last).
std::optional<int> NextFreeLocation(const std::vector<int>& taken, int first, int last, long long from);

// The lowest count such locations from first on, ascending; fewer when fewer are free.
std::vector<int> PlanFreeLocations(const std::vector<int>& taken, int first, int last, std::size_t count);

// How many locations of first..last are not in taken.
long long FreeLocationCount(const std::vector<int>& taken, int first, int last);

using LocationRange = std::pair<int, int>;  // first, last (inclusive)

// The range reads that bring back the written locations: neighbours share one read unless
// more than kReadBackJoin known entries lie between them, whose lines would cost more on the
// wire than the second command's own exchange (its echo, final result and answer delay). An
// empty location inside a range costs nothing. Every written location is in one range; the
// ranges are ascending and do not overlap.
inline constexpr int kReadBackJoin = 2;
std::vector<LocationRange> PlanReadBack(std::vector<int> written, const std::vector<int>& taken);

}  // namespace ribodex
