// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets assert: a failed check aborts, so libFuzzer keeps the input.
#include <cstdlib>
#include <string_view>

namespace ribodex::fuzz {

inline void Check(bool condition) {
    if (!condition) std::abort();
}

// part lies inside whole (an empty part anywhere).
inline bool Within(std::string_view part, std::string_view whole) {
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

}  // namespace ribodex::fuzz
