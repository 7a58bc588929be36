// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ribodex {

// One row of the phone book list: the three column texts, UTF-8.
enum ListColumn : int { NameColumn = 0, NumberColumn = 1, IndexColumn = 2 };
using ListRow = std::array<std::string, 3>;

// Bytes as unsigned values, case-sensitive; a prefix is smaller. <0, 0 or >0.
int CompareBytes(std::string_view a, std::string_view b);
// Names: character by character, each character that Windows-1252 has by its byte there,
// every other after all of those by its code point; a prefix is smaller. For names that
// Windows-1252 can hold this is CompareBytes of their Windows-1252 bytes, the list's order
// as it always was.
int CompareNames(std::string_view a, std::string_view b);
// Index texts: the shorter is smaller, equal lengths compare as CompareBytes; for decimal
// texts without leading zeros that is numeric order.
int CompareIndexTexts(std::string_view a, std::string_view b);
// The comparison of a header click on column with its direction; 0 for an unknown column.
int CompareColumnTexts(int column, bool ascending, std::string_view a, std::string_view b);

// The view's three per-column flags: each starts ascending and flips on every click of its
// own column only.
class SortFlags {
public:
    // The direction of this click (true ascending) and flips the flag; nullopt and no change
    // for a column other than 0, 1, 2.
    std::optional<bool> Click(int column);
    bool NextAscending(int column) const;

private:
    std::array<int, 3> flags{1, 1, 1};
};

// The location index of an item from its Index column text: the leading signed decimal
// integer as "%d" reads it (leading white space skipped, optional sign); 0 when the text
// does not start with a number. Values outside int saturate instead of wrapping.
int ItemIndex(std::string_view indexText);

}  // namespace ribodex
