// Paste and the entry commands' pure decisions against the simulated phone: which locations
// are probed and written, and what the user sees.
#include <gtest/gtest.h>

#include <climits>
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

class CountingList : public ListSink {
public:
    Strings rows;
    void DeleteAllItems() override { rows.clear(); }
    void AddItem(std::string_view index, std::string_view number, std::string_view name) override {
        rows.push_back(std::string(index) + "|" + std::string(number) + "|" + std::string(name));
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
    // The location commands since the connection: reads (probes) and writes.
    Strings LocationCommands() {
        Strings out;
        for (const std::string& c : modem.With([](sim::ModemSimulator& m) { return m.Commands(); }))
            if (c.rfind("AT+CPBW=", 0) == 0 || (c.rfind("AT+CPBR=", 0) == 0 && c != "AT+CPBR=?" && c.find(',') == std::string::npos))
                out.push_back(c);
        return out;
    }

    sim::PtyModem modem;
    GsmDevice device;
    MemorySettingsStore store;
    test::ScriptedUi ui;
    Session session{device, store, ui};
    CountingList list;
};

// Every location is probed once within a paste: the ones found taken and the ones written
// are not read again for the next record.
TEST_F(SessionPasteTest, EachLocationIsProbedOnceAndRecordsGoToTheFreeOnes) {
    Store(1, "One");
    Store(2, "Two");
    Store(4, "Four");
    ASSERT_TRUE(ConnectDevice(session));
    ui.seen.clear();
    const std::string text = BuildClipboardText(
        {{"Anna", "0301", ""}, {"No number", "", ""}, {"Bob", "+49112", ""}, {"Cleo", "777", ""}});

    const PasteCount count = PasteEntries(session, list, text);
    EXPECT_EQ(count.records, 4);
    EXPECT_EQ(count.stored, 3);
    EXPECT_EQ(count.failed, 1);
    EXPECT_EQ(LocationCommands(),
              (Strings{"AT+CPBR=1", "AT+CPBR=2", "AT+CPBR=3", "AT+CPBW=3, \"0301\", 129, \"Anna\"",
                       "AT+CPBR=4", "AT+CPBR=5", "AT+CPBW=5, \"+49112\", 145, \"Bob\"",
                       "AT+CPBR=6", "AT+CPBW=6, \"777\", 129, \"Cleo\""}));
    const std::string port = modem.SlavePath();
    EXPECT_EQ(ui.seen, (Strings{"status 164 1 4", "status 164 2 4", "status 164 3 4", "status 164 4 4",
                                "status 57345", "status 133 " + port, "status 57345", "message 143"}));
    EXPECT_EQ(list.rows, (Strings{"1|01|One", "2|02|Two", "3|0301|Anna", "4|04|Four", "5|+49112|Bob",
                                  "6|777|Cleo"}));
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
