// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ribodex {

// The printed phone book: which items go on which page. Pure functions; all lengths are in
// the printer's device units, h the text height of the printer font.
//
// A page: the heading at the top, a rule at 2h, the column headings at 4h, then one row per
// item from 6h on, each h high, with a margin of 30 device units left at the bottom.

inline constexpr int kPrintBottomMargin = 30;
// Cell texts of this many characters or more are shortened.
inline constexpr std::size_t kPrintCellLimit = 20;

// Item rows that fit on a page of pageHeight: (pageHeight - 6h - 30) / h, truncated, but at
// least 1, so that a page too small for one row still makes progress (one row per page, the
// row running off the bottom) instead of dividing by zero or printing no item ever.
int RowsPerPage(int pageHeight, int lineHeight);

// Pages for itemCount items at rowsPerPage (values below 1 count as 1): the rounded-up
// quotient, and one page (headings only) for an empty list. No page after the last item.
int PageCount(int itemCount, int rowsPerPage);

// The items of page (1 for the first): [first, end) in list order; empty for a page
// outside 1..PageCount.
struct PageItems {
    int first = 0;
    int end = 0;
};
PageItems ItemsOfPage(int page, int itemCount, int rowsPerPage);

// A cell of kPrintCellLimit characters or more becomes its first 16 characters and "..."
// (19 in all); shorter texts are returned as they are. Windows-1252: one byte a character.
std::string ShortenCell(std::string_view text);

}  // namespace ribodex
