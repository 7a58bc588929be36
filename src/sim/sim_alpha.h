// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ribodex::sim {

// A SIM's name record (its alpha identifier) as the simulated phone stores it: GSM default
// alphabet codes with 0x1B escapes to the extension table, or, for a name the alphabet
// cannot hold, 0x80 followed by the UCS2 code units big-endian (3GPP TS 51.011 annex B).
// Pure functions.

// The characters of a stored record; a lone trailing escape shows as a blank.
std::u16string StoredToUnicode(std::string_view stored);

// The record for a name: GSM when every character has a GSM code (either table), else the
// 0x80 coding; nullopt for a lone surrogate.
std::optional<std::string> UnicodeToStored(const std::u16string& name);

// "0041004E" style hex of code units, and back (nullopt: odd length or not hex).
std::string Ucs2Hex(const std::u16string& units);
std::optional<std::u16string> FromUcs2Hex(std::string_view hex);

// The stored record as upper-case hex, as some phones pass it through in the GSM set.
std::string RecordHex(std::string_view stored);

}  // namespace ribodex::sim
