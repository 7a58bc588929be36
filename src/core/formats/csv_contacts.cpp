// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/csv_contacts.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/formats/cp1252.h"
#include "core/formats/csv.h"
#include "core/formats/csv_reader.h"

namespace ribodex {
namespace {

constexpr auto npos = std::string_view::npos;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

// Where each column we read stands in the header.
struct Columns {
    std::optional<std::size_t> display, first, middle, last, nickname, organisation;
    std::vector<std::size_t> phones;
};

bool IsPhoneColumn(const std::string& lower) {
    if (lower.find("fax") != npos || lower.find("pager") != npos || lower.find("phonetic") != npos) return false;
    if (lower.find(" - type") != npos || lower.find(" - label") != npos) return false;
    return lower.find("phone") != npos || lower.find("mobile") != npos || lower == "number";
}

Columns FindColumns(const std::vector<std::string>& header) {
    Columns columns;
    const auto set = [](std::optional<std::size_t>& slot, std::size_t i) {
        if (!slot) slot = i;
    };
    for (std::size_t i = 0; i < header.size(); ++i) {
        std::string lower = Lower(Trimmed(header[i]));
        if (lower == "name" || lower == "display name") set(columns.display, i);
        else if (lower == "first name" || lower == "given name") set(columns.first, i);
        else if (lower == "middle name" || lower == "additional name") set(columns.middle, i);
        else if (lower == "last name" || lower == "family name") set(columns.last, i);
        else if (lower == "nickname") set(columns.nickname, i);
        else if (lower == "company" || lower == "organization" || lower == "organization 1 - name" ||
                 lower == "organization name")
            set(columns.organisation, i);
        else if (IsPhoneColumn(lower)) columns.phones.push_back(i);
    }
    return columns;
}

std::string Cell(const std::vector<std::string>& record, const std::optional<std::size_t>& column) {
    return column && *column < record.size() ? Trimmed(record[*column]) : std::string();
}

// Google's several values in one cell.
void AddNumbers(std::string_view cell, std::vector<std::string>& numbers) {
    constexpr std::string_view kJoin = ":::";
    for (;;) {
        const std::size_t at = cell.find(kJoin);
        std::string number = Trimmed(cell.substr(0, at));
        if (!number.empty()) numbers.push_back(std::move(number));
        if (at == npos) return;
        cell.remove_prefix(at + kJoin.size());
    }
}

}  // namespace

CsvShape DetectCsvShape(const std::vector<std::string>& header) {
    std::vector<std::string> lower;
    for (const std::string& column : header) lower.push_back(Lower(Trimmed(column)));
    const auto has = [&](std::string_view name) { return std::find(lower.begin(), lower.end(), name) != lower.end(); };
    if (has("phone 1 - value")) return CsvShape::Google;
    if ((has("first name") || has("display name")) &&
        (has("mobile phone") || has("mobile number") || has("home phone") || has("business phone") ||
         has("work phone") || has("primary phone")))
        return CsvShape::Outlook;
    if (lower.size() == 3 && lower[0] == "index" && lower[1] == "number" && lower[2] == "name") return CsvShape::Ribodex;
    return CsvShape::Unknown;
}

std::vector<VCardContact> ReadCsvContacts(std::string_view utf8Text) {
    const std::vector<std::vector<std::string>> records = ReadCsvRecords(utf8Text);
    std::vector<VCardContact> contacts;
    if (records.empty() || DetectCsvShape(records.front()) == CsvShape::Unknown) return contacts;
    const Columns columns = FindColumns(records.front());
    for (std::size_t r = 1; r < records.size(); ++r) {
        const std::vector<std::string>& record = records[r];
        VCardContact contact;
        contact.name = Cell(record, columns.display);
        if (contact.name.empty()) {
            for (const std::optional<std::size_t>& part : {columns.first, columns.middle, columns.last}) {
                const std::string text = Cell(record, part);
                if (text.empty()) continue;
                if (!contact.name.empty()) contact.name += ' ';
                contact.name += text;
            }
        }
        if (contact.name.empty()) contact.name = Cell(record, columns.nickname);
        if (contact.name.empty()) contact.name = Cell(record, columns.organisation);
        for (std::size_t column : columns.phones)
            if (column < record.size()) AddNumbers(record[column], contact.numbers);
        contacts.push_back(std::move(contact));
    }
    return contacts;
}

std::string WriteGoogleCsv(const std::vector<PhoneBookEntry>& entries) {
    std::string out = CsvRecord({"Name", "Phone 1 - Type", "Phone 1 - Value"});
    for (const PhoneBookEntry& entry : entries) out += CsvRecord({entry.name, "Mobile", Cp1252ToUtf8(entry.number)});
    return out;
}

}  // namespace ribodex
