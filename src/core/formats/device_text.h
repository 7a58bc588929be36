#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ribodex {

// Text from outside the program (a vCard file, another program's clipboard) made fit for a
// phone book entry. Pure functions.

struct StorableName {
    std::string cp1252;   // Windows-1252; every character survives the device alphabet
    std::u32string lost;  // the characters that became a space, in order
};

// A UTF-8 name as the device can hold it: each character without a Windows-1252 form,
// outside the GSM alphabet's subset, a control character, or a double quote (it would end
// the quoted field of the write command) becomes a space and is listed in lost; spaces at
// both ends are dropped. Text that is not valid UTF-8 is taken as Windows-1252.
StorableName ToStorableName(std::string_view utf8);

// A telephone number as a phone book holds it: without a "tel:" prefix and without the
// separators people write into numbers (space, '-', '.', '/', '(', ')'); nullopt when what
// remains is not digits with an optional leading '+'.
std::optional<std::string> ToStorableNumber(std::string_view tel);

}  // namespace ribodex
