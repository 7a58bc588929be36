// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_output.h"

#include <algorithm>
#include <cstdio>

#include "core/device/phone_book_storage.h"
#include "core/formats/cp1252.h"
#include "core/formats/csv.h"
#include "core/formats/text_export.h"

namespace ribodex::cli {

std::vector<PhoneBookEntry> SortedByIndex(std::vector<PhoneBookEntry> entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PhoneBookEntry& a, const PhoneBookEntry& b) { return a.index < b.index; });
    return entries;
}

std::string FormatEntries(std::vector<PhoneBookEntry> entries, ListFormat format,
                          Encoding encoding) {
    entries = SortedByIndex(std::move(entries));
    const bool utf8 = encoding == Encoding::Utf8;
    if (format == ListFormat::Text) {
        std::vector<ListRow> rows;
        rows.reserve(entries.size());
        for (PhoneBookEntry& entry : entries)
            rows.push_back({std::move(entry.name), std::move(entry.number), std::to_string(entry.index)});
        return ExportText(rows, {}, utf8 ? ExportEncoding::Utf8 : ExportEncoding::Cp1252);
    }
    // Names are UTF-8, numbers the device's bytes.
    std::string text = CsvRecord({"index", "number", "name"});
    for (const PhoneBookEntry& entry : entries)
        text += CsvRecord({std::to_string(entry.index), utf8 ? Cp1252ToUtf8(entry.number) : entry.number,
                           utf8 ? entry.name : Utf8ToCp1252Lossy(entry.name)});
    return text;
}

std::string FormatMemories(int offered, int selected) {
    std::string text;
    for (const PhoneBookStorageInfo& info : kPhoneBookStorages) {
        const bool isSelected = info.code == selected;
        if (!(offered & info.code) && !isSelected) continue;
        text += isSelected ? "* " : "  ";
        text += info.atName;
        text += "  ";
        text += info.text;
        text += '\n';
    }
    return text;
}

std::string_view SimStateText(SimState state) {
    switch (state) {
    case SimReady: return "READY";
    case SimPinRequired: return "SIM PIN";
    case SimPukRequired: return "SIM PUK";
    case SimPin2Required: return "SIM PIN2";
    case SimPuk2Required: return "SIM PUK2";
    case PhoneLockRequired: return "PH-SIM PIN";
    case PhoneLockPukRequired: return "PH-SIM PUK";
    case NetworkLockRequired: return "PH-NET PIN";
    default: return "unknown";
    }
}

bool ToDeviceText(std::string_view utf8, std::string& cp1252, std::string& problem) {
    Cp1252Refusal refusal;
    std::optional<std::string> converted = Utf8ToCp1252(utf8, &refusal);
    if (converted) {
        cp1252 = std::move(*converted);
        return true;
    }
    if (refusal.invalidUtf8) {
        problem = "\"" + Utf8ToCp1252Lossy(utf8) + "\" is not valid UTF-8 (byte " +
                  std::to_string(refusal.offset + 1) + ")";
        problem = Cp1252ToUtf8(problem);
    } else {
        problem = "\"" + std::string(utf8) + "\" holds " + CodePointName(refusal.codePoint) +
                  ", which has no Windows-1252 form";
    }
    return false;
}

bool IsSafeQuotedText(std::string_view text, std::string& problem) {
    for (char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte == '"') {
            problem = "a double quote cannot be sent: it would end the quoted text early";
            return false;
        }
        if (byte < 0x20 || byte == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", byte);
            problem = std::string("the control character ") + code +
                      " cannot be sent: it would end or break the command line";
            return false;
        }
    }
    return true;
}

}  // namespace ribodex::cli
