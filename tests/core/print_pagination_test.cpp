// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/list/print_pagination.h"

#include <gtest/gtest.h>

#include <string>

namespace ribodex {
namespace {

TEST(PrintPagination, RowsPerPage) {
    const struct {
        int height;
        int h;
        int rows;
    } cases[] = {
        {1150, 20, 50},  // 6h and 30 units above and below 50 rows
        {1169, 20, 50},  // truncated
        {1170, 20, 51},
        {170, 20, 1},    // room for exactly one row
        {169, 20, 1},    // too small for one row: still one per page
        {1000, 0, 1},    // no text height: no division by zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RowsPerPage(c.height, c.h), c.rows) << c.height << " " << c.h;
    }
}

TEST(PrintPagination, PagesAndTheirItems) {
    const struct {
        const char* why;
        int items;
        int rowsPerPage;
        int pages;
        PageItems first;
        PageItems last;
    } cases[] = {
        {"empty list: one page with the headings", 0, 50, 1, {0, 0}, {0, 0}},
        {"remainder on the last page", 120, 50, 3, {0, 50}, {100, 120}},
        {"an exact multiple has no page of headings only", 100, 50, 2, {0, 50}, {50, 100}},
        {"one item", 1, 50, 1, {0, 1}, {0, 1}},
        {"rows below one count as one", 3, 0, 3, {0, 1}, {2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(PageCount(c.items, c.rowsPerPage), c.pages);
        const PageItems first = ItemsOfPage(1, c.items, c.rowsPerPage);
        const PageItems last = ItemsOfPage(c.pages, c.items, c.rowsPerPage);
        EXPECT_EQ(first.first, c.first.first);
        EXPECT_EQ(first.end, c.first.end);
        EXPECT_EQ(last.first, c.last.first);
        EXPECT_EQ(last.end, c.last.end);
        const PageItems beyond = ItemsOfPage(c.pages + 1, c.items, c.rowsPerPage);
        EXPECT_EQ(beyond.end - beyond.first, 0);
    }
    EXPECT_EQ(ItemsOfPage(2, 120, 50).first, 50);
}

TEST(PrintPagination, LongCellsAreShortened) {
    EXPECT_EQ(ShortenCell("Nineteen characters"), "Nineteen characters");
    EXPECT_EQ(ShortenCell("Twenty characters..."), "Twenty character...");
    EXPECT_EQ(ShortenCell("M\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFCller"),
              "M\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC\xFC...");
    EXPECT_EQ(ShortenCell(""), "");
}

}  // namespace
}  // namespace ribodex
