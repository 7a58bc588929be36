// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace ribodex {

// Comma-separated values after RFC 4180: records end with CR LF; a field that holds a comma,
// a double quote, a CR or an LF is enclosed in double quotes with each inner quote doubled.
// Every other byte (a NUL, 8-bit text in any encoding) passes unchanged, so the caller picks
// the encoding. Pure functions.

// One field, quoted only when it must be.
std::string CsvField(std::string_view field);

// The fields joined by commas, ending with CR LF.
std::string CsvRecord(std::initializer_list<std::string_view> fields);

}  // namespace ribodex
