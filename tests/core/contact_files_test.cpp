// SPDX-License-Identifier: GPL-3.0-or-later
// Contacts files in the shapes the address books write them, the number cleaning, the rule
// of "already on the phone", the import plan and the backup with its restore comparison.
#include <gtest/gtest.h>

#include "core/device/name_coding.h"
#include "core/formats/contact_file.h"
#include "core/formats/contact_plan.h"
#include "core/formats/csv_contacts.h"
#include "core/formats/entry_match.h"
#include "core/formats/phone_number.h"
#include "core/formats/restore_plan.h"

namespace ribodex {
namespace {

TEST(CleanNumber, TakesOutWhatPeopleWriteBetweenTheDigits) {
    const struct {
        const char* written;
        const char* number;
        const char* removed;
        bool valid;
    } rows[] = {
        {"+49 (30) 123-456", "+4930123456", " () -", true},
        {" 030/12.34 ", "0301234", "/.", true},
        {"0171\xC2\xA0" "123", "0171123", " ", true},  // a no-break space
        {"TEL:+1-555-0100;ext=12", "+15550100", "--", true},
        {"*100#", "*100#", "", true},
        {"#31#017", "#31#017", "", true},
        {"0301234P5w6", "0301234P5w6", "", true},
        {"+", "+", "", true},
        {"0049+30", "0049+30", "", false},  // a '+' only leads
        {"++49", "++49", "", false},
        {"112 a", "112a", " ", false},
        {"( )", "", "( )", false},
    };
    for (const auto& row : rows) {
        const CleanedNumber cleaned = CleanNumber(row.written);
        EXPECT_EQ(cleaned.number, row.number) << row.written;
        EXPECT_EQ(cleaned.removed, row.removed) << row.written;
        EXPECT_EQ(cleaned.valid, row.valid) << row.written;
    }
    EXPECT_EQ(NumberTypeFor("+49"), 145);
    EXPECT_EQ(NumberTypeFor("*100#"), 129);
    EXPECT_EQ(NumberTypeFor("0049"), 129);
}

TEST(SameEntry, InternationalPrefixAndSeparatorsDoNotCount) {
    const struct {
        const char *nameA, *numberA, *nameB, *numberB;
        bool same;
    } rows[] = {
        {"Anna", "+4930123", "Anna", "0049 30 123", true},
        {"Anna ", "030-123", "Anna", "030123", true},
        {"Anna", "+4930123", "Anna", "030123", false},  // the country is not known
        {"Anna", "+4930123", "anna", "+4930123", false},
        {"Anna", "0301234p5", "Anna", "0301234P5", true},
        {"Anna", "4930123", "Anna", "+4930123", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SameEntry(row.nameA, row.numberA, row.nameB, row.numberB), row.same)
            << row.numberA << " / " << row.numberB;
    const std::vector<PhoneBookEntry> list = {
        {1, "+4930123", "Anna"}, {2, "112", "Notruf"}, {3, "0049 30 123", "A. Huber"}, {4, "", "x"}, {5, "", "y"},
        {6, "112", "Notruf"}};
    EXPECT_EQ(DuplicatePositions(list), (std::vector<std::size_t>{0, 1, 2, 5}));
}

// Google's export: several values of one kind in one cell, joined by " ::: ".
const char kGoogleCsv[] =
    "\xEF\xBB\xBFName,Given Name,Additional Name,Family Name,Nickname,Organization 1 - Name,"
    "Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,Phone 2 - Value\r\n"
    "J\xC3\xB6rg M\xC3\xBCller,J\xC3\xB6rg,,M\xC3\xBCller,,,Mobile,+49 171 1 ::: 030 2,Work,\"*100#\"\r\n"
    ",,,,,\"ACME, Inc.\",Work,0301234,,\r\n"
    "No Number,,,,,,,,,\r\n";
// Outlook's export, as a German Windows writes it: Windows-1252, semicolons.
const char kOutlookCsv[] =
    "\"Title\";\"First Name\";\"Middle Name\";\"Last Name\";\"Company\";\"Business Phone\";\"Home Phone\";"
    "\"Mobile Phone\";\"Business Fax\"\r\n"
    "\"\";\"J\xF6rg\";\"\";\"Sch\xF6tz\";\"\";\"\";\"\";\"0171 234\";\"0301 99\"\r\n"
    "\"\";\"\";\"\";\"\";\"B\xFCro\";\"030 1\";\"\";\"\";\"\"\r\n";
// Thunderbird's export.
const char kThunderbirdCsv[] =
    "First Name,Last Name,Display Name,Nickname,Primary Email,Work Phone,Home Phone,Fax Number,Pager Number,"
    "Mobile Number\n"
    "Anna,Huber,Anni H.,,a@x.de,,030 5,,,+49 160 7\n"
    ",,,Bobby,b@x.de,,,,,0160 8\n";

std::vector<std::pair<std::string, std::vector<std::string>>> Read(std::string_view bytes) {
    std::vector<std::pair<std::string, std::vector<std::string>>> got;
    const std::optional<ContactFormat> format = DetectContactFormat(bytes);
    if (!format) return got;
    for (const VCardContact& contact : ReadContacts(bytes, *format)) got.emplace_back(contact.name, contact.numbers);
    return got;
}

TEST(ReadContacts, CsvShapesFoundByTheirHeader) {
    using Contacts = std::vector<std::pair<std::string, std::vector<std::string>>>;
    EXPECT_EQ(Read(kGoogleCsv), (Contacts{{"Jörg Müller", {"+49 171 1", "030 2", "*100#"}},
                                          {"ACME, Inc.", {"0301234"}},
                                          {"No Number", {}}}));
    EXPECT_EQ(Read(kOutlookCsv), (Contacts{{"Jörg Schötz", {"0171 234"}}, {"Büro", {"030 1"}}}));
    EXPECT_EQ(Read(kThunderbirdCsv), (Contacts{{"Anni H.", {"030 5", "+49 160 7"}}, {"Bobby", {"0160 8"}}}));
    EXPECT_EQ(Read("Name,E-mail\r\nAnna,a@x.de\r\n"), Contacts{});  // no shape we know
    // Our own export comes back as it went.
    EXPECT_EQ(Read(WriteGoogleCsv({{1, "+4930", "Huber, Anna \"A\""}})), (Contacts{{"Huber, Anna \"A\"", {"+4930"}}}));
}

TEST(ReadContacts, VCardShapesOfThePhonesAndMailers) {
    using Contacts = std::vector<std::pair<std::string, std::vector<std::string>>>;
    // An old Android phone: 2.1, quoted-printable UTF-8 split by a soft line break.
    EXPECT_EQ(Read("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=\r\n"
                   "=B6rg;;;\r\nTEL;CELL;PREF:+49 171 1\r\nTEL;HOME:030-2\r\nEND:VCARD\r\n"),
              (Contacts{{"Jörg Müller", {"+49 171 1", "030-2"}}}));
    // 4.0 with tel URIs, a folded FN; iOS groups; a nickname for a name.
    EXPECT_EQ(Read("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Anna Hu\r\n ber\r\nTEL;VALUE=uri;TYPE=cell:tel:+49-160-7;ext=2\r\n"
                   "TEL;VALUE=uri:tel:*100%23\r\nEND:VCARD\r\n"
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nNICKNAME:Bobby,Bob\r\nORG:ACME;Sales\r\nitem1.TEL;type=pref:0160 8\r\n"
                   "END:VCARD\r\n"),
              (Contacts{{"Anna Huber", {"+49-160-7", "*100#"}}, {"Bobby", {"0160 8"}}}));
}

TEST(PlanContacts, RowsTellWhatIsWrittenWhereAndWhatNot) {
    PlanTarget target;
    target.first = 1;
    target.last = 4;
    target.gsmNameLength = 6;
    target.numberLength = 8;
    target.held = {{1, "+4930123", "Anna"}, {3, "112", "Notruf"}};
    const auto contact = [](std::string name, std::vector<std::string> numbers) {
        VCardContact c;
        c.name = std::move(name);
        c.numbers = std::move(numbers);
        return c;
    };
    const std::vector<VCardContact> contacts = {
        contact("Anna", {"0049 30 123", "030 9"}),  // the first is on the phone at 1
        contact("Bernhard", {"0301"}),              // cut to six places
        contact("Carl", {}),
        contact("Dora", {"12a", "123456789"}),  // no dial string; nine digits
        contact("Anna", {"030-9"}),             // the same as the second row
        contact("Emil", {"+491"}),
        contact("Fritz", {"7"}),  // the memory is full by now
    };
    const std::vector<PlanRow> rows = PlanContacts(contacts, target);
    const std::vector<std::tuple<std::string, std::string, int, RowFate>> expected = {
        {"Anna", "004930123", 1, RowFate::AlreadyHeld}, {"Anna", "0309", 2, RowFate::Write},
        {"Bernha", "0301", 4, RowFate::Write},          {"Carl", "", -1, RowFate::NoNumber},
        {"Dora", "12a", -1, RowFate::NotADialString},   {"Dora", "123456789", -1, RowFate::NumberTooLong},
        {"Anna", "0309", -1, RowFate::Twice},           {"Emil", "+491", -1, RowFate::NoRoom},
        {"Fritz", "7", -1, RowFate::NoRoom},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(std::tie(rows[i].name, rows[i].number, rows[i].location, rows[i].fate), expected[i]) << i;
    }
    EXPECT_TRUE(rows[2].nameCut);
    EXPECT_FALSE(rows[1].nameCut);
    EXPECT_EQ(rows[0].removed, "  ");
}

TEST(Backup, CardsKeepMemoryLocationAndTypeAndTheRestoreSeesTheDifferences) {
    const std::vector<MemoryEntry> saved = {
        {"SM", {1, "+4930123", "Anna", 145}}, {"SM", {2, "112", "Notruf", 0}}, {"SM", {5, "0301", "Büro, 2.", 0}},
        {"ME", {1, "*100#", "Guthaben", 129}}};
    std::size_t skipped = 9;
    const std::vector<MemoryEntry> back =
        ReadBackupVCards(WriteBackupVCards(saved) + "BEGIN:VCARD\r\nFN:x\r\nTEL:1\r\nEND:VCARD\r\n", &skipped);
    EXPECT_EQ(skipped, 1u);
    ASSERT_EQ(back.size(), saved.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].memory, saved[i].memory);
        EXPECT_EQ(back[i].entry.index, saved[i].entry.index);
        EXPECT_EQ(back[i].entry.name, saved[i].entry.name);
        EXPECT_EQ(back[i].entry.number, saved[i].entry.number);
    }
    EXPECT_EQ(back[1].entry.type, 129);  // the type a write takes when none was known
    EXPECT_EQ(BackupMemories(back), (std::vector<std::string>{"SM", "ME"}));

    const std::vector<PhoneBookEntry> device = {
        {1, "0049 30 123", "Anna"}, {2, "110", "Notruf"}, {3, "7", "Neu"}};
    std::vector<std::pair<int, RestoreKind>> kinds;
    for (const RestoreRow& row : PlanRestore("SM", BackupOf(back, "SM"), device)) kinds.emplace_back(row.index, row.kind);
    EXPECT_EQ(kinds, (std::vector<std::pair<int, RestoreKind>>{{1, RestoreKind::Same},
                                                                {2, RestoreKind::Change},
                                                                {3, RestoreKind::OnlyOnDevice},
                                                                {5, RestoreKind::Add}}));
}

TEST(ParseNumberLength, TheFieldBeforeTheNameLength) {
    EXPECT_EQ(ParseNumberLength("\r\n+CPBR: (1-250),40,16\r\n\r\nOK\r\n"), 40);
    EXPECT_EQ(ParseNameLength("\r\n+CPBR: (1-250),40,16\r\n\r\nOK\r\n"), 16);
    EXPECT_EQ(ParseNumberLength("\r\n+CPBR: (1-250)\r\n"), std::nullopt);
    EXPECT_EQ(ParseNumberLength("\r\n+CPBR: (1-250),4"), std::nullopt);  // cut: 4 may be 40
}

}  // namespace
}  // namespace ribodex
