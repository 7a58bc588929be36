// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/list/sort_order.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace ribodex {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

struct CompareCase {
    int column;
    bool ascending;
    std::string a;
    std::string b;
    int expected;  // sign
};

TEST(SortOrder, ColumnComparisons) {
    const std::vector<CompareCase> cases = {
        {NameColumn, true, "Bert", "anna", -1},   // byte order: upper case before lower
        {NameColumn, false, "Bert", "anna", 1},
        {NameColumn, true, "Ann", "Anna", -1},    // a prefix is smaller
        {NameColumn, true, "Anna", "Anna", 0},
        {NameColumn, false, "Anna", "Anna", 0},
        {NameColumn, true, "\xE9mile", "zoe", 1}, // Windows-1252 bytes compare unsigned
        {NameColumn, true, std::string("a\0b", 3), "a", 1},  // NUL is a byte like any
        // UTF-8 names: what Windows-1252 holds by its byte there, all else after it by
        // code point; neither the UTF-8 bytes nor the code points alone give this order.
        {NameColumn, true, "€uro", "émile", -1},  // 0x80 before 0xE9
        {NameColumn, false, "€uro", "émile", 1},
        {NameColumn, true, "Žana", "Ωmega", -1},  // 0x8E, then Greek outside the code page
        {NameColumn, true, "Жанна", "ÿvonne", 1}, // outside it: after even 0xFF
        {NameColumn, true, "Жанна", "Ωmega", 1},  // both outside: U+0416 after U+03A9
        {NameColumn, true, "a\u0080", "aÿ", 1},   // U+0080 is no Windows-1252 character
        {NameColumn, true, "Ann€", "Ann", 1},     // a prefix is smaller, multi-byte too
        {NumberColumn, true, "+4930", "030", -1}, // '+' 0x2B before '0'
        {NumberColumn, true, "0301", "030", 1},
        {IndexColumn, true, "9", "10", -1},       // length first: numeric order
        {IndexColumn, false, "9", "10", 1},
        {IndexColumn, true, "120", "13", 1},
        {IndexColumn, true, "13", "12", 1},
        {IndexColumn, true, "250", "250", 0},
        {NameColumn, true, "9", "10", 1},         // the Name column does not know numbers
        {3, true, "a", "b", 0},                   // no such column
        {-1, true, "a", "b", 0},
    };
    for (const CompareCase& c : cases) {
        EXPECT_EQ(Sign(CompareColumnTexts(c.column, c.ascending, c.a, c.b)), c.expected)
            << c.column << " " << c.ascending << " '" << c.a << "' '" << c.b << "'";
    }
}

TEST(SortOrder, FlagsFlipPerColumnOnly) {
    SortFlags flags;
    EXPECT_EQ(flags.Click(IndexColumn), true);
    EXPECT_EQ(flags.Click(NameColumn), true);
    // Name in between leaves the Index column's next direction alone.
    EXPECT_EQ(flags.Click(IndexColumn), false);
    EXPECT_EQ(flags.Click(IndexColumn), true);
    EXPECT_EQ(flags.Click(NameColumn), false);
    EXPECT_TRUE(flags.NextAscending(NumberColumn));
    EXPECT_EQ(flags.Click(3), std::nullopt);
    EXPECT_EQ(flags.Click(-1), std::nullopt);
    EXPECT_EQ(flags.Click(NumberColumn), true);
}

TEST(SortOrder, ItemIndexReadsLikeScanfD) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"1", 1},
        {"250", 250},
        {"-5", -5},
        {"+7", 7},
        {"  42", 42},           // leading white space is skipped
        {"12abc", 12},          // leading integer only
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"- 3", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"99999999999999999999", INT_MAX},  // saturates instead of wrapping
        {"-99999999999999999999", INT_MIN},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ItemIndex(text), expected) << "'" << text << "'";
}

}  // namespace
}  // namespace ribodex
