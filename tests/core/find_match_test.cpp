// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/list/find_match.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace ribodex {
namespace {

// Name, number, index. Only rows 0 and 2 hold an "a" in their names, only row 0 an "A".
const std::vector<ListRow> kRows = {
    {"Anna", "0301234", "1"},
    {"Bert", "112", "2"},
    {"Carl", "0112", "3"},
    {"\xE9mile", "+4930", "4"},  // e acute, lower case
    {"\x9Aimon", "555", "12"},   // s caron, lower case
};

struct FindCase {
    const char* why;
    std::optional<std::size_t> start;
    std::string what;
    bool wholeField;
    bool matchCase;
    bool down;
    std::optional<std::size_t> found;
};

TEST(FindEntryRow, PassesDirectionsAndMatching) {
    const auto none = std::nullopt;
    const FindCase cases[] = {
        // The walk through a list with Bert selected, as Find and then Find Next twice.
        {"down from Bert: Carl below", 1, "a", false, false, true, 2},
        {"down from Carl: nothing below, second pass from the top", 2, "a", false, false, true, 0},
        {"down from Anna: Bert has none, Carl again", 0, "a", false, false, true, 2},
        {"match case: only the capital A of Anna", 1, "A", false, true, true, 0},
        {"whole field: the number exactly 112", none, "112", true, false, true, 1},
        {"whole field: 0112 is not 112, the start row itself is examined last", 1, "112", true, false, true, 1},
        {"substring: 0112 holds 112", 1, "112", false, false, true, 2},
        {"whole field, case on", none, "bert", true, true, true, none},
        {"up with nothing selected: the last row is examined first", none, "i", false, false, false, 4},
        {"up from Carl: rows above it", 2, "n", false, false, false, 0},
        {"up from Anna: second pass from the last row", 0, "i", false, false, false, 4},
        {"letters above 0x7F fold: E acute", none, "\xC9MILE", false, false, true, 3},
        {"with case on they do not", none, "\xC9MILE", false, true, true, none},
        {"the Index column takes no part", none, "3", true, false, true, none},
        {"found nowhere", 3, "zz", false, false, true, none},
        {"a start the list no longer has counts as none", 99, "a", false, false, false, 2},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.why);
        const FindRequest request{c.what, c.wholeField, c.matchCase, c.down};
        EXPECT_EQ(FindEntryRow(kRows, c.start, request), c.found);
    }
    EXPECT_EQ(FindEntryRow({}, std::nullopt, FindRequest{"a"}), std::nullopt);
}

TEST(FindEntryRow, UpperCaseOfWindows1252) {
    // Capitals inside 0x80-0x9F for s caron, oe, z caron, y diaeresis; the division sign,
    // sharp s, micro sign and f hook have no capital of their own in the code page.
    EXPECT_EQ(UpperCp1252("az09AZ \xE0\xE9\xFE\xFF\x9A\x9C\x9E\xF7\xDF\xB5\x83\xC4"),
              "AZ09AZ \xC0\xC9\xDE\x9F\x8A\x8C\x8E\xF7\xDF\xB5\x83\xC4");
    EXPECT_EQ(UpperCp1252(std::string("a\0b", 3)), std::string("A\0B", 3));
}

}  // namespace
}  // namespace ribodex
