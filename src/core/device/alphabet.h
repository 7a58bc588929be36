#pragma once

#include <string>
#include <string_view>

namespace ribodex {

// Byte for byte between Windows-1252 and the GSM default alphabet; same length out as in.
// Characters outside the common subset become a space; from the device, bytes of 0x80 and
// above (not GSM at all) become a space too.
std::string ConvertAlphabet(std::string_view text, bool toDevice);

}  // namespace ribodex
