// SPDX-License-Identifier: GPL-3.0-or-later
// Paste and the entry commands' pure decisions against the simulated phone: which locations
// are probed and written, and what the user sees.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "core/device/gsm_device.h"
#include "core/formats/clipboard_records.h"
#include "core/session/connection_flow.h"
#include "core/session/entry_commands.h"
#include "core/session/paste.h"
#include "core/session/refresh.h"
#include "core/session/settings_store.h"
#include "core/session_scripted_ui.h"
#include "sim/pty_modem.h"

namespace ribodex {
namespace {

using Strings = std::vector<std::string>;

// Rows as "index|number|name" in ascending index order, as a refresh leaves them.
class CountingList : public ListSink {
public:
    std::map<int, std::string> rows;
    void DeleteAllItems() override { rows.clear(); }
    void AddItem(std::string_view index, std::string_view number, std::string_view name) override {
        rows[std::stoi(std::string(index))] = std::string(number) + "|" + std::string(name);
    }
    std::vector<int> ItemIndices() const override {
        std::vector<int> indices;
        for (const auto& row : rows) indices.push_back(row.first);
        return indices;
    }
    void UpdateItem(int index, const PhoneBookEntry* entry) override {
        if (entry) rows[index] = entry->number + "|" + entry->name;
        else rows.erase(index);
    }
};

class SessionPasteTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ShortenWaits(device);
        device.timing.perPastedRecordMs = 1;
        ASSERT_TRUE(modem.Start());
        session.settings.portName = modem.SlavePath();
        session.settings.queryPin = 0;
    }
    void TearDown() override { EXPECT_EQ(ui.waitDepth, 0); }

    void Store(int index, const char* name) {
        modem.With([&](sim::ModemSimulator& m) { m.FindMemory("SM")->entries[index] = {"0" + std::to_string(index), 129, name}; });
    }
    // The location commands (reads and writes) from the first'th command line on.
    Strings LocationCommands(std::size_t first = 0) {
        Strings out;
        const Strings all = modem.With([](sim::ModemSimulator& m) { return m.Commands(); });
        for (std::size_t i = first; i < all.size(); ++i)
            if (all[i].rfind("AT+CPBW=", 0) == 0 || (all[i].rfind("AT+CPBR=", 0) == 0 && all[i] != "AT+CPBR=?"))
                out.push_back(all[i]);
        return out;
    }
    std::size_t CommandCount() { return modem.With([](sim::ModemSimulator& m) { return m.Commands().size(); }); }

    sim::PtyModem modem;
    GsmDevice device;
    MemorySettingsStore store;
    test::ScriptedUi ui;
    Session session{device, store, ui};
    CountingList list;
};

// The locations come from the list and one range read confirms them; one that was written
// since the list was read (3) is found there and passed over; the written ones are read
// back in one range and the list updated with them, not read again as a whole.
TEST_F(SessionPasteTest, LocationsArePlannedFromTheListConfirmedAndReadBack) {
    Store(1, "One");
    Store(2, "Two");
    Store(4, "Four");
    ASSERT_TRUE(ConnectDevice(session));
    ASSERT_TRUE(RefreshList(session, list));
    Store(3, "Late");
    ui.seen.clear();
    const std::size_t before = CommandCount();
    const std::string text = BuildClipboardText(
        {{"Anna", "0301", ""}, {"No number", "", ""}, {"Bob", "+49112", ""}, {"Cleo", "777", ""}});

    const PasteCount count = PasteEntries(session, list, text);
    EXPECT_EQ(count.records, 4);
    EXPECT_EQ(count.stored, 3);
    EXPECT_EQ(count.failed, 1);
    EXPECT_EQ(count.written, (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(LocationCommands(before),
              (Strings{"AT+CPBR=3, 6", "AT+CPBR=7, 7", "AT+CPBW=5, \"0301\", 129, \"Anna\"",
                       "AT+CPBW=6, \"+49112\", 145, \"Bob\"", "AT+CPBW=7, \"777\", 129, \"Cleo\"",
                       "AT+CPBR=5, 7"}));
    EXPECT_EQ(ui.seen, (Strings{"status 164 1 4", "status 164 2 4", "status 164 3 4", "status 164 4 4",
                                "status 57345", "message 143"}));
    EXPECT_EQ(list.rows, (std::map<int, std::string>{{1, "01|One"}, {2, "02|Two"}, {4, "04|Four"},
                                                     {5, "0301|Anna"}, {6, "+49112|Bob"}, {7, "777|Cleo"}}));
}

// More entries than free locations: asked first; No writes nothing, Yes writes as many as
// fit and tells of the rest.
TEST_F(SessionPasteTest, MoreEntriesThanFreeLocationsAsksFirst) {
    modem.With([](sim::ModemSimulator& m) { m.FindMemory("SM")->last = 3; });
    Store(2, "Two");
    ASSERT_TRUE(ConnectDevice(session));
    ASSERT_TRUE(RefreshList(session, list));
    const std::string text = BuildClipboardText({{"A", "1", ""}, {"B", "2", ""}, {"C", "3", ""}});
    ui.yesNoAnswers = {false, true};
    EXPECT_EQ(PasteEntries(session, list, text).stored, 0);
    const PasteCount count = PasteEntries(session, list, text);
    EXPECT_EQ(count.stored, 2);
    EXPECT_EQ(count.failed, 1);
    EXPECT_EQ(ui.Seen("ask"), (Strings{"ask 180 2 3", "ask 180 2 3"}));
    EXPECT_EQ(ui.messages.back(), MsgPasteIncomplete);
    EXPECT_EQ(list.rows.size(), 3u);
}

// A text without records sends nothing and shows nothing (the window beeps); a port that
// is not open fails every record at once instead of waiting out each time limit.
TEST_F(SessionPasteTest, NothingToPasteOrNoOpenPort) {
    EXPECT_EQ(PasteEntries(session, list, "Anna\t0301\r\n").records, 0);
    EXPECT_TRUE(ui.seen.empty());

    const std::string text = BuildClipboardText({{"Anna", "0301", ""}, {"Bob", "112", ""}});
    const PasteCount count = PasteEntries(session, list, text);
    EXPECT_EQ(count.stored, 0);
    EXPECT_EQ(count.failed, 2);
    EXPECT_EQ(ui.messages, (std::vector<int>{MsgPasteIncomplete}));
    EXPECT_TRUE(modem.With([](sim::ModemSimulator& m) { return m.Commands().empty(); }));
}

TEST(EntryCommands, IndexOfTheNewEntryDialog) {
    EXPECT_EQ(NewEntryIndex(""), -1);
    EXPECT_EQ(NewEntryIndex("5"), 5);
    EXPECT_EQ(NewEntryIndex("007"), 7);
    EXPECT_EQ(NewEntryIndex("0"), 0);  // the device answers for location 0
    EXPECT_EQ(NewEntryIndex("99999999999999"), INT_MAX);
}

// Unchanged texts send nothing; any byte that differs is written (case included).
TEST(EntryCommands, EditWritesOnlyAChange) {
    GsmDevice device;  // never connected: a write fails at once after its short limit
    device.timing.commandLimitMs = 10;
    MemorySettingsStore store;
    test::ScriptedUi ui;
    Session session{device, store, ui};
    const EntryFields before{"Anna", "0301"};
    EXPECT_EQ(RewriteEntry(session, 3, before, {"Anna", "0301"}), EditOutcome::Unchanged);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(RewriteEntry(session, 3, before, {"anna", "0301"}), EditOutcome::Failed);
    EXPECT_EQ(RewriteEntry(session, 3, before, {"Anna", "+0301"}), EditOutcome::Failed);
    EXPECT_EQ(ui.messages, (std::vector<int>{MsgWriteFailed, MsgWriteFailed}));
    EXPECT_EQ(ui.waitDepth, 0);
}

}  // namespace
}  // namespace ribodex
