// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ribodex::sim {

// The character sets of AT+CSCS that the simulated phone speaks. Names on the line are
// converted between the set the client chose and the GSM default alphabet the SIM stores.
enum class Charset { Gsm, Ucs2, Ira, Latin1 };

// "GSM", "UCS2", "IRA", "8859-1" (case-insensitive); nullopt for any other name.
std::optional<Charset> CharsetFromName(std::string_view name);
std::string_view CharsetName(Charset charset);

// GSM 03.38 default alphabet code (0..127) to Unicode, and back (nullopt: not in the table;
// the extension table behind 0x1B is not used).
char32_t GsmToUnicode(unsigned char code);
std::optional<unsigned char> UnicodeToGsm(char32_t ch);

// A stored name record (sim_alpha.h) as the client sees it: GSM bytes ('?' for each
// character of a UCS2 record that GSM lacks), UTF-16 hex, or one byte per character ('?'
// where IRA or Latin-1 has no such character).
std::string EncodeText(std::string_view stored, Charset charset);
// Client text to a stored record; nullopt when it is not valid in that set (odd hex, a lone
// surrogate, a byte above 0x7F in GSM, a character the GSM alphabet lacks in IRA or Latin-1).
std::optional<std::string> DecodeText(std::string_view text, Charset charset);

}  // namespace ribodex::sim
