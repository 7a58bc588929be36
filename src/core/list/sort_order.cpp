// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/list/sort_order.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "core/formats/cp1252.h"

namespace ribodex {

int CompareBytes(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

namespace {

// The sort weight of the character at pos, which it steps past. Invalid UTF-8 weighs as
// its byte taken as Windows-1252.
char32_t NameWeight(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (lead < 0x80 || pos + length > text.size()) {
        ++pos;
        return lead < 0x80 ? lead : *CodePointToCp1252(Cp1252ToCodePoint(lead));
    }
    const std::optional<std::u32string> one = Utf8CodePoints(text.substr(pos, length));
    if (!one || one->size() != 1) {
        ++pos;
        return *CodePointToCp1252(Cp1252ToCodePoint(lead));
    }
    pos += length;
    const std::optional<unsigned char> byte = CodePointToCp1252((*one)[0]);
    return byte ? *byte : 0x100 + (*one)[0];
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[j]);
        if (x < 0x80 && y < 0x80) {
            if (x != y) return x < y ? -1 : 1;
            ++i, ++j;
            continue;
        }
        const char32_t wx = NameWeight(a, i);
        const char32_t wy = NameWeight(b, j);
        if (wx != wy) return wx < wy ? -1 : 1;
    }
    if (i == a.size() && j == b.size()) return 0;
    return i == a.size() ? -1 : 1;
}

int CompareIndexTexts(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return CompareBytes(a, b);
}

int CompareColumnTexts(int column, bool ascending, std::string_view a, std::string_view b) {
    int result = 0;
    switch (column) {
    case NameColumn: result = CompareNames(a, b); break;
    case NumberColumn: result = CompareBytes(a, b); break;
    case IndexColumn: result = CompareIndexTexts(a, b); break;
    default: return 0;
    }
    return ascending ? result : -result;
}

std::optional<bool> SortFlags::Click(int column) {
    if (column < NameColumn || column > IndexColumn) return std::nullopt;
    const bool ascending = flags[column] == 1;
    flags[column] = ascending ? 0 : 1;
    return ascending;
}

bool SortFlags::NextAscending(int column) const {
    if (column < NameColumn || column > IndexColumn) return true;
    return flags[column] == 1;
}

int ItemIndex(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return 0;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace ribodex
