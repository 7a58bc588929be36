// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/alphabet.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "core/device/name_coding.h"
#include "core/device/ucs2_text.h"
#include "core/formats/cp1252.h"
#include "core/list/sort_order.h"

namespace ribodex {
namespace {

using namespace std::string_literals;

// GSM 03.38 default alphabet, code 0x00 to 0x7F in order, as printed in the standard; the
// escape 0x1B stands as a blank here and is tested on its own.
const std::u32string kDefaultTable =
    U"@£$¥èéùìòÇ\nØø\rÅåΔ_ΦΓΛΩΠΨΣΘΞ ÆæßÉ !\"#¤%&'()*+,-./0123456789:;<=>?"
    U"¡ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÑÜ§¿abcdefghijklmnopqrstuvwxyzäöñüà";

struct Extended {
    const char* utf8;
    const char* gsm;
};
constexpr Extended kExtensionTable[] = {
    {"\f", "\x1B\x0A"}, {"^", "\x1B\x14"}, {"{", "\x1B\x28"}, {"}", "\x1B\x29"}, {"\\", "\x1B\x2F"},
    {"[", "\x1B\x3C"},  {"~", "\x1B\x3D"}, {"]", "\x1B\x3E"}, {"|", "\x1B\x40"}, {"€", "\x1B\x65"},
};

std::string Utf8(char32_t c) {
    std::string out;
    AppendUtf8(out, c);
    return out;
}

TEST(GsmAlphabet, EveryCodeOfBothTablesBothWays) {
    ASSERT_EQ(kDefaultTable.size(), 128u);
    for (unsigned code = 0; code < 128; ++code) {
        if (code == 0x1B) continue;
        const std::string byte(1, static_cast<char>(code));
        // 0x24 is the currency sign, which reads as "$" as it always has; "$" goes as 0x02.
        const std::string shown = code == 0x24 ? "$" : Utf8(kDefaultTable[code]);
        EXPECT_EQ(GsmToUtf8(byte), shown) << "code " << code;
        if (code != 0x24) {
            EXPECT_EQ(Utf8ToGsm(shown), byte) << "code " << code;
        }
    }
    EXPECT_EQ(Utf8ToGsm("¤"), std::nullopt);
    for (const Extended& e : kExtensionTable) {
        EXPECT_EQ(GsmToUtf8(e.gsm), e.utf8);
        EXPECT_EQ(Utf8ToGsm(e.utf8), e.gsm);
    }
}

TEST(GsmAlphabet, NamesEscapesAndBytesThatAreNoGsm) {
    const struct {
        std::string gsm;
        std::string utf8;
        bool both;
    } rows[] = {
        {"Jos\x05 Mu\x7Doz", "José Muñoz", true},
        {"S\x0Cren\x11\x1C", "Søren_Æ", true},
        {"Notruf \x1B\x65", "Notruf €", true},
        {"a\x00" "b$"s, "a@b$", false},
        {"x\x1B", "x ", false},             // an escape at the end
        {"\x1B\x1B\x41", " A", false},      // an escape after an escape
        {"\x1B\x41", "A", false},           // a code the extension table lacks reads from the default
        {"\x80\xFF", "  ", false},          // not GSM at all
        {"", "", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(GsmToUtf8(row.gsm), row.utf8);
        if (row.both) {
            EXPECT_EQ(Utf8ToGsm(row.utf8), row.gsm);
        }
    }
    EXPECT_EQ(Utf8ToGsm("a@b$"), "a\x00" "b\x02"s);
    EXPECT_EQ(Utf8ToGsm("Иван"), std::nullopt);
}

TEST(Ucs2Text, HexBothWaysAndTheLimitsOfTheBmp) {
    const struct {
        std::string utf8;
        std::string hex;
    } rows[] = {{"Иван", "041804320430043D"}, {"王小明", "738B5C0F660E"}, {"A\"\r", "00410022000D"},
                {"\uFFFD\uFFEE", "FFFDFFEE"}, {"", ""}};
    for (const auto& row : rows) {
        EXPECT_EQ(Utf8ToUcs2Hex(row.utf8), row.hex);
        EXPECT_EQ(Ucs2HexToUtf8(row.hex), row.utf8);
    }
    Ucs2Refusal refusal;
    EXPECT_EQ(Utf8ToUcs2Hex("ok \U0001F600", &refusal), std::nullopt);
    EXPECT_EQ(refusal.codePoint, U'\U0001F600');
    EXPECT_EQ(Utf8ToUcs2Hex("\xED\xA0\x80", &refusal), std::nullopt);  // a surrogate in UTF-8
    EXPECT_TRUE(refusal.invalidUtf8);
    EXPECT_EQ(Ucs2HexToUtf8("0418043"), std::nullopt);
    EXPECT_EQ(Ucs2HexToUtf8("04G8"), std::nullopt);
    EXPECT_EQ(Ucs2HexToUtf8("D800"), std::nullopt);
    EXPECT_EQ(Ucs2HexToUtf8("DE000041"), std::nullopt);
    EXPECT_EQ(Ucs2HexToUtf8("d83dde00"), "\U0001F600");
}

TEST(Ucs2Text, SimCodingsDecodedOnlyWhereUnambiguous) {
    const struct {
        const char* field;
        const char* utf8;
    } rows[] = {
        {"80041804320430043D", "Иван"},
        {"80041804320430043DFFFF", "Иван"},
        {"81050898B2B0BD20", "Иван "},         // base 0x08 << 7 = U+0400
        {"8204040098B2B0BD", "Иван"},
        {"820404009841B0BDFF", "ИAан"},        // GSM codes below 0x80
        {"80004100420043", "80004100420043"},  // only GSM characters: a GSM name of digits
        {"8012", "8012"},
        {"80041804", "80041804"},              // an odd byte
        {"800418FFFF0432", "800418FFFF0432"},  // data after the padding
        {"810A0898", "810A0898"},              // shorter than its count
        {"80000A0418", "80000A0418"},          // a control character
        {"83041804", "83041804"},
    };
    for (const auto& row : rows) EXPECT_EQ(DeviceNameToUtf8(row.field), row.utf8) << row.field;
}

TEST(NameCoding, TheSetANameTravelsIn) {
    const struct {
        std::string name;
        bool ucs2;
        NameSet set;
        std::string field;
        std::u32string lost;
        std::size_t length;
    } rows[] = {
        {"Müller", true, NameSet::Gsm, "M\x7Eller", U"", 6},
        {"Notruf €", false, NameSet::Gsm, "Notruf \x1B\x65", U"", 9},
        // ESC and SUB cancel a command line on many modems: such names go in UCS2 where offered.
        {"Notruf €~", true, NameSet::Ucs2, "004E006F0074007200750066002020AC007E", U"", 9},
        {"Ξ", true, NameSet::Ucs2, "039E", U"", 1},
        {"Ξ", false, NameSet::Gsm, "\x1A", U"", 1},
        {"Ivan Иван", true, NameSet::Ucs2, "004900760061006E0020041804320430043D", U"", 9},
        {"Ivan Иван", false, NameSet::Gsm, "Ivan     ", U"Иван", 9},
        {"a\"b", true, NameSet::Ucs2, "006100220062", U"", 3},
        {"a\"b", false, NameSet::Gsm, "a b", U"\"", 3},
        {"A\fB", false, NameSet::Gsm, "A B", U"\f", 3},
        {"Я\U0001F600", true, NameSet::Ucs2, "042F0020", U"\U0001F600", 2},
    };
    for (const auto& row : rows) {
        const DeviceName name = EncodeDeviceName(row.name, row.ucs2);
        EXPECT_EQ(name.set, row.set) << row.name;
        EXPECT_EQ(name.field, row.field) << row.name;
        EXPECT_EQ(name.lost, row.lost) << row.name;
        EXPECT_EQ(name.length, row.length) << row.name;
    }
    EXPECT_EQ(ParseNameLength("AT+CPBR=?\r\r\n+CPBR: (1-250),40,16\r\n\r\nOK\r\n"), 16);
    EXPECT_EQ(ParseNameLength("+CPBR: (1-250),40,\r\nOK\r\n"), std::nullopt);
    EXPECT_EQ(ParseNameLength("+CPBR: (1-250),40\r\n+CPBS: 1,2,3\r\n"), std::nullopt);
    // The sets offered, as devices list them: quoted, bare, without parentheses; not a set
    // whose name only holds "UCS2", nor one on another line.
    for (const auto& [answer, offered] : std::initializer_list<std::pair<const char*, bool>>{
             {"+CSCS: (\"IRA\",\"GSM\",\"UCS2\")\r\nOK\r\n", true}, {"+CSCS: (GSM,UCS2)\r\n", true},
             {"+CSCS: GSM, UCS2\r\n", true}, {"+CSCS: (\"GSM\",\"IRA\")\r\n", false},
             {"+CSCS: (GSM,UCS2X)\r\n", false}, {"+CSCS: (GSM)\r\nUCS2\r\n", false}, {"ERROR\r\n", false}})
        EXPECT_EQ(OffersUcs2(answer), offered) << answer;
    EXPECT_EQ(HexNumberToPlain("+0034003900330030"), "4930");
    EXPECT_EQ(HexNumberToPlain("4930"), std::nullopt);
}

TEST(SortOrder, NamesInTheWindows1252OrderThenByCodePoint) {
    // In order: the Windows-1252 bytes decide (Z 0x5A < a 0x61 < Š 0x8A < Ä 0xC4 < ä 0xE4),
    // then the characters it lacks.
    const char* const ordered[] = {"Anna", "Zoe", "anna", "Šimon", "Ärger", "ärger", "ärger2", "Ωmega", "Иван", "王"};
    for (std::size_t i = 0; i + 1 < std::size(ordered); ++i) {
        EXPECT_LT(CompareNames(ordered[i], ordered[i + 1]), 0) << ordered[i];
        EXPECT_GT(CompareNames(ordered[i + 1], ordered[i]), 0) << ordered[i];
    }
    EXPECT_EQ(CompareNames("Иван", "Иван"), 0);
}

}  // namespace
}  // namespace ribodex
