#include "core/list/sort_order.h"

#include <algorithm>
#include <climits>
#include <cstddef>

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

int CompareIndexTexts(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return CompareBytes(a, b);
}

int CompareColumnTexts(int column, bool ascending, std::string_view a, std::string_view b) {
    int result = 0;
    switch (column) {
    case NameColumn:
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
