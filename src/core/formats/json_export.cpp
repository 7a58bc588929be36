// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/json_export.h"

#include <cstdio>

#include "core/formats/cp1252.h"

namespace ribodex {
namespace {

// A JSON string: quote, backslash and the control characters escaped.
std::string Quoted(std::string_view utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
                out += code;
            } else {
                out.push_back(c);
            }
        }
    }
    return out + "\"";
}

}  // namespace

std::string WriteJsonEntries(const std::vector<PhoneBookEntry>& entries, std::string_view memory) {
    std::string out = "{\"memory\": " + Quoted(Cp1252ToUtf8(memory)) + ", \"entries\": [";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PhoneBookEntry& entry = entries[i];
        out += i == 0 ? "\n" : ",\n";
        out += "  {\"index\": " + std::to_string(entry.index) + ", \"number\": " +
               Quoted(Cp1252ToUtf8(entry.number)) + ", \"name\": " + Quoted(entry.name) + "}";
    }
    out += entries.empty() ? "]}\n" : "\n]}\n";
    return out;
}

}  // namespace ribodex
