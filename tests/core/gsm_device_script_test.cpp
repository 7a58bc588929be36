// SPDX-License-Identifier: GPL-3.0-or-later
// GsmDevice against a scripted device on a real pseudo-terminal: exact bytes on the line,
// the time limits, and answers a well-behaved simulator never gives.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <optional>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/device/free_location_probe.h"
#include "core/device/free_locations.h"
#include "core/device/gsm_device.h"
#include "core/raw_pty.h"

namespace ribodex {
namespace {

using namespace std::string_literals;
using Clock = std::chrono::steady_clock;

long MillisSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Answers each command line from a table; a line missing from it gets "ERROR", and a line
// mapped to "" gets no answer at all. Every byte received is kept for the checks.
class ScriptedDevice {
public:
    explicit ScriptedDevice(test::RawPty& pty) : pty(pty) {
        thread = std::thread([this] { Run(); });
    }
    ~ScriptedDevice() {
        stop = true;
        thread.join();
    }
    // From now on nothing is answered at all.
    void Silence() { silent = true; }
    void Answer(const std::string& line, const std::string& answer) {
        std::lock_guard<std::mutex> lock(mutex);
        script[line] = answer;
    }
    std::vector<std::string> Lines() {
        std::lock_guard<std::mutex> lock(mutex);
        return lines;
    }
    std::string Bytes() {
        std::lock_guard<std::mutex> lock(mutex);
        return bytes;
    }

private:
    void Run() {
        std::string pending;
        while (!stop) {
            const std::string got = pty.Receive(1, 20);
            std::lock_guard<std::mutex> lock(mutex);
            bytes += got;
            pending += got;
            for (std::size_t end; (end = pending.find('\r')) != std::string::npos;) {
                const std::string line = pending.substr(0, end + 1);
                pending.erase(0, end + 1);
                lines.push_back(line);
                auto it = script.find(line);
                if (!silent) pty.Send(it == script.end() ? "\r\nERROR\r\n" : it->second);
            }
        }
    }

    test::RawPty& pty;
    std::thread thread;
    std::atomic<bool> stop{false};
    std::atomic<bool> silent{false};
    std::mutex mutex;
    std::map<std::string, std::string> script;
    std::vector<std::string> lines;
    std::string bytes;
};

class GsmDeviceScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        device.timing.afterDtrMs = 0;
        device.timing.afterDisconnectMs = 0;
        device.timing.commandLimitMs = 150;
        device.timing.pinLimitMs = 400;
        device.timing.fullReadLimitMs = 700;
        device.portMapper = [this](const std::string&) { return pty.SlavePath(); };
        ASSERT_TRUE(device.SetPort("COM3"));
        ASSERT_TRUE(device.Connect());
    }
    void TearDown() override { device.Disconnect(); }

    test::RawPty pty;
    GsmDevice device;
    ScriptedDevice script{pty};
};

TEST_F(GsmDeviceScriptTest, RefusedCommandsSendNothing) {
    EXPECT_FALSE(device.SelectPhoneBook(0));
    EXPECT_FALSE(device.SelectPhoneBook(3));
    EXPECT_FALSE(device.SelectPhoneBook(64));
    EXPECT_FALSE(device.EnterPin("12\"34"));
    EXPECT_FALSE(device.EnterPuk("12345678", "1\r\n"));
    EXPECT_FALSE(device.WriteEntry("123\r", "Name", 1));
    // Let anything that was sent arrive before looking.
    script.Answer("AT\r", "\r\nOK\r\n");
    EXPECT_EQ(device.Exchange("AT\r", 500), "\r\nOK\r\n");
    EXPECT_EQ(script.Bytes(), "AT\r");
}

TEST_F(GsmDeviceScriptTest, ChangingCommandsSucceedOnOkOnly) {
    script.Answer("AT+CPIN=\"1234\"\r", "\r\nOK\r\n");
    script.Answer("AT+CPIN=\"12345678\", \"4321\"\r", "\r\n+CME ERROR: 16\r\n");
    script.Answer("AT+CPBS=\"TA\"\r", "\r\nOK\r\n");
    script.Answer("AT+CPBS=\"OW\"\r", "\r\n+CME ERROR: 3\r\n");
    script.Answer("AT+CPBW=12\r", "\r\nOK\r\n");
    script.Answer("AT+CPBW=12, \"+0123\", 145, \"Office\"\r", "\r\nOK\r\n");
    script.Answer("AT+CPBW=13, \"0123\", 129, \"\x00" "ffice\x02\"\r"s, "\r\nOK\r\n");
    EXPECT_TRUE(device.EnterPin("1234"));
    EXPECT_FALSE(device.EnterPuk("12345678", "4321"));
    EXPECT_TRUE(device.SelectPhoneBook(DataCard));
    EXPECT_FALSE(device.SelectPhoneBook(OwnNumber));
    EXPECT_TRUE(device.DeleteEntry(12));
    EXPECT_FALSE(device.DeleteEntry(13));  // unscripted: ERROR
    EXPECT_TRUE(device.WriteEntry("+0123", "Office", 12));
    EXPECT_TRUE(device.WriteEntry("0123", "@ffice$", 13));
    EXPECT_EQ(script.Lines().size(), 8u);
}

TEST_F(GsmDeviceScriptTest, QueriesReadTheirAnswers) {
    script.Answer("AT+CPIN?\r", "AT+CPIN?\r\r\n+CPIN: PH-SIM PIN\r\n\r\nOK\r\n");  // echo on
    script.Answer("AT+CPBS=?\r", "\r\n+CPBS: (\"SM\",\"FD\",\"LD\")\r\n\r\nOK\r\n");
    script.Answer("AT+CPBS?\r", "\r\n+CPBS: \"FD\",2,10\r\n\r\nOK\r\n");
    EXPECT_EQ(device.GetPinState(), PhoneLockRequired);
    EXPECT_EQ(device.QueryPhoneBooks(), Sim | FixedNumbers);
    EXPECT_EQ(device.QueryCurrentPhoneBook(), FixedNumbers);
}

// Each operation waits for its own limit (here shortened, each one different) and fails.
TEST_F(GsmDeviceScriptTest, SilentDeviceCostsTheLimitOfEachCommand) {
    script.Silence();
    const struct {
        const char* operation;
        std::function<bool()> run;  // true when the operation reported failure
        long limitMs;
    } rows[] = {
        {"GetPinState", [&] { return device.GetPinState() == SimUnknown; }, 150},
        {"EnterPin", [&] { return !device.EnterPin("1"); }, 400},
        {"EnterPuk", [&] { return !device.EnterPuk("12345678", "1234"); }, 400},
        {"SelectPhoneBook", [&] { return !device.SelectPhoneBook(Sim); }, 150},
        {"ReadEntry", [&] { return !device.ReadEntry(1); }, 150},
        {"DeleteEntry", [&] { return !device.DeleteEntry(1); }, 150},
        {"WriteEntry", [&] { return !device.WriteEntry("1", "A", 1); }, 150},
        // No range: nothing to read, no "AT+CPBR=0, 0".
        {"ReadAllEntries: the range query alone", [&] { return device.ReadAllEntries() == 0; }, 150},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.operation);
        const auto start = Clock::now();
        EXPECT_TRUE(row.run());
        const long took = MillisSince(start);
        EXPECT_GE(took, row.limitMs);
        EXPECT_LT(took, row.limitMs + 200);
    }
    // The limits a real device gets.
    const Timing real;
    EXPECT_EQ(std::vector<int>({real.commandLimitMs, real.pinLimitMs, real.fullReadLimitMs}),
              std::vector<int>({5000, 6000, 30000}));
}

// A slow write counts against the exchange's limit (nobody reads: a long line fills the queue).
TEST(GsmDeviceExchange, SlowWriteCountsAgainstTheLimit) {
    test::RawPty pty;
    GsmDevice device;
    device.timing.afterDtrMs = device.timing.afterDisconnectMs = 0, device.timing.writeLimitMs = 300;
    device.portMapper = [&pty](const std::string&) { return pty.SlavePath(); };
    ASSERT_TRUE(device.SetPort("COM3") && device.Connect());
    const auto start = Clock::now();
    device.Exchange(std::string(256 * 1024, 'A') + "\r", 500);
    EXPECT_LT(MillisSince(start), 500 + 100);
}

TEST_F(GsmDeviceScriptTest, RangeSurvivesAnUnusableAnswer) {
    // Never learnt a range: the full reading asks for no locations at all.
    EXPECT_EQ(device.ReadAllEntries(), 0);
    EXPECT_EQ(script.Lines(), std::vector<std::string>{"AT+CPBR=?\r"});
    EXPECT_FALSE(device.rangeKnown);

    script.Answer("AT+CPBR=?\r", "\r\n+CPBR: (1-250),40,16\r\n\r\nOK\r\n");
    device.QueryPhoneBookInfo();
    EXPECT_EQ(device.firstIndex, 1);
    EXPECT_EQ(device.lastIndex, 250);
    script.Answer("AT+CPBR=?\r", "\r\n+CPBR: (1-250)\r\n\r\nOK\r\n");
    device.QueryPhoneBookInfo();
    script.Answer("AT+CPBR=?\r", "\r\nERROR\r\n");
    device.QueryPhoneBookInfo();
    EXPECT_EQ(device.firstIndex, 1);
    EXPECT_EQ(device.lastIndex, 250);
    EXPECT_TRUE(device.rangeKnown);
    EXPECT_EQ(device.nameLength, 16);
    // Another memory without a usable range keeps nothing of the one before.
    script.Answer("AT+CPBS=\"ME\"\r", "\r\nOK\r\n");
    ASSERT_TRUE(device.SelectPhoneBook(MobileEquipment));
    device.QueryPhoneBookInfo();
    EXPECT_FALSE(device.rangeKnown);
    EXPECT_EQ(device.nameLength, 0);
    EXPECT_EQ(device.ReadAllEntries(), 0);
    const std::vector<std::string> sent = script.Lines();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "AT+CPBR=1, 250\r"), 0);
}

TEST_F(GsmDeviceScriptTest, FullReadingCutByTheLimitKeepsCompleteLines) {
    script.Answer("AT+CPBR=?\r", "\r\n+CPBR: (1-40),40,16\r\n\r\nOK\r\n");
    std::string answer = "\r\n";
    for (int i = 1; i <= 30; ++i)
        answer += "+CPBR: " + std::to_string(i) + ",\"0" + std::to_string(i) + "\",129,\"N" +
                  std::to_string(i) + "\"\r\n";
    answer += "+CPBR: 31,\"031\",129,\"N3";  // and then nothing: no final result
    script.Answer("AT+CPBR=1, 40\r", answer);
    const auto start = Clock::now();
    EXPECT_EQ(device.ReadAllEntries(), 30);
    EXPECT_GE(MillisSince(start), 700);
    ASSERT_EQ(device.entries.size(), 30u);
    EXPECT_EQ(device.entries.back(), (PhoneBookEntry{30, "030", "N30", 129}));
    EXPECT_EQ(device.FindEntry(31), nullptr);
}

TEST_F(GsmDeviceScriptTest, ReadEntryKnowsBothEmptyForms) {
    script.Answer("AT+CPBR=1\r", "\r\n+CPBR: 1,\"0123\",145,\"\x00" "Home\"\r\n\r\nOK\r\n"s);
    script.Answer("AT+CPBR=2\r", "\r\n+CPBR: 2,\"0123\",129,\"X\"\r\nno entry\r\n\r\nOK\r\n");
    script.Answer("AT+CPBR=-1\r", "\r\n+CME ERROR: 21\r\n");
    EXPECT_TRUE(device.ReadEntry(1));
    EXPECT_FALSE(device.ReadEntry(2));
    EXPECT_FALSE(device.ReadEntry(-1));
    EXPECT_FALSE(device.ReadEntry(3));
    ASSERT_EQ(device.entries.size(), 1u);
    // The device's 0x00 comes back as '@'; type 145 folds into a leading '+'.
    EXPECT_EQ(device.entries.front(), (PhoneBookEntry{1, "+0123", "@Home", 145}));
}

TEST_F(GsmDeviceScriptTest, FindFreeIndexReadsUpToTheFirstGap) {
    script.Answer("AT+CPBR=?\r", "\r\n+CPBR: (1-5),40,16\r\n\r\nOK\r\n");
    for (int i = 1; i <= 3; ++i)
        script.Answer("AT+CPBR=" + std::to_string(i) + "\r",
                      "\r\n+CPBR: " + std::to_string(i) + ",\"1\",129,\"T\"\r\n\r\nOK\r\n");
    script.Answer("AT+CPBR=4\r", "\r\nOK\r\n");  // empty, as some phones say it
    script.Answer("AT+CPBW=4, \"5\", 129, \"New\"\r", "\r\nOK\r\n");
    EXPECT_TRUE(device.WriteEntry("5", "New", -1));
    const std::vector<std::string> expected = {"AT+CPBR=?\r", "AT+CPBR=1\r", "AT+CPBR=2\r",
                                               "AT+CPBR=3\r", "AT+CPBR=4\r",
                                               "AT+CPBW=4, \"5\", 129, \"New\"\r"};
    EXPECT_EQ(script.Lines(), expected);
    EXPECT_EQ(device.entries.size(), 3u);  // the taken locations, read on the way
}

// With the taken locations known only the candidate is read; one written meanwhile (4) is
// passed over to the next location not known taken.
TEST_F(GsmDeviceScriptTest, FindFreeIndexFromKnownLocationsReadsTheCandidates) {
    script.Answer("AT+CPBR=?\r", "\r\n+CPBR: (1-9),40,16\r\n\r\nOK\r\n");
    script.Answer("AT+CPBR=4\r", "\r\n+CPBR: 4,\"1\",129,\"T\"\r\n\r\nOK\r\n");
    script.Answer("AT+CPBR=6\r", "\r\n+CME ERROR: 22\r\n");
    FreeLocationSearch search;
    search.taken = {5, 3, 1, 2};
    EXPECT_EQ(device.FindFreeIndex(search), 6);
    EXPECT_EQ(script.Lines(), (std::vector<std::string>{"AT+CPBR=?\r", "AT+CPBR=4\r", "AT+CPBR=6\r"}));
}

TEST(FreeLocations, PlannedFromWhatIsTaken) {
    struct Row {
        std::vector<int> taken;
        int first, last;
        long long from;
        std::optional<int> next;
        std::size_t count;
        std::vector<int> plan;
        long long free;
    };
    const Row rows[] = {
        {{}, 1, 250, 1, 1, 3, {1, 2, 3}, 250},
        {{1, 2, 4}, 1, 6, 1, 3, 3, {3, 5, 6}, 3},
        {{4, 2, 1, 2}, 1, 6, 4, 5, 9, {3, 5, 6}, 3},  // any order, duplicates, more wanted than free
        {{1, 2, 3}, 1, 3, 1, std::nullopt, 2, {}, 0},  // full
        {{0, 7, 9}, 1, 5, 6, std::nullopt, 1, {1}, 5},  // outside the range, from beyond it
        {{}, 5, 1, 1, std::nullopt, 1, {}, 0},          // no range
        {{INT_MAX - 1}, INT_MAX - 1, INT_MAX, INT_MIN, INT_MAX, 5, {INT_MAX}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.taken) + " " + std::to_string(row.first) + ".." + std::to_string(row.last));
        EXPECT_EQ(NextFreeLocation(row.taken, row.first, row.last, row.from), row.next);
        EXPECT_EQ(PlanFreeLocations(row.taken, row.first, row.last, row.count), row.plan);
        EXPECT_EQ(FreeLocationCount(row.taken, row.first, row.last), row.free);
    }
}

// Neighbours share a read back while at most kReadBackJoin (2) known entries lie between.
TEST(FreeLocations, ReadBackRanges) {
    struct Row {
        std::vector<int> written, taken;
        std::vector<LocationRange> ranges;
    };
    const Row rows[] = {
        {{}, {1}, {}},
        {{7}, {}, {{7, 7}}},
        {{9, 3, 5, 3}, {1, 2, 4}, {{3, 9}}},
        {{3, 6}, {4, 5}, {{3, 6}}},
        {{3, 7}, {4, 5, 6}, {{3, 3}, {7, 7}}},
        {{1, 10, 12}, {2, 3, 4, 11}, {{1, 1}, {10, 12}}},
    };
    for (const Row& row : rows) EXPECT_EQ(PlanReadBack(row.written, row.taken), row.ranges);
}

// The probe against a memory whose taken locations are the runs given: the ranges it reads,
// then its verdict (Found: the location; Full; GiveUp).
TEST(FreeLocationProbe, ClosesTheCountOrFindsAFreeLocationAscending) {
    using V = FreeLocationProbe::Verdict;
    const struct Row { long long used; int first, last; std::vector<LocationRange> takenRuns, reads; FreeLocationProbe::Step end; } rows[] = {
        {241, 1, 250, {{1, 240}, {250, 250}}, {{241, 250}}, {V::Found, 241, 241}},
        {99, 1, 250, {{1, 36}, {38, 100}}, {{241, 250}, {1, 10}, {221, 240}, {181, 220}, {101, 180}, {11, 100}}, {V::Found, 37, 37}},
        {100, 1, 250, {{1, 100}}, {{241, 250}, {1, 10}, {221, 240}, {181, 220}, {101, 180}}, {V::Found, 101, 101}},
        {10, 1, 10, {{1, 10}}, {}, {V::Full}},
        {251, 1, 250, {}, {}, {V::GiveUp}},                                          // more than the memory holds
        {1, 1, 30, {{1, 20}}, {{21, 30}, {1, 10}}, {V::GiveUp}},                     // undercount, seen so
        {21, 1, 30, {{1, 19}, {25, 25}}, {{21, 30}}, {V::Found, 21, 21}},            // overcount: free, not lowest
        {3, 0, 9, {{0, 2}}, {{0, 9}}, {V::Found, 3, 3}},
        {0, 5, 5, {}, {{5, 5}}, {V::Found, 5, 5}},
        {1, 5, 5, {{5, 5}}, {}, {V::Full}},
    };
    for (const Row& row : rows) {
        FreeLocationProbe probe(row.used, row.first, row.last);
        std::vector<LocationRange> reads;
        FreeLocationProbe::Step step;
        for (step = probe.Next(); step.verdict == V::Read && reads.size() < 20; step = probe.Next()) {
            reads.emplace_back(step.first, step.last);
            std::vector<int> taken = {step.first - 1, step.last + 1};  // outside: not counted
            for (auto [from, to] : row.takenRuns)
                for (int i = std::max(from, step.first); i <= std::min(to, step.last); ++i) taken.push_back(i);
            probe.Answered(step.first, step.last, taken);
        }
        EXPECT_EQ(reads, row.reads) << "row " << &row - rows;
        EXPECT_EQ(step, row.end) << "row " << &row - rows;
    }
}

TEST_F(GsmDeviceScriptTest, FindFreeIndexOnAnEmptyRangeReadsNothing) {
    script.Answer("AT+CPBR=?\r", "\r\n+CPBR: (5-1),40,16\r\n\r\nOK\r\n");
    EXPECT_EQ(device.FindFreeIndex(), -1);
    EXPECT_EQ(script.Lines(), std::vector<std::string>{"AT+CPBR=?\r"});
}

}  // namespace
}  // namespace ribodex
