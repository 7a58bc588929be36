// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ribodex {

// Names in the UCS2 character set of AT+CSCS (four hex digits per UTF-16 code unit, as
// GSM 07.07 sends them) and in the SIM's own name codings 0x80, 0x81 and 0x82 (3GPP TS
// 51.011 annex B), which some devices pass through as hex. Pure functions, any thread.

// Why a name has no UCS2 form: the first character outside the Basic Multilingual Plane
// (an emoji, a rare CJK character...), which a SIM cannot store.
struct Ucs2Refusal {
    char32_t codePoint = 0;
    bool invalidUtf8 = false;
};

// Upper-case hex of the name's UTF-16 code units; nullopt (and *refusal when given) for
// text that is not valid UTF-8 or holds a character above U+FFFF.
std::optional<std::string> Utf8ToUcs2Hex(std::string_view utf8, Ucs2Refusal* refusal = nullptr);

// "0418043204300436" to UTF-8; nullopt when the length is not a multiple of four, a digit
// is not hex, or a surrogate is not part of a pair (a pair gives its character).
std::optional<std::string> Ucs2HexToUtf8(std::string_view hex);

// A name field that holds a SIM coding as hex, decoded; nullopt unless it is unambiguous:
// upper- or lower-case hex only, starting 80, 81 or 82, the length its own header gives
// (0xFF padding allowed after), every character decodable and not a control character,
// and at least one character the GSM alphabet lacks (a device that had only GSM
// characters would have sent the name as such, and "8012" may be a name of digits).
std::optional<std::string> SimCodedHexToUtf8(std::string_view hex);

// A name as the device sent it while the GSM set was selected: a SIM coding passed through
// as hex when SimCodedHexToUtf8 takes it, the GSM alphabet otherwise.
std::string DeviceNameToUtf8(std::string_view deviceName);

}  // namespace ribodex
