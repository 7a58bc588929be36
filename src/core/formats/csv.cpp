// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/csv.h"

namespace ribodex {

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
    std::string out;
    out.reserve(field.size() + 2);
    out.push_back('"');
    for (char ch : field) {
        if (ch == '"') out.push_back('"');
        out.push_back(ch);
    }
    out.push_back('"');
    return out;
}

std::string CsvRecord(std::initializer_list<std::string_view> fields) {
    std::string record;
    bool first = true;
    for (std::string_view field : fields) {
        if (!first) record.push_back(',');
        first = false;
        record += CsvField(field);
    }
    record += "\r\n";
    return record;
}

}  // namespace ribodex
