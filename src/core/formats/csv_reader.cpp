// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/csv_reader.h"

namespace ribodex {
namespace {

char SeparatorOf(std::string_view text) {
    std::size_t commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\r' || c == '\n') break;
        if (c == ',') ++commas;
        if (c == ';') ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

}  // namespace

std::vector<std::vector<std::string>> ReadCsvRecords(std::string_view text) {
    const char separator = SeparatorOf(text);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false, fieldStarted = false;
    const auto endRecord = [&] {
        if (fieldStarted || !record.empty()) {
            record.push_back(std::move(field));
            records.push_back(std::move(record));
        }
        record.clear();
        field.clear();
        fieldStarted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field.push_back(c);
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            record.push_back(std::move(field));
            field.clear();
            fieldStarted = true;  // "a," holds two fields
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endRecord();
        } else {
            field.push_back(c);
            fieldStarted = true;
        }
    }
    endRecord();
    return records;
}

}  // namespace ribodex
