// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/contact_file.h"

#include "core/formats/cp1252.h"
#include "core/formats/csv_contacts.h"
#include "core/formats/csv_reader.h"

namespace ribodex {
namespace {

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
        char32_t unit = bigEndian ? (byte(i) << 8 | byte(i + 1)) : (byte(i + 1) << 8 | byte(i));
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = bigEndian ? (byte(i + 2) << 8 | byte(i + 3)) : (byte(i + 3) << 8 | byte(i + 2));
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                unit = 0xFFFD;
            }
        } else if (unit >= 0xD800 && unit < 0xE000) {
            unit = 0xFFFD;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i]) return false;
    }
    return true;
}

}  // namespace

std::string ContactFileText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    else if (bytes.substr(0, 2) == "\xFF\xFE") return FromUtf16(bytes.substr(2), false);
    else if (bytes.substr(0, 2) == "\xFE\xFF") return FromUtf16(bytes.substr(2), true);
    if (Utf8CodePoints(bytes)) return std::string(bytes);
    return Cp1252ToUtf8(bytes);
}

std::optional<ContactFormat> DetectContactFormat(std::string_view bytes) {
    const std::string text = ContactFileText(bytes.substr(0, 64 * 1024));
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::nullopt;
    const std::string_view start = std::string_view(text).substr(first);
    if (StartsWithNoCase(start, "BEGIN:VCARD")) return ContactFormat::VCard;
    const std::vector<std::vector<std::string>> records = ReadCsvRecords(start.substr(0, start.find_first_of("\r\n")));
    if (!records.empty() && DetectCsvShape(records.front()) != CsvShape::Unknown) return ContactFormat::Csv;
    return std::nullopt;
}

std::vector<VCardContact> ReadContacts(std::string_view bytes, ContactFormat format) {
    if (format == ContactFormat::Csv) return ReadCsvContacts(ContactFileText(bytes));
    // A vCard names the charset of each value itself; only a UTF-16 file needs decoding.
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") return ReadVCards(ContactFileText(bytes));
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return ReadVCards(bytes);
}

}  // namespace ribodex
