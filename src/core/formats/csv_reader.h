// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ribodex {

// The records of a comma-separated text as the address books write it: RFC 4180 quoting
// (a doubled quote inside quotes, line breaks inside quotes kept), records ended by CR LF,
// LF or CR alone. The separator is ',' unless the first record holds more ';' than ','
// outside quotes (what Outlook writes where the comma is the decimal mark). Never fails: an
// unclosed quote runs to the end of the text; empty lines give no record. Pure; time linear
// in the text.
std::vector<std::vector<std::string>> ReadCsvRecords(std::string_view text);

}  // namespace ribodex
