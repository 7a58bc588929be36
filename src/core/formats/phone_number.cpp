// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/phone_number.h"

namespace ribodex {
namespace {

bool StartsWithTel(std::string_view text) {
    if (text.size() < 4) return false;
    const std::string_view head = text.substr(0, 4);
    return (head[0] == 't' || head[0] == 'T') && (head[1] == 'e' || head[1] == 'E') &&
           (head[2] == 'l' || head[2] == 'L') && head[3] == ':';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string TelUriNumber(std::string_view uri) {
    uri = uri.substr(0, uri.find(';'));
    std::string out;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size()) {
            const int high = HexDigit(uri[i + 1]), low = HexDigit(uri[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(uri[i]);
    }
    return out;
}

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '-' || c == '.' || c == '/' || c == '(' || c == ')';
}

bool IsDialCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '*' || c == '#' || c == 'p' || c == 'P' || c == 'w' || c == 'W';
}

}  // namespace

CleanedNumber CleanNumber(std::string_view written) {
    const std::size_t first = written.find_first_not_of(" \t\r\n");
    written = first == std::string_view::npos ? std::string_view() : written.substr(first);
    written = written.substr(0, written.find_last_not_of(" \t\r\n") + 1);
    const std::string text = StartsWithTel(written) ? TelUriNumber(written.substr(4)) : std::string(written);
    CleanedNumber cleaned;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {  // U+00A0 in UTF-8
            cleaned.removed += ' ';
            ++i;
        } else if (c == '\r' || c == '\n') {
            // a line break of a pasted cell: white space at the end, nothing a number holds
        } else if (IsSeparator(c)) {
            cleaned.removed.push_back(c == '\t' ? ' ' : c);
        } else {
            cleaned.number.push_back(c);
        }
    }
    cleaned.valid = IsDialString(cleaned.number);
    return cleaned;
}

bool IsDialString(std::string_view number) {
    if (number.empty()) return false;
    if (number.front() == '+') number.remove_prefix(1);
    for (char c : number)
        if (!IsDialCharacter(c)) return false;
    return true;
}

int NumberTypeFor(std::string_view number) { return !number.empty() && number.front() == '+' ? 145 : 129; }

std::string ComparableNumber(std::string_view number) {
    std::string cleaned = CleanNumber(number).number;
    if (!cleaned.empty() && cleaned.front() == '+') cleaned.replace(0, 1, "00");
    for (char& c : cleaned) {
        if (c == 'P') c = 'p';
        if (c == 'W') c = 'w';
    }
    return cleaned;
}

}  // namespace ribodex
