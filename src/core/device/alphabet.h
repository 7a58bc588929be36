// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ribodex {

// The GSM 03.38 default alphabet with its extension table (0x1B followed by a code: the
// euro sign, [ ] { } | \ ^ ~ and form feed) against the UTF-8 names the program holds.
// Pure functions: no state, callable from any thread.

// Device bytes to a UTF-8 name. Every code of both tables reads as its character, except
// 0x24 (the currency sign), which reads as "$" as it always has. A byte of 0x80 or above
// (not GSM at all) and an escape that ends the text or is followed by another escape become
// a blank; an escape followed by a code the extension table lacks is dropped and the code
// reads from the default table, as GSM 03.38 tells a phone to show it.
std::string GsmToUtf8(std::string_view gsm);

// The GSM form of one character: one byte, or the escape and the extension code; nullopt
// when neither table has it (the currency sign included: it would come back as "$").
std::optional<std::string> CodePointToGsm(char32_t codePoint);

// A UTF-8 name in device bytes; nullopt when it is not valid UTF-8 or holds a character
// without a GSM form. Each escaped character takes two bytes of the device's name length.
std::optional<std::string> Utf8ToGsm(std::string_view utf8);

}  // namespace ribodex
