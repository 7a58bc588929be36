// SPDX-License-Identifier: GPL-3.0-or-later
// The refresh sequence against the simulated phone: what the list and the status bar see.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "core/device/gsm_device.h"
#include "core/session/connection_flow.h"
#include "core/session/refresh.h"
#include "core/session/settings_store.h"
#include "core/session_scripted_ui.h"
#include "sim/pty_modem.h"

namespace ribodex {
namespace {

using Strings = std::vector<std::string>;

// Records the calls in order; rows as "index|number|name".
class RecordingList : public ListSink {
public:
    std::vector<std::string> calls;
    void DeleteAllItems() override { calls.push_back("clear"); }
    void AddItem(std::string_view index, std::string_view number, std::string_view name) override {
        calls.push_back(std::string(index) + "|" + std::string(number) + "|" + std::string(name));
    }
    std::vector<int> ItemIndices() const override { return {}; }
    void UpdateItem(int index, const PhoneBookEntry* entry) override {
        calls.push_back("update " + std::to_string(index) + (entry ? "|" + entry->name : ""));
    }
};

class SessionRefreshTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ShortenWaits(device);
        ASSERT_TRUE(modem.Start());
        port = modem.SlavePath();
        session.settings.portName = port;
    }
    void TearDown() override { EXPECT_EQ(ui.waitDepth, 0); }

    void Store(const char* memory, int index, const char* number, const char* name) {
        modem.With([&](sim::ModemSimulator& m) {
            m.FindMemory(memory)->entries[index] = sim::SimEntry{number, number[0] == '+' ? 145 : 129, name};
        });
    }

    sim::PtyModem modem;
    std::string port;
    GsmDevice device;
    MemorySettingsStore store;
    test::ScriptedUi ui;
    Session session{device, store, ui};
    RecordingList list;
};

TEST_F(SessionRefreshTest, ConnectsFirstThenListsStoredIndicesInAscendingOrder) {
    Store("SM", 120, "+4930123", "Carl");
    Store("SM", 3, "0171", "Bert");
    Store("SM", 1, "089", "anna");
    Store("ME", 2, "555", "Phone only");  // another memory: never listed
    EXPECT_TRUE(RefreshList(session, list));
    EXPECT_EQ(session.connected, 1);
    EXPECT_EQ(list.calls, (Strings{"clear", "1|089|anna", "3|0171|Bert", "120|+4930123|Carl"}));
    EXPECT_EQ(ui.seen, (Strings{"status 160 " + port, "status 133 " + port, "status 57345"}));
}

TEST_F(SessionRefreshTest, ConnectedSessionRefreshesWithoutANewFlow) {
    ASSERT_TRUE(ConnectDevice(session));
    Store("SM", 250, "1", "Last");
    ui.seen.clear();
    // The wait before the full read keeps running the idle hook (the window stays painted).
    device.timing.beforeFullReadMs = 300;
    using Clock = std::chrono::steady_clock;
    Clock::time_point last = Clock::now();
    Clock::duration longest{};
    device.idleHook = [&] {
        longest = std::max(longest, Clock::now() - last);
        last = Clock::now();
    };
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(RefreshList(session, list));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_LT(longest, std::chrono::milliseconds(150));
    EXPECT_EQ(list.calls, (Strings{"clear", "250|1|Last"}));
    EXPECT_EQ(ui.seen, (Strings{"status 133 " + port, "status 57345"}));

    // Deleted on the phone meanwhile: the next refresh shows an empty list.
    modem.With([](sim::ModemSimulator& m) { m.FindMemory("SM")->entries.clear(); });
    list.calls.clear();
    EXPECT_TRUE(RefreshList(session, list));
    EXPECT_EQ(list.calls, (Strings{"clear"}));
}

TEST_F(SessionRefreshTest, FailedFlowLeavesListAndStatusBarAlone) {
    session.settings.portName = "/dev/ribodex-no-such-port";
    EXPECT_FALSE(RefreshList(session, list));
    EXPECT_TRUE(list.calls.empty());
    EXPECT_EQ(ui.seen, (Strings{"message 132"}));

    session.settings.portName = port;
    modem.With([](sim::ModemSimulator& m) {
        m.Config().pin = "1234";
        m.PowerOn();
    });
    ui.seen.clear();
    ui.pinAnswers = {{false, std::nullopt, std::nullopt}};
    EXPECT_FALSE(RefreshList(session, list));
    EXPECT_TRUE(list.calls.empty());
}

// An empty list after a read that got no answer must not pass for an empty phone book.
TEST_F(SessionRefreshTest, SilentDeviceEmptiesTheListAndSaysSo) {
    session.settings.queryPin = 0;
    Store("SM", 5, "1", "x");
    device.timing.commandLimitMs = 150;
    device.timing.fullReadLimitMs = 300;
    modem.With([](sim::ModemSimulator& m) { m.Config().silent = true; });
    EXPECT_TRUE(RefreshList(session, list));
    EXPECT_EQ(list.calls, (Strings{"clear"}));
    EXPECT_EQ(ui.Seen("status").back(), "status 57345");
    EXPECT_EQ(ui.seen.back(), "message 166 " + port);
    EXPECT_EQ(session.connected, 1) << "the line is still there: the device may answer next time";
}

// Only what FindEntry holds inside firstIndex..lastIndex is listed, each index once, in
// ascending order, and a range of two billion costs no more than the entries held.
TEST(RefreshRows, StoredEntriesInsideTheRangeInAscendingOrder) {
    GsmDevice device;
    device.firstIndex = 2;
    device.lastIndex = 2147483647;
    device.StoreEntry(2147483647, "9", "Top");
    device.StoreEntry(7, "7", "Seven");
    device.StoreEntry(1, "1", "Below");
    device.StoreEntry(2, "2", "Two");
    device.StoreEntry(7, "77", "Seven again");  // a later line for an index replaces it
    RecordingList list;
    AddStoredEntries(device, list);
    EXPECT_EQ(list.calls, (Strings{"2|2|Two", "7|77|Seven again", "2147483647|9|Top"}));

    device.firstIndex = -5;
    device.lastIndex = -1;
    device.StoreEntry(-3, "3", "neg");
    list.calls.clear();
    AddStoredEntries(device, list);
    EXPECT_EQ(list.calls, (Strings{"-3|3|neg"}));
}

// Unplugged and back, the phone wants its PIN and answers ERROR to the phone book: F5 asks
// for the PIN and lists the book; it used to show an empty list without a word.
TEST_F(SessionRefreshTest, ReplugWantingItsPinGetsThePinPrompt) {
    Store("SM", 4, "0171", "Bert");
    ASSERT_TRUE(ConnectDevice(session));
    modem.With([](sim::ModemSimulator& m) {
        m.Config().pin = "1234";
        m.PowerOn();
    });
    ui.pinAnswers.push_back({true, "1234", 0});
    ui.seen.clear();
    EXPECT_TRUE(RefreshList(session, list));
    EXPECT_EQ(std::count(ui.seen.begin(), ui.seen.end(), "pin 156 " + port + " '' 0 left 3"), 1);
    EXPECT_EQ(list.calls.back(), "4|0171|Bert");
    EXPECT_TRUE(ui.messages.empty());
}

// Another memory that gives no range: nothing is read with the old one's, and the user is told.
TEST_F(SessionRefreshTest, AMemoryWithoutARangeIsNotReadWithTheOldOne) {
    Store("SM", 4, "0171", "Bert");
    ASSERT_TRUE(RefreshList(session, list));
    modem.With([](sim::ModemSimulator& m) { m.Config().simBusyMs = 60000; });
    modem.With([](sim::ModemSimulator& m) { m.PowerOn(); });
    device.timing.simBusyLimitMs = 300;
    list.calls.clear();
    EXPECT_TRUE(RefreshList(session, list));
    EXPECT_EQ(list.calls, Strings{"clear"});
    EXPECT_EQ(ui.messages, std::vector<int>{MsgSimBusyNoRange});
    const std::vector<std::string> sent = modem.With([](sim::ModemSimulator& m) { return m.Commands(); });
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "AT+CPBR=0, 0"), 0);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "AT+CPBR=1, 250"), 1);  // the first refresh only
}

}  // namespace
}  // namespace ribodex
