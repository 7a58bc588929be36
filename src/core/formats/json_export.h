// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/device/phone_book_entry.h"

namespace ribodex {

// The entries as one JSON document, in the order given, numbers and names as UTF-8 strings
// (Windows-1252 in):
//   {"memory": "SM", "entries": [
//     {"index": 1, "number": "+4930123456", "name": "Anna"}
//   ]}
// Pure function.
std::string WriteJsonEntries(const std::vector<PhoneBookEntry>& entries, std::string_view memory);

}  // namespace ribodex
