// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/vcard.h"

namespace ribodex {

// A contacts file as an address book exported it, vCard or CSV. Pure functions.

enum class ContactFormat { VCard, Csv };

// The bytes of a file as UTF-8: a byte order mark dropped (UTF-16 with its mark decoded),
// UTF-8 kept, anything else taken as Windows-1252.
std::string ContactFileText(std::string_view bytes);

// vCard when the first line that is not blank begins a card; CSV when the first line is a
// header of a shape we know (DetectCsvShape); else nullopt.
std::optional<ContactFormat> DetectContactFormat(std::string_view bytes);

// The contacts of the file in the format given.
std::vector<VCardContact> ReadContacts(std::string_view bytes, ContactFormat format);

}  // namespace ribodex
