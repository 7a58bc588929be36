// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ribodex::sim {

// One parameter of an extended command ("=..." part), white space outside quotes removed.
struct AtParam {
    std::string value;   // for a quoted parameter: the bytes between the quotes, as sent
    bool quoted = false;
    bool Empty() const { return !quoted && value.empty(); }
};

// Splits `1, "+49 30", 145,"a,b"` at commas outside quotes. nullopt on an unterminated quote
// or on text after a closing quote. An empty text gives no parameters.
std::optional<std::vector<AtParam>> ParseParams(std::string_view text);

// A plain decimal integer with an optional sign; nullopt for a quoted value, empty text,
// trailing junk or a value beyond +-1e9.
std::optional<int> ParamInt(const AtParam& param);

}  // namespace ribodex::sim
