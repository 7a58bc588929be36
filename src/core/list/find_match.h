// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/list/sort_order.h"

namespace ribodex {

// Find over the list's texts: which rows are examined in which order, and whether a row
// matches. Pure functions over Windows-1252 bytes; no state, callable from any thread.

// The search the user asked for (the find dialog's text and options).
struct FindRequest {
    std::string findWhat;          // Windows-1252; Find Next never searches for ""
    bool matchWholeField = false;  // the whole Name or Number must equal the text
    bool matchCase = false;        // off: both sides upper-cased first (UpperCp1252)
    bool searchDown = true;        // false: towards the top of the list
};

// Upper case as a Windows-1252 locale maps it: a-z, the accented letters 0xE0-0xFE except
// the division sign 0xF7, and the four letters whose capitals sit in 0x80-0x9F (s and z
// caron, oe, y diaeresis). Letters whose capitals the code page lacks (sharp s, micro sign,
// f hook) stay as they are. Same length as the input.
std::string UpperCp1252(std::string_view text);

// Whether a row with this name and number matches pattern. pattern and the texts are
// compared byte-wise as given: the caller upper-cases all of them when case is ignored.
// Whole field: name or number equals pattern. Otherwise: pattern occurs in name or number.
bool FieldsMatch(std::string_view name, std::string_view number, std::string_view pattern,
                 bool matchWholeField);

// The row examined after current in the search direction: down, the next row (from none,
// the first); up, the row above (from none, the last, which is then examined itself).
// nullopt when the pass has run off the end of the list.
std::optional<std::size_t> NextFindRow(std::size_t rowCount, std::optional<std::size_t> current,
                                       bool searchDown);

// The row the search selects, or nullopt for "No entry found." start is the first selected
// row, if any. Two passes: from start to the end of the list in the search direction (start
// itself is not examined), then the whole list again from its first row (down) or its last
// row (up). Only the Name and Number columns take part.
std::optional<std::size_t> FindEntryRow(std::span<const ListRow> rows,
                                        std::optional<std::size_t> start,
                                        const FindRequest& request);

}  // namespace ribodex
