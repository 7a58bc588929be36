// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ribodex {

// The choice of the character set a name travels in, and the device answers that choice
// rests on. Pure functions, any thread.

enum class NameSet { Gsm, Ucs2 };

struct DeviceName {
    NameSet set = NameSet::Gsm;
    std::string field;    // the quoted field of the write command: GSM bytes, or UCS2 hex
    std::string stored;   // UTF-8: the name as the device will hold it
    std::u32string lost;  // characters stored as a blank instead, in order
    std::size_t length = 0;  // places of the device's name length in that set
};

// GSM when every character has a GSM form that can stand in a quoted field (no double
// quote, carriage return, line feed or form feed), so such names go exactly as they
// always have; otherwise UCS2 when the device offers it, each character outside the Basic
// Multilingual Plane becoming a blank; otherwise GSM with each character that has no such
// form becoming a blank. Text that is not valid UTF-8 is taken as Windows-1252.
DeviceName EncodeDeviceName(std::string_view utf8, bool ucs2Offered);

// Answer to AT+CSCS=?: whether the list holds "UCS2".
bool OffersUcs2(std::string_view answer);

// Answer to AT+CPBR=?: the name length after the range and the number length
// ("+CPBR: (1-250),40,16" gives 16); nullopt when the answer holds none.
std::optional<int> ParseNameLength(std::string_view answer);
// The same answer's number length (<nlength>, digits the number field holds), or nullopt.
std::optional<int> ParseNumberLength(std::string_view answer);

// AT+CPBW=<index>, "<number>", <type>, "<hex name>" while UCS2 is selected; with hexNumber
// the number goes as UCS2 hex too (without its '+', which the type carries), for modems
// that take every text field in the selected set. nullopt for a number that is not safe.
std::optional<std::string> BuildUcs2WriteCommand(int index, std::string_view number,
                                                 std::string_view hexName, bool hexNumber,
                                                 int entryType = 0);

// A number field read while UCS2 was selected, in plain digits: modems that hex-encode
// it there give "002B00340039..." for "+49..."; nullopt when it is not such hex.
std::optional<std::string> HexNumberToPlain(std::string_view field);

}  // namespace ribodex
