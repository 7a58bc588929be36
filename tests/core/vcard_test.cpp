// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/formats/vcard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/formats/device_text.h"
#include "core/formats/json_export.h"
#include "core/formats/vcard_import.h"

namespace ribodex {
namespace {

using namespace std::string_literals;
using Contacts = std::vector<std::pair<std::string, std::vector<std::string>>>;

Contacts Read(std::string_view text) {
    Contacts got;
    for (const VCardContact& contact : ReadVCards(text)) got.emplace_back(contact.name, contact.numbers);
    return got;
}

// vCard files as address books and phone tools write them, one quirk each.
TEST(ReadVCards, FilesOfRealWriters) {
    const std::pair<std::string, Contacts> rows[] = {
        // gammu backup: 2.1, the whole phone book name in N, QUOTED-PRINTABLE UTF-8.
        {"BEGIN:VCARD\r\nVERSION:2.1\r\nX-GAMMU-LOCATION:1\r\nX-GAMMU-MEMORY:SM\r\nTEL;PREF:+4930123\r\n"
         "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=B6rg M=C3=BCller\r\nEND:VCARD\r\n\r\n",
         {{"Jörg Müller", {"+4930123"}}}},
        // 3.0 address book: FN wins over N, escapes, several numbers, a group, a tel: URI.
        {"BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\\;ller;Karl;;;\r\nFN:M\\;ller\\, Karl\\nBüro\r\n"
         "TEL;TYPE=CELL:+49 171 1234\r\nitem1.TEL;TYPE=\"work,voice\":030/1234\r\n"
         "TEL;VALUE=uri:tel:+4940\r\nEND:VCARD\r\n",
         {{"M;ller, Karl\nBüro", {"+49 171 1234", "030/1234", "+4940"}}}},
        // 3.0 folding drops one white space character; a UTF-8 character may be split.
        {"BEGIN:VCARD\nVERSION:3.0\nFN:Ann\n a-Lena B\xC3\n \xA4r\nTEL:1\nEND:VCARD\n", {{"Anna-Lena Bär", {"1"}}}},
        // 2.1 folding keeps it; quoted-printable soft line breaks join lines that do not
        // start with white space; Latin-1 by its CHARSET.
        {"BEGIN:VCARD\rVERSION:2.1\rN;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:;Gr=FC=\rnes\r Haus\rTEL:1\r"
         "END:VCARD\r",
         {{"Grünes Haus", {"1"}}}},
        // No name but an organisation; 8-bit text that is not UTF-8 is Windows-1252.
        {"BEGIN:VCARD\r\nVERSION:2.1\r\nORG:Caf\xE9 \x80;Kasse\r\nTEL:2\r\nEND:VCARD\r\n", {{"Café €", {"2"}}}},
        // N in its order: prefix given additional family suffix.
        {"BEGIN:VCARD\r\nN:Berg;Anna;Maria;Dr.;jr.\r\nTEL:3\r\nEND:VCARD\r\n", {{"Dr. Anna Maria Berg jr.", {"3"}}}},
        // A photo's base64 lines, an agent's nested card and lines outside any card are no
        // contacts; a card cut off before its END still counts.
        {"PRODID:x\r\nBEGIN:VCARD\r\nFN:Eve\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQ\r\n SkZJRg==\r\n"
         "AGENT:\r\nBEGIN:VCARD\r\nFN:Agent\r\nTEL:9\r\nEND:VCARD\r\nTEL:4\r\nEND:VCARD\r\n"
         "BEGIN:VCARD\r\nFN:Cut\r\nTEL:5",
         {{"Eve", {"4"}}, {"Cut", {"5"}}}},
        {"BEGIN:VCARD\r\nFN:No number\r\nTEL:\r\nEND:VCARD\r\n", {{"No number", {}}}},
        {"", {}},
        {"END:VCARD\r\nFN:stray\r\nno colon at all\r\n", {}},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(Read(text), expected) << testing::PrintToString(text);
}

TEST(WriteVCards, ThreePointZeroWithOurLocation) {
    EXPECT_EQ(WriteVCards({{12, "+4930123", "Müller, K.; Office\\1"}}, "SM"),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Müller\\, K.\\; Office\\\\1\r\nN:Müller\\, K.\\; Office\\\\1;;;;\r\n"
              "TEL:+4930123\r\nX-RIBODEX-LOCATION:SM:12\r\nEND:VCARD\r\n");
    // No memory, no location (the window's clipboard).
    EXPECT_EQ(WriteVCards({{12, "1", "A"}}, ""), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nN:A;;;;\r\nTEL:1\r\nEND:VCARD\r\n");
    // 75 octets a line at most; the fold never cuts the two bytes of an "ü".
    const std::string name = std::string(70, 'x') + "üüü";
    const std::string card = WriteVCards({{1, "1", name}}, "ME");
    EXPECT_NE(card.find("\r\nFN:" + std::string(70, 'x') + "ü\r\n üü\r\n"), std::string::npos) << card;
    // Continuation lines too, for three-byte characters that never meet the boundary evenly.
    const std::string long3 = WriteVCards({{1, "1", std::string(1, 'x') + [] {
                                                 std::string s;
                                                 for (int i = 0; i < 80; ++i) s += "王";
                                                 return s;
                                             }()}},
                                          "");
    for (std::size_t at = 0, end; (end = long3.find("\r\n", at)) != std::string::npos; at = end + 2)
        EXPECT_LE(end - at, 75u) << long3.substr(at, end - at);
}

// What is written reads back as it was, for every name a phone book can hold.
TEST(WriteVCards, ReadBackUnchanged) {
    for (const std::string& name : {"Anna"s, "Müller, K."s, "a;b,c:d"s, "@home $ ¡¿ [€]"s, "Иван 王"s, ""s,
                                    std::string(200, 'L')}) {
        const std::vector<VCardContact> back = ReadVCards(WriteVCards({{3, "+49", name}}, "SM"));
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(ToStorableName(back[0].name, true).text, name);
        EXPECT_EQ(back[0].numbers, std::vector<std::string>{"+49"});
    }
}

TEST(DeviceText, NamesAndNumbersAsThePhoneBookHoldsThem) {
    const struct {
        std::string utf8;
        bool ucs2;
        std::string text;
        std::u32string lost;
    } names[] = {
        {"Jörg Müller", false, "Jörg Müller", U""},
        {"@home $5 ¡¿ ÄÖÜäöüßÅå {€}", false, "@home $5 ¡¿ ÄÖÜäöüßÅå {€}", U""},
        {"Zoë", false, "Zo", U"ë"},                  // a blank at the end is dropped
        {"Zoë [Büro] \"Q\"", false, "Zo  [Büro]  Q", U"ë\"\""},
        {"Zoë [Büro] \"Q\"", true, "Zoë [Büro] \"Q\"", U""},
        {"Иван 😀", false, "", U"Иван😀"},
        {"Иван 😀", true, "Иван", U"😀"},           // outside the BMP
        {"A\tB\nC", true, "A B C", U"\t\n"},       // control characters cannot be sent
        {"Caf\xE9", false, "Café", U""},            // not UTF-8: taken as Windows-1252
    };
    for (const auto& row : names) {
        const StorableName got = ToStorableName(row.utf8, row.ucs2);
        EXPECT_EQ(got.text, row.text) << row.utf8;
        EXPECT_EQ(got.lost, row.lost) << row.utf8;
    }
    const std::pair<std::string, std::optional<std::string>> numbers[] = {
        {"+49 (30) 123-45.6/7", "+49301234567"},
        {"tel:+4940", "+4940"}, {"0301", "0301"},
        {"*100#", "*100#"}, {"#31#0301", "#31#0301"}, {"030 1234 p 5", "0301234p5"}, {"tel:*100%23;x=y", "*100#"},
        {"1+2", std::nullopt}, {"++49", std::nullopt}, {"", std::nullopt}, {"-", std::nullopt}, {"030 12a", std::nullopt},
    };
    for (const auto& [tel, expected] : numbers) EXPECT_EQ(ToStorableNumber(tel), expected) << tel;
}

// Message 143 counts contacts left out: a contact with one number stored is pasted, whatever
// its other numbers; a changed name is listed once per contact.
TEST(PlanImport, ContactsLeftOutAndNamesChanged) {
    const ImportPlan plan = PlanImport(
        "BEGIN:VCARD\r\nFN:Anna\r\nTEL:+49 1\r\nTEL:ext. 5\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Bob\r\nTEL:ask Eve\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Carl\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Zoë\r\nTEL:1\r\nTEL:2\r\nEND:VCARD\r\n");
    EXPECT_EQ(plan.entries.size(), 3u);
    EXPECT_EQ(plan.skipped, 2u);  // Bob and Carl
    EXPECT_EQ(plan.skippedNumbers, 1u);
    ASSERT_EQ(plan.changed.size(), 1u);
    EXPECT_EQ(plan.changed[0].stored, "Zo");
    EXPECT_TRUE(PlanImport("BEGIN:VCARD\r\nFN:Zoë\r\nTEL:1\r\nEND:VCARD\r\n", true).changed.empty());
}

TEST(WriteJsonEntries, OneObjectPerEntry) {
    EXPECT_EQ(WriteJsonEntries({{1, "+4930", "Anna \"A\" \\ B"}, {12, "", "Müller\r\n\x01"}}, "SM"),
              "{\"memory\": \"SM\", \"entries\": [\n"
              "  {\"index\": 1, \"number\": \"+4930\", \"name\": \"Anna \\\"A\\\" \\\\ B\"},\n"
              "  {\"index\": 12, \"number\": \"\", \"name\": \"Müller\\r\\n\\u0001\"}\n"
              "]}\n");
    EXPECT_EQ(WriteJsonEntries({}, "FD"), "{\"memory\": \"FD\", \"entries\": []}\n");
}

}  // namespace
}  // namespace ribodex
