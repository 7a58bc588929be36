// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/formats/vcard.h"

namespace ribodex {

// The contact lists people export as CSV, told apart by their header line. Pure functions.
enum class CsvShape {
    Unknown,
    Google,   // "Name" or "First Name"..., "Phone 1 - Value" (several numbers joined by " ::: ")
    Outlook,  // Outlook and Thunderbird: "First Name", "Last Name", "Mobile Phone"/"Mobile Number"...
    Ribodex,  // our own list: "index", "number", "name"
};

CsvShape DetectCsvShape(const std::vector<std::string>& header);

// Every record after the header as a contact (UTF-8 text in, as ContactFileText gives it):
// the name from the display name, else first, middle and last name, else the nickname,
// else the organisation; the numbers of every telephone column in column order (fax and
// pager left out), each value of a " ::: " list on its own. Empty when the header is of no
// shape we know.
std::vector<VCardContact> ReadCsvContacts(std::string_view utf8Text);

// The entries in the shape Google Contacts imports: the header "Name,Phone 1 - Type,Phone 1 -
// Value", then one record per entry (UTF-8, type "Mobile"), CR LF after each.
std::string WriteGoogleCsv(const std::vector<PhoneBookEntry>& entries);

}  // namespace ribodex
