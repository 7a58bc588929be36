// SPDX-License-Identifier: GPL-3.0-or-later
// Range reads as devices with a cap or an odd order give them.
#include "sim/range_quirks.h"

#include <algorithm>

namespace ribodex::sim {

std::vector<int> ListedIndices(const std::map<int, SimEntry>& entries, int first, int last,
                               const RangeQuirks& quirks, bool& capped) {
    capped = quirks.cap > 0 && static_cast<long long>(last) - first + 1 > quirks.cap;
    std::vector<int> listed;
    if (capped && quirks.capListsNothing) return listed;
    if (capped) last = first + quirks.cap - 1;
    for (auto it = entries.lower_bound(first); it != entries.end() && it->first <= last; ++it)
        listed.push_back(it->first);
    if (quirks.outOfOrder && !listed.empty()) {
        std::reverse(listed.begin(), listed.end());
        listed.push_back(listed.front());
    }
    return listed;
}

}  // namespace ribodex::sim
