// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_output.h"
#include "core/formats/cp1252.h"
#include "core/formats/csv.h"
#include "core/formats/text_export.h"

namespace ribodex {
namespace {

using namespace std::string_literals;

struct CodecRow {
    const char* why;
    std::string cp1252;
    std::string utf8;
};

// Both directions must agree on every row.
const CodecRow kCodecRows[] = {
    {"ASCII passes", "Anna +49", "Anna +49"},
    {"a NUL inside a name stays", "a\0b"s, "a\0b"s},
    {"Latin-1 half: umlauts", "\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "ÄÖÜäöüß"},
    {"euro sign from the Windows table", "\x80", "€"},
    {"curly quotes and dash from the table", "\x93x\x94\x96", "“x”–"},
    {"S and Z caron, Y diaeresis: last table rows", "\x8A\x8E\x9F", "ŠŽŸ"},
    {"unassigned 0x81 keeps its Latin-1 control", "\x81", "\xC2\x81"},
    {"no-break space and y diaeresis", "\xA0\xFF", "\xC2\xA0ÿ"},
};

TEST(Cp1252, ConvertsBothWays) {
    for (const CodecRow& row : kCodecRows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(Cp1252ToUtf8(row.cp1252), row.utf8);
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.cp1252);
        EXPECT_EQ(Utf8ToCp1252Lossy(row.utf8), row.cp1252);
    }
}

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    for (int b = 0; b < 256; ++b) {
        const char32_t c = Cp1252ToCodePoint(static_cast<unsigned char>(b));
        ASSERT_EQ(CodePointToCp1252(c), static_cast<unsigned char>(b)) << b;
    }
}

// 0x80-0x9F as Unicode's mapping table of the code page (CP1252.TXT) gives them, written down
// here rather than taken from the code: a swapped pair would survive the round trip above.
// The five bytes the table leaves unassigned keep their Latin-1 control character.
TEST(Cp1252, HighRowsAgreeWithTheUnicodeMappingTable) {
    const char32_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
    };
    for (int b = 0; b < 256; ++b) {
        const char32_t expected = b >= 0x80 && b <= 0x9F ? high[b - 0x80] : static_cast<char32_t>(b);
        EXPECT_EQ(Cp1252ToCodePoint(static_cast<unsigned char>(b)), expected) << b;
        EXPECT_EQ(CodePointToCp1252(expected), static_cast<unsigned char>(b)) << b;
    }
}

struct RefusalRow {
    const char* why;
    std::string utf8;
    std::size_t offset;
    bool invalidUtf8;
    char32_t codePoint;
    std::string lossy;
};

TEST(Cp1252, RefusesRatherThanChanges) {
    const RefusalRow rows[] = {
        {"Cyrillic has no Windows-1252 form", "Иван", 0, false, 0x418, "????"},
        {"emoji after ASCII: offset of the emoji", "Bob 😀", 4, false, 0x1F600, "Bob ?"},
        {"U+0080 is not the euro sign", "\xC2\x80", 0, false, 0x80, "?"},
        {"lone continuation byte", "a\x80z", 1, true, 0, "a?z"},
        {"truncated three-byte: one ? for the whole prefix", "\xE2\x82z", 0, true, 0, "?z"},
        {"overlong slash (a classic filter bypass)", "\xC0\xAF", 0, true, 0, "??"},
        {"UTF-16 surrogate encoded in UTF-8", "\xED\xA0\x80", 0, true, 0, "???"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0, true, 0, "????"},
    };
    for (const RefusalRow& row : rows) {
        SCOPED_TRACE(row.why);
        Cp1252Refusal refusal;
        EXPECT_FALSE(Utf8ToCp1252(row.utf8, &refusal));
        EXPECT_EQ(refusal.offset, row.offset);
        EXPECT_EQ(refusal.invalidUtf8, row.invalidUtf8);
        EXPECT_EQ(refusal.codePoint, row.codePoint);
        EXPECT_EQ(Utf8ToCp1252Lossy(row.utf8), row.lossy);
    }
}

TEST(TextExport, WritesTheFileByteForByte) {
    const std::vector<ListRow> rows = {
        {"Anna", "0301234", "1"},
        {"Bob", "112", "2"},
        // Exactly 20 bytes: the number follows with no blank between.
        {"Twenty bytes name!!!", "+4930", "250"},
        // Longer than the column: not cut, one blank before the next column.
        {"A name that is far too long", "0123456789012345678901", "7"},
        {"Abcdefghijklmnopqrstuvwx", "+4930555", "21"},
        // UTF-8 names in Windows-1252 bytes, '?' for what it lacks; widths count bytes.
        {"Müller", "", "12"},
        {"Иван", "1", "3"},
    };
    const std::string expected =
        "Name                Number              Index\r\n"
        "\r\n"
        "Anna                0301234             1\r\n"
        "Bob                 112                 2\r\n"
        "Twenty bytes name!!!+4930               250\r\n"
        "A name that is far too long 0123456789012345678901 7\r\n"
        "Abcdefghijklmnopqrstuvwx +4930555            21\r\n"
        "M\xFCller" "                                  12\r\n"
        "????                1                   3\r\n";
    EXPECT_EQ(ExportText(rows), expected);
    // The second file type: UTF-8, padded by characters.
    EXPECT_EQ(ExportText({rows.back(), {"Ивановаааааааааааааааа", "1", "4"}}, {"Имя", "Number", "Index"},
                         ExportEncoding::Utf8),
              "Имя                 Number              Index\r\n\r\nИван                1                   3\r\n"
              "Ивановаааааааааааааааа 1                   4\r\n");
}

TEST(TextExport, HeadersFollowTheLanguage) {
    EXPECT_EQ(ExportText({}, {"Name", "Nummer", "Index"}),
              "Name                Nummer              Index\r\n\r\n");
}

struct CsvRow {
    const char* why;
    std::string field;
    std::string quoted;
};

TEST(Csv, QuotesOnlyWhatMustBeQuoted) {
    const CsvRow rows[] = {
        {"plain", "Anna", "Anna"},
        {"comma", "Berg, Anna", "\"Berg, Anna\""},
        {"quote doubled", "Bob \"B\"", "\"Bob \"\"B\"\"\""},
        {"CR or LF inside", "a\rb\nc", "\"a\rb\nc\""},
        {"8-bit bytes untouched", "M\xFCller", "M\xFCller"},
        {"NUL untouched", "a\0b"s, "a\0b"s},
    };
    for (const CsvRow& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(CsvField(row.field), row.quoted);
    }
    EXPECT_EQ(CsvRecord({"1", "+49", "Berg, Anna"}), "1,+49,\"Berg, Anna\"\r\n");
}

TEST(CliOutput, ListsEntriesInIndexOrder) {
    // A rewritten location comes last in the device's list, not in index order.
    const std::vector<PhoneBookEntry> entries = {
        {12, "+4930", "Müller, K."}, {2, "112", "Bob"}, {7, "", "@home €"}};
    EXPECT_EQ(cli::FormatEntries(entries, cli::ListFormat::Csv, cli::Encoding::Utf8),
              "index,number,name\r\n"
              "2,112,Bob\r\n"
              "7,,@home €\r\n"
              "12,+4930,\"Müller, K.\"\r\n");
}

TEST(CliOutput, MemoriesMarkTheSelectedOne) {
    EXPECT_EQ(cli::FormatMemories(2 | 32, 2), "* SM  SIM\n  FD  Fixed numbers\n");
    // A selected memory that the device did not list still shows.
    EXPECT_EQ(cli::FormatMemories(1, 2), "  ME  Mobile Equipment\n* SM  SIM\n");
    EXPECT_EQ(cli::FormatMemories(0, 0), "");
}

TEST(CliOutput, RefusesNamesThatWouldBreakTheCommandLine) {
    std::string problem;
    EXPECT_TRUE(cli::IsSafeQuotedText("M\xFCller, @home", problem));
    for (const char* bad : {"a\"b", "a\rAT+CPBW=1", "line\nbreak", "tab\t", "del\x7F"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(cli::IsSafeQuotedText(bad, problem));
        EXPECT_FALSE(problem.empty());
    }
    std::string cp1252;
    EXPECT_TRUE(cli::ToDeviceText("Jörg €", cp1252, problem));
    EXPECT_EQ(cp1252, "J\xF6rg \x80");
    EXPECT_FALSE(cli::ToDeviceText("Иван", cp1252, problem));
    EXPECT_NE(problem.find("U+0418"), std::string::npos) << problem;
}

}  // namespace
}  // namespace ribodex
