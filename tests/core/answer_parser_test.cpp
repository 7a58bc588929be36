// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/answer_parser.h"
#include "core/device/pin_retries.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/device/phone_book_storage.h"

namespace ribodex {
namespace {

using namespace std::string_literals;

struct PinRow {
    std::string answer;
    SimState expected;
};

TEST(ParsePinState, AnswersOfRealDevices) {
    const PinRow rows[] = {
        {"\r\n+CPIN: READY\r\n\r\nOK\r\n", SimReady},
        {"AT+CPIN?\r\r\n+CPIN: READY\r\n\r\nOK\r\n", SimReady},  // echo on
        {"\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n", SimPinRequired},
        {"\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n", SimPukRequired},
        // The phone's own lock is not the SIM's PIN; were taken for it.
        {"\r\n+CPIN: PH-SIM PIN\r\n\r\nOK\r\n", PhoneLockRequired},
        {"\r\n+CPIN: PH_SIM PIN\r\n\r\nOK\r\n", PhoneLockRequired},  // Alcatel, no usable SIM
        {"\r\n+CPIN: PH-SIM PUK\r\n\r\nOK\r\n", PhoneLockPukRequired},
        {"\r\n+CPIN: PH-NET PIN\r\n\r\nOK\r\n", NetworkLockRequired},
        {"\r\n+CPIN: SIM PIN2\r\n\r\nOK\r\n", SimPin2Required},
        {"\r\n+CPIN: SIM PUK2\r\n\r\nOK\r\n", SimPuk2Required},
        {"\r\n+CPIN: NOT READY\r\n\r\nOK\r\n", SimUnknown},  // was taken for READY
        {"\r\n+CPIN: \r\n\r\nOK\r\n", SimReady},            // Alcatel: an empty status
        {"\r\n+CPIN: \"SIM PIN\"\r\n\r\nOK\r\n", SimPinRequired},  // quoted
        {"\r\n+CPIN: READY\r\n", SimReady},  // Wavecom: no OK follows
        {"\r\nOK\r\n", SimUnknown},
        {"\r\n+CME ERROR: 10\r\n", SimUnknown},  // SIM not inserted, extended error form
        {"\r\nERROR\r\n", SimUnknown},
        {"", SimUnknown},                         // no answer within the limit
        {"\r\n+CPIN: READY", SimUnknown},        // cut before the carriage return
        {"\r\nSIM PIN\r\n\r\nOK\r\n", SimPinRequired},  // the word alone, no prefix
        {"+CPIN: ready\r\n", SimUnknown},        // case-sensitive
    };
    for (const PinRow& row : rows)
        EXPECT_EQ(ParsePinState(row.answer), row.expected) << testing::PrintToString(row.answer);
}

// A changing command succeeds on "OK" and a carriage return anywhere in its answer.
TEST(HasOk, AnswersToAChangingCommand) {
    const std::pair<std::string, bool> rows[] = {
        {"\r\nOK\r\n", true},
        {"AT+CPBW=1\r\r\nOK\r\n", true},           // echo on
        {"0\rOK\r", true},                             // CR only, no line feeds
        {"OK\r", true},
        {"+CPBR: 1,\"1\",129,\"BOOK\r\"\r\n", true},   // a stored text ending in OK and CR
        {"\r\nOK", false},                             // cut before the carriage return
        {"\r\nOK\n", false},
        {"\r\n+CME ERROR: 16\r\n", false},
        {"\r\n+CMS ERROR: 500\r\n", false},
        {"\r\nERROR\r\n", false},
        {"\r\nok\r\n", false},                         // case-sensitive
        {"", false},
    };
    for (const auto& [answer, ok] : rows) EXPECT_EQ(HasOk(answer), ok) << testing::PrintToString(answer);
}

// An earlier command's answer that came late, ahead of the answer to "AT+CPBR=1, 250".
TEST(StaleAnswerLength, EchoOfAnotherCommandUpToItsFinalResult) {
    const std::string range = "AT+CPBR=?\r\r\n+CPBR: (1-250),40,16\r\n\r\nOK\r\n";
    const std::string ours = "AT+CPBR=1, 250\r\r\n+CPBR: 1,\"1\",129,\"A\"\r\n\r\nOK\r\n";
    const std::pair<std::string, std::size_t> rows[] = {
        {range + ours, range.size()},
        {range, range.size()},                           // ours still to come
        {"\xF8\x07~\x80" + range, range.size() + 4},     // line noise before the echo
        {"AT+CPBR=7\r\r\n+CME ERROR: 22\r\nAT+CPBR=1, 250\r", 28},  // extended error, LF only after
        {"AT+CPBW=3\r\r\nOK\r", 15},                     // no line feed after the last CR yet
        {"AT+CPBR=7\r\r\n+CPBR: 7,\"1\"", 0},              // the earlier answer not complete yet
        {ours, 0},                                        // our own echo
        {"AT+CPBR=1, 250\r", 0},
        {"\r\n+CPBR: (1-250),40,16\r\n\r\nOK\r\n", 0},    // echo off: cannot be told apart
        {"\r\nRING\r\nAT+CPBR=?\r\r\nOK\r\n", 0},          // first line without an echo
        {"AT+CPBR=?", 0},                                 // echo line not complete
        {"", 0},
    };
    for (const auto& [answer, stale] : rows) {
        EXPECT_EQ(StaleAnswerLength(answer, "AT+CPBR=1, 250\r"), stale) << testing::PrintToString(answer);
        EXPECT_EQ(StaleAnswerLength(answer, "AT+CPBR=1, 250"), stale) << "line without its CR";
    }
}

struct CodeRow {
    std::string answer;
    int expected;
};

TEST(ParsePhoneBookSet, OrsTheQuotedNamesItKnows) {
    const CodeRow rows[] = {
        {"\r\n+CPBS: (\"SM\",\"FD\",\"LD\")\r\n\r\nOK\r\n", Sim | FixedNumbers},  // LD ignored
        {"AT+CPBS=?\r\r\n+CPBS: (\"ME\",\"SM\",\"TA\",\"MD\",\"ON\",\"FD\")\r\n\r\nOK\r\n", 63},
        // The own numbers are ON (were looked for as OW, which no device names).
        {"\r\n+CPBS: (\"SM\",\"DC\",\"MC\",\"RC\",\"ON\",\"EN\")\r\nOK\r\n", Sim | OwnNumber},
        {"\r\n+CPBS: (\"SM\",\"OW\")\r\nOK\r\n", Sim},
        {"\r\nERROR\r\n", 0},
        {"", 0},
        {"\r\n+CPBS: (\"me\",\"sm\")\r\n\r\nOK\r\n", 0},           // lower case is not ours
        {"\r\n+CPBS: (SM,ME)\r\n\r\nOK\r\n", Sim | MobileEquipment},  // bare names (Motorola); were 0
        {"\r\n+CPBS: SM, ME,FD\r\n\r\nOK\r\n", Sim | MobileEquipment | FixedNumbers},  // no parentheses
        {"\r\n+CPBS: \"SM\",\"ON\"\r\n^RSSI: 17\r\nOK\r\n", Sim | OwnNumber},  // no parentheses, URC after
        {"\r\n+CPBS: (\"SMS\",\"PSM\")\r\nOK\r\n", 0},             // quotes belong to the name
        {"\r\n+CPBS: (\"SM\",\"ME\"", Sim | MobileEquipment},      // cut answer: as far as it goes
    };
    for (const CodeRow& row : rows)
        EXPECT_EQ(ParsePhoneBookSet(row.answer), row.expected) << testing::PrintToString(row.answer);
}

TEST(ParseCurrentPhoneBook, FirstKnownMemoryInCodeOrder) {
    const CodeRow rows[] = {
        {"\r\n+CPBS: \"SM\",12,250\r\n\r\nOK\r\n", Sim},
        {"\r\n+CPBS: \"FD\",0,10\r\n\r\nOK\r\n", FixedNumbers},  // usage counts follow
        {"AT+CPBS?\r\r\n+CPBS: \"ON\"\r\n\r\nOK\r\n", OwnNumber},
        {"\r\n+CPBS: \"SM\"\r\n+CPBS: \"ME\"\r\nOK\r\n", MobileEquipment},  // position plays no part
        {"\r\n+CPBS: \"LD\",3,10\r\n\r\nOK\r\n", 0},
        {"\r\n+CPBS: ME,10,500\r\n\r\nOK\r\n", MobileEquipment},  // bare name; was 0
        {"\r\n+CPBS: LD,3,10\r\nOK\r\n", 0},
        {"\r\n+CME ERROR: 3\r\n", 0},
        {"", 0},
    };
    for (const CodeRow& row : rows)
        EXPECT_EQ(ParseCurrentPhoneBook(row.answer), row.expected)
            << testing::PrintToString(row.answer);
}

TEST(ParsePhoneBookUsed, CountAfterTheMemoryName) {
    const std::pair<std::string, std::optional<int>> rows[] = {
        {"AT+CPBS?\r\r\n+CPBS: \"SM\",12,250\r\n\r\nOK\r\n", 12},
        {"\r\n+CPBS: SM , 241 ,250\r\nOK\r\n", 241},  // bare, blanks around the commas
        {"\r\n+CPBS: \"S,M\",3\r\nOK\r\n", 3},         // a comma inside the quotes; no total
        {"\r\n+CPBS: \"SM\"\r\n\r\nOK\r\n", std::nullopt},  // the name alone
        {"\r\n+CPBS: \"SM\",,250\r\n", std::nullopt},
        {"\r\n+CPBS: \"SM\",-1,250\r\n", std::nullopt},
        {"\r\n+CPBS: \"SM\",25", std::nullopt},  // cut: it may have been 250
    };
    for (const auto& [answer, used] : rows) EXPECT_EQ(ParsePhoneBookUsed(answer), used) << testing::PrintToString(answer);
}

struct RangeRow {
    std::string answer;
    std::optional<std::pair<int, int>> expected;
};

TEST(ParsePhoneBookRange, RangeBeforeTheFirstComma) {
    using R = std::pair<int, int>;
    const RangeRow rows[] = {
        {"\r\n+CPBR: (1-250),40,16\r\n\r\nOK\r\n", R{1, 250}},
        {"AT+CPBR=?\r\r\n+CPBR: (1-250),40,16\r\n\r\nOK\r\n", R{1, 250}},  // echo on
        {"\r\n+CPBR: (1-100),anything else", R{1, 100}},
        {"+CPBR: (0-9),20,14\r\nOK\r\n", R{0, 9}},
        {"\r\n+CPBR: ( 1 - 500 ),40,18\r\n\r\nOK\r\n", R{1, 500}},  // spaces inside the range
        {"\r\n+CPBR: (-250),40,16\r\nOK\r\n", R{0, 250}},          // empty first counts as 0
        {"\r\n+CPBR: (1-250)\r\n\r\nOK\r\n", std::nullopt},          // range alone, no comma
        {"\r\n+CPBR: (1),40,16\r\n\r\nOK\r\n", R{1, 1}},  // single location; was nullopt
        {"\r\n+CPBR: (),40,16\r\n\r\nOK\r\n", R{1, 0}},   // no location; kept the old range
        {"\r\n+CPBR: 1-250,40,16\r\nOK\r\n", R{1, 250}},     // no parentheses (Huawei)
        {"\r\n+CPBR: (0-499),40,24,0,0,0,0\r\nOK\r\n", R{0, 499}},  // ME from 0, 27.007 lengths
        {"\r\n+CPBR: 7,40,16\r\nOK\r\n", R{7, 7}},
        {"\r\nRING\r\n\r\n+CPBR: (2-500),40,16\r\nOK\r\n", R{2, 500}},  // starts at 2, URC first
        {"\r\nERROR\r\n", std::nullopt},
        {"\r\n+CME ERROR: 4\r\n", std::nullopt},
        {"", std::nullopt},
        {"\r\n+CPBR: (1-", std::nullopt},                            // cut answer
        // More digits than an int holds: clamped, never undefined.
        {"+CPBR: (1-99999999999999999999),40,16\r\nOK\r\n", R{1, INT_MAX}},
    };
    for (const RangeRow& row : rows)
        EXPECT_EQ(ParsePhoneBookRange(row.answer), row.expected)
            << testing::PrintToString(row.answer);
}

struct EntryRow {
    std::string answer;
    std::optional<std::pair<std::string, std::string>> expected;  // number, device name
};

TEST(ParseEntryAnswer, OneLocation) {
    using E = std::pair<std::string, std::string>;
    const EntryRow rows[] = {
        {"\r\n+CPBR: 17,\"0123\",129,\"Office\"\r\n\r\nOK\r\n", E{"0123", "Office"}},
        {"AT+CPBR=17\r\r\n+CPBR: 17,\"0123\",129,\"Office\"\r\n\r\nOK\r\n", E{"0123", "Office"}},
        {"\r\n+CPBR: 1,\"0123\",145,\"Int\"\r\nOK\r\n", E{"+0123", "Int"}},
        {"\r\n+CPBR: 1,\"+0123\",145,\"Int\"\r\nOK\r\n", E{"+0123", "Int"}},  // no second plus
        {"\r\n+CPBR: 1,\"0123\", 145 ,\"Int\"\r\nOK\r\n", E{"+0123", "Int"}},  // spaced type
        {"\r\n+CPBR: 1,\"0123\",161,\"Nat\"\r\nOK\r\n", E{"0123", "Nat"}},
        {"\r\n+CPBR: 1,\"\",145,\"Empty\"\r\nOK\r\n", E{"", "Empty"}},  // no plus on nothing
        // Read as a full read reads the line: number and name trimmed.
        {"\r\n+CPBR: 1,\" 0123 \",129,\" Bob \"\r\nOK\r\n", E{"0123", "Bob"}},
        {"\r\n+CPBR: 1,\"5\",129,\"Smith, John\"\r\nOK\r\n", E{"5", "Smith, John"}},
        {"\r\n+CPBR: 1,\"5\",129,\"A \"quote\"\"\r\nOK\r\n", E{"5", "A \"quote\""}},  // was cut there
        {"\r\n+CPBR: 1,,\"+3123\",145,\"Mama GSM\",\"2007/11/02,09:27\"\r\nOK\r\n", E{"+3123", "Mama GSM"}},
        {"\r\n+CPBR: 1,\"5\",129,\"X\",0\r\nOK\r\n", E{"5", "X"}},  // trailing field ignored
        {"\r\n+CPBR: 1,\"5\",129,\"\x00\x02\"\r\nOK\r\n"s, E{"5", "\x00\x02"s}},  // @ and $
        {"\r\n+CPBR: 1,\"5\",145\r\nOK\r\n", E{"+5", ""}},  // no name field: taken; was free
        {"\r\n+CPBR: 3,\"0301\",129,Anna\r\nOK\r\n", E{"0301", "Anna"}},  // bare name; was free
        // Quotes of an unsolicited line ahead of the entry; were taken for the number.
        {"\r\n+CREG: 1,\"00C3\",\"0001\"\r\n+CPBR: 3,\"0301\",129,\"Anna\"\r\nOK\r\n", E{"0301", "Anna"}},
        {"\r\n+CPBR: 1,\"5\",145,\"Cut", std::nullopt},       // cut inside the name
        {"\r\nno entry\r\n+CPBR: 1,\"5\",129,\"X\"\r\nOK\r\n", std::nullopt},
        {"\r\nERROR\r\n", std::nullopt},
        {"\r\n+CME ERROR: 22\r\n", std::nullopt},  // not found, extended form without quotes
        {"\r\nOK\r\n", std::nullopt},              // empty location on some Nokias
        {"", std::nullopt},
    };
    for (const EntryRow& row : rows) {
        const std::optional<EntryAnswer> got = ParseEntryAnswer(row.answer);
        ASSERT_EQ(got.has_value(), row.expected.has_value()) << testing::PrintToString(row.answer);
        if (got) {
            EXPECT_EQ(got->number, row.expected->first) << testing::PrintToString(row.answer);
            EXPECT_EQ(got->deviceName, row.expected->second) << testing::PrintToString(row.answer);
        }
    }
}

TEST(ParseLocationState, OnlyAnAnswerThatSaysSoIsEmpty) {
    using L = LocationState;
    const std::pair<std::string, L> rows[] = {
        {"AT+CPBR=3\r\r\n+CPBR: 3,\"0123\",129,\"Three\"\r\n\r\nOK\r\n", L::Taken}, {"\r\n+CPBR: 3,\"1\",129,\"T\"\r\n", L::Taken},
        {"AT+CPBR=3\r\r\nOK\r\n", L::Empty}, {"\r\nERROR\r\n", L::Empty}, {"\r\n+CME ERROR: 22\r\n", L::Empty},
        {"\r\nno entry\r\n\r\nOK\r\n", L::Empty}, {"", L::Unknown}, {"\r\n+CPBR: 3,\"01", L::Unknown},
        {"\r\n+CPBR: 3,0123,129,Three\r\n\r\nOK\r\n", L::Taken}, {"\r\n+CPBR: x\r\n\r\nOK\r\n", L::Unknown},
        // Another location named (Samsung): not an answer for 3, not a free location either.
        {"\r\n+CPBR: 81,\"0123\",129,\"Other\"\r\n\r\nOK\r\n", L::Unknown},
        {"\r\n+CPBR: 3,\"0123\",129,\"Cut\r\n\r\nOK\r\n", L::Unknown},  // quote never closes
        {"\r\n+CPBR: 3,,\"+3123\",145,\"Mama\"\r\nOK\r\n", L::Taken},
    };
    for (const auto& [answer, expected] : rows)
        EXPECT_EQ(ParseLocationState(answer, 3), expected) << testing::PrintToString(answer);
}

TEST(ParsePinRetries, CountsOfTheSimPinAndPuk) {
    using R = std::pair<std::optional<int>, std::optional<int>>;
    const std::pair<std::string, R> rows[] = {
        {"AT+CPINR\r\r\n+CPINR: SIM PIN,2,3\r\n+CPINR: SIM PUK,10,10\r\n\r\nOK\r\n", R{2, 10}},
        // Quoted codes after PIN2, no default field, the extended form, blanks.
        {"\r\n+CPINR: \"SIM PIN2\",3,3\r\n+CPINR: \"SIM PUK\",7\r\n+CPINR: \"SIM PIN\",0,3\r\nOK\r\n", R{0, 7}},
        {"\r+CPINRE: SIM PIN,1,3,\"Ready\"\rOK\r", R{1, {}}}, {"\r\n+CPINR: SIM PIN , 3 , 3\r\nOK\r\n", R{3, {}}},
        {"\r\n+CPINR: SIM PIN,-1,3\r\n+CPINR: SIM PUK,1000,10\r\nOK\r\n", R{}},  // no counts
        {"\r\n+CPINR: SIM PIN,2,3\r\n+CPINR: SIM PUK,1", R{2, {}}},  // cut: the complete lines
        {"AT+CPINR\r\r\nERROR\r\n", R{}}, {"\r\n+CPINR: SIM PIN,2,3\r\n+CME ERROR: 10\r\n", R{}},
        {"\r\n^CPIN: SIM PIN,2,10,2,10,3\r\n\r\nOK\r\n", R{2, 10}}, {"\r\n^CPIN: READY,,9,1,10,3\r\nOK\r\n", R{1, 9}},
    };
    for (const auto& [answer, expected] : rows)
        EXPECT_EQ(R(ParsePinRetries(answer).pin, ParsePinRetries(answer).puk), expected) << testing::PrintToString(answer);
}

struct ListRow {
    std::string answer;
    std::vector<std::tuple<int, std::string, std::string>> expected;
};

TEST(ParseEntryList, WholeMemory) {
    const ListRow rows[] = {
        {"AT+CPBR=1, 250\r\r\n+CPBR: 1,\"0123\",129,\"Anna\"\r\n"
         "+CPBR: 2,\"0456\",145,\"Bert\"\r\n\r\nOK\r\n",
         {{1, "0123", "Anna"}, {2, "+0456", "Bert"}}},
        // Echo off, bare carriage returns, a Siemens-style extra field after the name.
        {"\r+CPBR: 3,\"+49\",145,\"Carl\",0\r+CPBR: 7,\"1\",129,\"Dora\",1\rOK\r",
         {{3, "+49", "Carl"}, {7, "1", "Dora"}}},
        // Both ends of number and name trimmed, the index read like "%d".
        {"+CPBR:   12 ,\" 555 \",129,\"  Eve \"\r\nOK\r\n", {{12, "555", "Eve"}}},
        {"+CPBR: 1,\"\",145,\"Nobody\"\r\n", {{1, "", "Nobody"}}},
        {"+CPBR: 1,\"9\",129,\"Smith, John\"\r\n", {{1, "9", "Smith, John"}}},
        // The same index twice: both lines count.
        {"+CPBR: 4,\"1\",129,\"Old\"\r\n+CPBR: 4,\"2\",129,\"New\"\r\nOK\r\n",
         {{4, "1", "Old"}, {4, "2", "New"}}},
        // Cut off inside the third line's name: the two complete ones stay.
        {"+CPBR: 1,\"1\",129,\"A\"\r\n+CPBR: 2,\"2\",129,\"B\"\r\n+CPBR: 3,\"3\",129,\"C",
         {{1, "1", "A"}, {2, "2", "B"}}},
        // A line without a name is an entry without one; it used to take the next line's
        // number for its name.
        {"+CPBR: 2,\"2\",129\r\n+CPBR: 3,\"3\",129,\"C\"\r\nOK\r\n", {{2, "2", ""}, {3, "3", "C"}}},
        // 3GPP TS 27.007 fields after the name (hidden, group, adnumber, adtype, secondtext,
        // email, sip_uri, tel_uri); an empty type; blanks after commas; bare number and name.
        {"+CPBR: 1,\"0301\",129,\"Anna\",0,\"Work\",\"0302\",129,\"A2\",\"a@x.de\",\"sip:a@x\",\"tel:+49\"\r\n"
         "+CPBR: 2,\"0302\",,\"Bert\"\r\n+CPBR: 3, \"0303\", 145, \"Carl\"\r\n+CPBR: 4,0304,129,Dora\r\nOK\r\n",
         {{1, "0301", "Anna"}, {2, "0302", "Bert"}, {3, "+0303", "Carl"}, {4, "0304", "Dora"}}},
        // Unsolicited results inside the answer (Huawei, ZTE, Quectel, Siemens); a garbled line.
        {"\r\nRING\r\n+CPBR: 1,\"1\",129,\"A\"\r\n+CRING: VOICE\r\n^RSSI: 17\r\n^MODE: 5,4\r\n"
         "^SRVST: 2\r\n^BOOT: 2,0,0,4,0\r\n+PBREADY\r\n+CREG: 1,\"00C3\",\"0001\"\r\n+CGREG: 1\r\n"
         "+CIEV: \"MESSAGE\",1\r\n+CPBR: x,\"9\",129,\"Junk\"\r\n+CPBR: 2,\"2\",129,\"B\"\r\nOK\r\n",
         {{1, "1", "A"}, {2, "2", "B"}}},
        {"+CPBR: 9,\"9\",129,\"I\"\r\n+CPBR: 3,\"3\",129,\"C\"\r\n", {{9, "9", "I"}, {3, "3", "C"}}},  // out of order
        {"\r\nOK\r\n", {}},
        {"\r\n+CME ERROR: 21\r\n", {}},
        {"", {}},
    };
    for (const ListRow& row : rows) {
        std::vector<std::tuple<int, std::string, std::string>> got;
        for (const EntryLine& line : ParseEntryList(row.answer))
            got.emplace_back(line.index, line.number, std::string(line.deviceName));
        EXPECT_EQ(got, row.expected) << testing::PrintToString(row.answer);
        // Counted as it streams in, byte by byte, the count is always the parse's.
        EntryLineCounter counter;
        for (std::size_t n = 0; n <= row.answer.size(); ++n)
            ASSERT_EQ(counter.Count(std::string_view(row.answer).substr(0, n)),
                      static_cast<int>(ParseEntryList(row.answer.substr(0, n)).size())) << n;
    }
}

// Lines captured from real devices, read alike by a full and a single read.
TEST(ParseEntryList, RealDeviceShapes) {
    using Row = std::tuple<std::string, int, std::string, std::string, int>;  // line, index, number, name, type
    const Row rows[] = {
        {"+CPBR: 1,,\"+31234657899\",145,\"Mama GSM\",\"2007/11/02,09:27\"", 1, "+31234657899", "Mama GSM", 145},
        {"+CPBR: 8,\"666666666\",129,\"\"Oui\"\"", 8, "666666666", "\"Oui\"", 129},
        {"+CPBR: 9,\"5\",129,\"Say \"hi\" Bob\" ,0", 9, "5", "Say \"hi\" Bob", 129},
        {"+CPBR: 2,\"\",,\"No type\"", 2, "", "No type", 0},
        {"+CPBR: 3,,129,\"Bare empty number\"", 3, "", "Bare empty number", 129},
        {"+CPBR: 4,\"0049\",161,\"National\"", 4, "0049", "National", 161},
    };
    for (const auto& [line, index, number, name, type] : rows) {
        const std::string answer = "\r\n" + line + "\r\n+CPBR: 99,\"1\",129,\"Next\"\r\n\r\nOK\r\n";
        const std::vector<EntryLine> got = ParseEntryList(answer);
        ASSERT_EQ(got.size(), 2u) << line;
        EXPECT_EQ(std::tuple(got[0].index, got[0].number, std::string(got[0].deviceName), got[0].type),
                  std::tuple(index, number, name, type)) << line;
        EXPECT_EQ(got[1].deviceName, "Next") << line;  // the next entry stays whole
        const std::optional<EntryAnswer> single = ParseEntryAnswer(answer);
        ASSERT_TRUE(single) << line;
        EXPECT_EQ(std::tuple(single->index, single->number, std::string(single->deviceName), single->type),
                  std::tuple(std::optional<int>(index), number, name, type)) << line;
    }
    // A name cut by a CR before its closing quote must not take the next entry line.
    const std::vector<EntryLine> cut = ParseEntryList("+CPBR: 1,\"1\",129,\"Cut\r\n+CPBR: 2,\"2\",129,\"Whole\"\r\nOK\r\n");
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(std::tuple(cut[0].index, std::string(cut[0].deviceName)), std::tuple(2, std::string("Whole")));
    EXPECT_EQ(UnreadableEntryLines("+CPBR: 1,\"1\",129,\"Cut\r\n+CPBR: 2,\"2\",129,\"Whole\"\r\nOK\r\n"), 1u);
}

TEST(ParseEntryList, CountMatchesCallbacks) {
    std::string answer;
    for (int i = 1; i <= 30; ++i)
        answer += "+CPBR: " + std::to_string(i) + ",\"" + std::to_string(1000 + i) +
                  "\",129,\"Name" + std::to_string(i) + "\"\r\n";
    answer += "+CPBR: 31,\"1031\",129,\"Name";  // the time limit cut the 31st line
    int calls = 0;
    EXPECT_EQ(ParseEntryList(answer, [&calls](EntryLine&&) { ++calls; }), 30u);
    EXPECT_EQ(calls, 30);
}

TEST(IsSimBusy, WhatModemsSayRightAfterPowerUpOrAPin) {
    const std::pair<std::string, bool> rows[] = {
        {"\r\n+CME ERROR: 14\r\n", true},  {"\r\n+CME ERROR: SIM busy\r\n", true},
        {"\r\n+CME ERROR: 515\r\n", true}, {"\r\n+CME ERROR: SIM not ready\r\n", true},
        {"\r\n+CPIN: NOT READY\r\n\r\nOK\r\n", true},  // Telit
        {"\r\n+CME ERROR: 145\r\n", false}, {"\r\n+CME ERROR: 10\r\n", false},  // no SIM at all
        {"\r\n+CPIN: READY\r\n\r\nOK\r\n", false}, {"\r\nERROR\r\n", false},
    };
    for (const auto& [answer, busy] : rows) EXPECT_EQ(IsSimBusy(answer), busy) << testing::PrintToString(answer);
    EXPECT_EQ(ClassifyFinalResult("\r\n+CME ERROR: 22\r\n"), FinalResult::NotFound);
    EXPECT_EQ(ClassifyFinalResult("\r\n+CME ERROR: not found\r\n"), FinalResult::NotFound);
    EXPECT_EQ(ClassifyFinalResult("+CPBR: 1,\"1\",129,\"OK\"\r\n+CME ERROR: 21\r\n"), FinalResult::Error);
    EXPECT_EQ(ClassifyFinalResult("\r\nOK\r\n"), FinalResult::Ok);
    EXPECT_EQ(ClassifyFinalResult("\r\n+CME ERROR: 3\r\n"), FinalResult::Refused);
    EXPECT_EQ(ClassifyFinalResult("+CPBR: 1,\"1\""), FinalResult::None);
}

TEST(ParseInt, LikeScanfWithoutUndefinedOverflow) {
    const std::pair<std::string, int> rows[] = {
        {"42", 42},           {"  \t-17", -17},         {"+8", 8},
        {" 12 ,", 12},        {"7abc", 7},              {"", 0},
        {"abc", 0},           {"-", 0},                 {"- 5", 0},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"2147483648", INT_MAX},
        {"-2147483649", INT_MIN}, {"99999999999999999999999999", INT_MAX},
        {"\r\n 3", 3},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(ParseInt(text), expected) << testing::PrintToString(text);
}

TEST(DigitsOnly, KeepsDigitsInOrder) {
    EXPECT_EQ(DigitsOnly(" (1"), "1");
    EXPECT_EQ(DigitsOnly("+49 (0) 30-12"), "4903012");
    EXPECT_EQ(DigitsOnly("\x00" "5\xB9" "6"s), "56");  // superscript one is not a digit
    EXPECT_EQ(DigitsOnly(")"), "");
}

TEST(IsValidNumber, DigitsWithOneOptionalPlus) {
    const std::pair<std::string, bool> rows[] = {
        {"+", true},      {"5", true},      {"0123456789", true}, {"+49301234", true},
        {"", false},      {"++49", false},  {"030 1234", false},  {"030-1234", false},
        {"*100#", false}, {"#31#", false},  {"0123p", false},     {"123a", false},
        {"+4\xB9", false}, {"1+2", false},
    };
    for (const auto& [number, expected] : rows)
        EXPECT_EQ(IsValidNumber(number), expected) << testing::PrintToString(number);
}

}  // namespace
}  // namespace ribodex
