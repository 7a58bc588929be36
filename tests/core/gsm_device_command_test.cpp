// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/device/at_command.h"

namespace ribodex {
namespace {

using namespace std::string_literals;

TEST(AtCommand, ExactLines) {
    EXPECT_EQ(BuildPinCommand("1234"), "AT+CPIN=\"1234\"\r");
    EXPECT_EQ(BuildPinCommand(""), "AT+CPIN=\"\"\r");  // the device judges an empty PIN
    EXPECT_EQ(BuildPukCommand("12345678", "4321"), "AT+CPIN=\"12345678\", \"4321\"\r");
    EXPECT_EQ(BuildReadEntryCommand(17), "AT+CPBR=17\r");
    EXPECT_EQ(BuildReadEntryCommand(-1), "AT+CPBR=-1\r");
    EXPECT_EQ(BuildReadRangeCommand(1, 250), "AT+CPBR=1, 250\r");
    EXPECT_EQ(BuildReadRangeCommand(0, 0), "AT+CPBR=0, 0\r");
    EXPECT_EQ(BuildReadRangeCommand(INT_MIN, INT_MAX), "AT+CPBR=-2147483648, 2147483647\r");
    EXPECT_EQ(BuildDeleteEntryCommand(12), "AT+CPBW=12\r");
}

TEST(AtCommand, SelectOnlyTheSixSingleBitCodes) {
    EXPECT_EQ(BuildSelectPhoneBookCommand(1), "AT+CPBS=\"ME\"\r");
    EXPECT_EQ(BuildSelectPhoneBookCommand(2), "AT+CPBS=\"SM\"\r");
    EXPECT_EQ(BuildSelectPhoneBookCommand(4), "AT+CPBS=\"TA\"\r");
    EXPECT_EQ(BuildSelectPhoneBookCommand(8), "AT+CPBS=\"MD\"\r");
    EXPECT_EQ(BuildSelectPhoneBookCommand(16), "AT+CPBS=\"ON\"\r");
    EXPECT_EQ(BuildSelectPhoneBookCommand(32), "AT+CPBS=\"FD\"\r");
    for (int code : {0, 3, 6, 63, 64, -1, -2, INT_MIN})
        EXPECT_EQ(BuildSelectPhoneBookCommand(code), std::nullopt) << code;
}

TEST(AtCommand, WriteEntryPiecesAndType) {
    EXPECT_EQ(BuildWriteEntryCommand(12, "+0123", "Office"),
              "AT+CPBW=12, \"+0123\", 145, \"Office\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(12, "0123", "Office"),
              "AT+CPBW=12, \"0123\", 129, \"Office\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(3, "", "Nobody"), "AT+CPBW=3, \"\", , \"Nobody\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(-5, "1", ""), "AT+CPBW=-5, \"1\", 129, \"\"\r");
    // An entry's own type goes back as it was, except that only a '+' makes 145.
    EXPECT_EQ(BuildWriteEntryCommand(4, "0301", "N", 161), "AT+CPBW=4, \"0301\", 161, \"N\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(4, "*100#", "N", 255), "AT+CPBW=4, \"*100#\", 255, \"N\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(4, "0301", "N", 145), "AT+CPBW=4, \"0301\", 129, \"N\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(4, "+49", "N", 161), "AT+CPBW=4, \"+49\", 145, \"N\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(4, "0301", "N", 127), "AT+CPBW=4, \"0301\", 129, \"N\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(4, "0301", "N", 256), "AT+CPBW=4, \"0301\", 129, \"N\"\r");
    EXPECT_EQ(BuildWriteEntryCommand(4, "", "N", 161), "AT+CPBW=4, \"\", , \"N\"\r");
    // A name with '@' holds NUL in the device alphabet: the line keeps every byte.
    const std::optional<std::string> line = BuildWriteEntryCommand(1, "1", "a\0b"s);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->size(), 27u);
    EXPECT_EQ(*line, "AT+CPBW=1, \"1\", 129, \"a\0b\"\r"s);
}

// A quote, carriage return or line feed would end the field or the line early: the device
// would run a different command, or a second one, than the user asked for.
TEST(AtCommand, RefusesTextThatWouldBreakTheLine) {
    for (std::string bad : {"12\"34"s, "12\r"s, "\n"s, "\"\r\nAT+CPBW=1\r"s}) {
        EXPECT_EQ(BuildPinCommand(bad), std::nullopt) << testing::PrintToString(bad);
        EXPECT_EQ(BuildPukCommand(bad, "1234"), std::nullopt);
        EXPECT_EQ(BuildPukCommand("12345678", bad), std::nullopt);
        EXPECT_EQ(BuildWriteEntryCommand(1, bad, "Name"), std::nullopt);
        EXPECT_EQ(BuildWriteEntryCommand(1, "123", bad), std::nullopt);
    }
    EXPECT_TRUE(BuildWriteEntryCommand(1, "123", "a,b;c'd\x01\x7f"));
}

}  // namespace
}  // namespace ribodex
