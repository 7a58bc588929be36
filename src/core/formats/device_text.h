// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ribodex {

// Text from outside the program (a vCard file, another program's clipboard) made fit for a
// phone book entry. Pure functions.

struct StorableName {
    std::string text;     // UTF-8; every character survives the device's character sets
    std::u32string lost;  // the characters that became a space, in order
};

// A UTF-8 name as the device can hold it: a control character, and each character that
// neither the GSM alphabet (within a quoted field) nor, when the device offers it, UCS2
// can carry becomes a space and is listed in lost; spaces at both ends are dropped. Text
// that is not valid UTF-8 is taken as Windows-1252.
StorableName ToStorableName(std::string_view utf8, bool ucs2Offered = false);

// "é (U+00E9), € (U+20AC)": the characters for a message; control characters by code only.
std::string DescribeCharacters(const std::u32string& characters);

// A telephone number as a phone book holds it (CleanNumber); nullopt when what remains is
// no dial string.
std::optional<std::string> ToStorableNumber(std::string_view tel);

}  // namespace ribodex
