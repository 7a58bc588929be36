// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/pin_retries.h"

#include <vector>

#include "core/device/answer_parser.h"
#include "core/serial/serial_link.h"

namespace ribodex {
namespace {

constexpr auto npos = std::string_view::npos;

std::string_view Unquoted(std::string_view text) {
    text = Trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    return text;
}

// "3" -> 3; empty, signed, spaced inside or longer than three digits: nullopt.
std::optional<int> SmallCount(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != npos) return std::nullopt;
    return ParseInt(text);
}

// The first four comma-separated fields of text, each without its comma.
std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t comma = 0; fields.size() < 4; text.remove_prefix(comma + 1)) {
        comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == npos) break;
    }
    return fields;
}

void Take(std::optional<int>& slot, std::string_view field) {
    if (!slot) slot = SmallCount(field);
}

}  // namespace

PinRetries ParsePinRetries(std::string_view answer) {
    PinRetries retries;
    const std::size_t final = FindFinalResult(answer);
    // A device that does not know the command may still echo it, or a line of its own.
    if (final != npos && TrimLeft(answer.substr(final)).substr(0, 3) != "OK\r") return retries;
    std::size_t start = 0;
    for (std::size_t end; (end = answer.find_first_of("\r\n", start)) != npos; start = end + 1) {
        const std::string_view line = TrimLeft(answer.substr(start, end - start));
        for (std::string_view prefix : {"+CPINR:", "+CPINRE:", "^CPIN:"}) {
            if (line.substr(0, prefix.size()) != prefix) continue;
            const std::vector<std::string_view> fields = Fields(line.substr(prefix.size()));
            if (prefix == "^CPIN:") {
                // Huawei: <code>,[<times>],<puk times>,<pin times>,<puk2 times>,<pin2 times>
                if (fields.size() == 4) Take(retries.puk, fields[2]), Take(retries.pin, fields[3]);
            } else if (fields.size() >= 2 && Unquoted(fields[0]) == "SIM PIN") {
                Take(retries.pin, fields[1]);
            } else if (fields.size() >= 2 && Unquoted(fields[0]) == "SIM PUK") {
                Take(retries.puk, fields[1]);
            }
            break;
        }
    }
    return retries;
}

}  // namespace ribodex
