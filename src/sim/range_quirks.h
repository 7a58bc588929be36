// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <vector>

#include "sim/modem_simulator.h"

namespace ribodex::sim {

// Which entries a range read lists, and in what order, under the quirks of config.range:
// first..last (already checked against the memory) clipped to the cap, ascending, or
// descending with the first one listed again at the end. capped tells that the range was
// longer than the cap (the answer then ends with an error).
std::vector<int> ListedIndices(const std::map<int, SimEntry>& entries, int first, int last,
                               const RangeQuirks& quirks, bool& capped);

}  // namespace ribodex::sim
