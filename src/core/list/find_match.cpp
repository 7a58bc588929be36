// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/list/find_match.h"

namespace ribodex {
namespace {

unsigned char UpperByte(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z') return static_cast<unsigned char>(byte - 0x20);
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<unsigned char>(byte - 0x20);
    switch (byte) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return byte;
    }
}

}  // namespace

std::string UpperCp1252(std::string_view text) {
    std::string upper(text);
    for (char& ch : upper) ch = static_cast<char>(UpperByte(static_cast<unsigned char>(ch)));
    return upper;
}

bool FieldsMatch(std::string_view name, std::string_view number, std::string_view pattern,
                 bool matchWholeField) {
    if (matchWholeField) return name == pattern || number == pattern;
    return name.find(pattern) != std::string_view::npos ||
           number.find(pattern) != std::string_view::npos;
}

std::optional<std::size_t> NextFindRow(std::size_t rowCount, std::optional<std::size_t> current,
                                       bool searchDown) {
    if (rowCount == 0) return std::nullopt;
    if (searchDown) {
        const std::size_t next = current ? *current + 1 : 0;
        return next < rowCount ? std::optional(next) : std::nullopt;
    }
    if (!current) return rowCount - 1;
    return *current > 0 ? std::optional(*current - 1) : std::nullopt;
}

std::optional<std::size_t> FindEntryRow(std::span<const ListRow> rows,
                                        std::optional<std::size_t> start,
                                        const FindRequest& request) {
    if (rows.empty()) return std::nullopt;
    const std::string pattern =
        request.matchCase ? request.findWhat : UpperCp1252(request.findWhat);
    auto matches = [&](const ListRow& row) {
        if (request.matchCase)
            return FieldsMatch(row[NameColumn], row[NumberColumn], pattern, request.matchWholeField);
        return FieldsMatch(UpperCp1252(row[NameColumn]), UpperCp1252(row[NumberColumn]), pattern,
                           request.matchWholeField);
    };
    // A start row the list no longer has counts as none.
    std::optional<std::size_t> current = start && *start < rows.size() ? start : std::nullopt;
    for (int pass = 0; pass < 2; ++pass) {
        while ((current = NextFindRow(rows.size(), current, request.searchDown))) {
            if (matches(rows[*current])) return current;
        }
    }
    return std::nullopt;
}

}  // namespace ribodex
