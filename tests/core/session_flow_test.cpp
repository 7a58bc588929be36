// SPDX-License-Identifier: GPL-3.0-or-later
// The connection flow and the refresh against the simulated phone on a real pty, with the
// user played by a script.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <tuple>
#include <memory>
#include <string>
#include <vector>

#include "core/device/gsm_device.h"
#include "core/session/pin_scramble.h"
#include "core/raw_pty.h"
#include "core/session/connection_flow.h"
#include "core/session/settings_store.h"
#include "core/session_scripted_ui.h"
#include "sim/pty_modem.h"

namespace ribodex {
namespace {

using test::ScriptedUi;
using Lock = sim::ModemSimulator::Lock;
using Strings = std::vector<std::string>;

constexpr const char* kPin = "1234";
constexpr const char* kPuk = "12345678";

sim::SimConfig LockedSim() {
    sim::SimConfig config;
    config.pin = kPin;
    config.puk = kPuk;
    return config;
}

class SessionFlowTest : public ::testing::Test {
protected:
    void SetUp() override { test::ShortenWaits(device); }

    // Starts the phone and points the session at it.
    void Plug(sim::SimConfig config = LockedSim()) {
        modem = std::make_unique<sim::PtyModem>(std::move(config));
        ASSERT_TRUE(modem->Start());
        port = modem->SlavePath();
        session.settings.portName = port;
        session.settings.queryPin = 1;
    }

    Lock SimLock() { return modem->With([](sim::ModemSimulator& m) { return m.LockState(); }); }
    int PinAttemptsLeft() {
        return modem->With([](sim::ModemSimulator& m) { return m.PinAttemptsLeft(); });
    }
    std::string StoredPin(const std::string& forPort) {
        return UnscramblePin(store.GetText(PortSection(forPort), "PIN", ""));
    }

    void TearDown() override { EXPECT_EQ(ui.waitDepth, 0); }

    std::unique_ptr<sim::PtyModem> modem;
    std::string port;
    GsmDevice device;
    MemorySettingsStore store;
    ScriptedUi ui;
    Session session{device, store, ui};
};

TEST_F(SessionFlowTest, FirstStartWithoutSettingsCannotOpenAPort) {
    LoadSessionSettings(session);
    EXPECT_EQ(session.settings.portName, "");
    EXPECT_EQ(session.settings.queryPin, 1);
    session.connected = 1;  // a flow that fails must clear it
    EXPECT_FALSE(ConnectDevice(session));
    EXPECT_EQ(session.connected, 0);
    EXPECT_EQ(ui.seen, (Strings{"message 132"}));
    EXPECT_FALSE(device.IsConnected());

    session.settings.portName = "/dev/ribodex-no-such-port";
    EXPECT_FALSE(ConnectDevice(session));
    EXPECT_EQ(ui.messages, (std::vector<int>{132, 132}));

    // Held by another program (here: another link of ours): who holds it and what to do.
    Plug();
    GsmDevice other;
    other.timing.afterDtrMs = 0;
    other.SetPort(modem->SlavePath());
    ASSERT_TRUE(other.Connect());
    EXPECT_FALSE(ConnectDevice(session));
    EXPECT_EQ(ui.messages.back(), MsgPortBusy);
}

TEST_F(SessionFlowTest, QueryPinOffTrustsTheDeviceWithoutAsking) {
    Plug();
    session.settings.queryPin = 0;
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_EQ(session.connected, 1);
    EXPECT_TRUE(ui.seen.empty());
    EXPECT_EQ(SimLock(), Lock::SimPin);  // nothing was sent to unlock it
    const Strings commands = modem->With([](sim::ModemSimulator& m) { return m.Commands(); });
    EXPECT_EQ(commands, (Strings{"AT+CSCS=\"GSM\"", "AT+CSCS=?", "AT+CPBS=\"SM\""}));
}

TEST_F(SessionFlowTest, ReadySimConnectsWithoutPromptOrPause) {
    sim::SimConfig config;
    config.pin = "";
    Plug(config);
    device.timing.afterPinAcceptedMs = 2000;  // must not be waited for a ready SIM
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_EQ(session.connected, 1);
    EXPECT_EQ(ui.seen, (Strings{"status 160 " + port}));
}

TEST_F(SessionFlowTest, RememberedPinUnlocksWithoutPrompt) {
    Plug();
    StorePinSettings(store, 1, port, kPin);
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_EQ(session.connected, 1);
    EXPECT_EQ(SimLock(), Lock::None);
    EXPECT_TRUE(ui.Seen("pin").empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SessionFlowTest, WrongPinShowsMessageAndReopensDialogEmptyWithTheTriesLeft) {
    Plug();
    ui.pinAnswers = {{true, "1111", 1}, {true, kPin, std::nullopt}};
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_EQ(session.connected, 1);
    EXPECT_EQ(ui.seen, (Strings{"status 160 " + port, "pin 156 " + port + " '' 0 left 3", "message 158",
                                "status 160 " + port, "pin 156 " + port + " '' 1 left 2", "status 170 " + port}));
    EXPECT_EQ(SimLock(), Lock::None);
    // Accepted with Save checked: remembered for this port, scrambled.
    EXPECT_EQ(store.GetInt(PortSection(port), "Save PIN", 0), 1);
    EXPECT_EQ(StoredPin(port), kPin);
    EXPECT_NE(store.GetText(PortSection(port), "PIN", ""), kPin);
}

// A remembered PIN the SIM refused is not sent again in the next pass: that would spend the
// last attempt while the user believes to have one left.
TEST_F(SessionFlowTest, RejectedRememberedPinCostsOneAttemptOnly) {
    Plug();
    StorePinSettings(store, 1, port, "0000");
    // Pass 1: remembered (attempt 1), typed (attempt 2); pass 2: typed (attempt 3).
    ui.pinAnswers = {{true, "1111", 0}, {true, kPin, 0}};
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_EQ(ui.Seen("pin"), (Strings{"pin 156 " + port + " '' 0 left 2", "pin 156 " + port + " '' 0 left 1"}));
    EXPECT_EQ(ui.messages, (std::vector<int>{158}));
    EXPECT_EQ(SimLock(), Lock::None);
    EXPECT_EQ(session.connected, 1);

    // Cancelled instead: the port stays open.
    modem->With([](sim::ModemSimulator& m) { m.PowerOn(); });
    StorePinSettings(store, 1, port, "0000");
    ui.pinAnswers = {{false, std::nullopt, std::nullopt}};
    EXPECT_FALSE(ConnectDevice(session));
    EXPECT_EQ(ui.seen.back(), "status 57345");
    EXPECT_EQ(PinAttemptsLeft(), 2);
    EXPECT_EQ(session.connected, 0);
    EXPECT_TRUE(device.IsConnected());  // a cancelled prompt leaves the port open
}

TEST_F(SessionFlowTest, ThreeWrongPinsLeadToThePukDialog) {
    Plug();
    ui.pinAnswers = {{true, "1111", 1}, {true, "2222", std::nullopt}, {true, "3333", std::nullopt}};
    ui.pukAnswers = {{true, "87654321", "4321", 1}, {true, kPuk, "4321", 1}};
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_EQ(ui.messages, (std::vector<int>{158, 158, 158, 159}));
    EXPECT_EQ(ui.Seen("puk"), (Strings{"puk 157 " + port + " '' '' 0 left 10",
                                       "puk 157 " + port + " '' '4321' 1 left 9"}));
    EXPECT_EQ(SimLock(), Lock::None);
    EXPECT_EQ(session.connected, 1);
    // The new PIN is what is remembered, and what the SIM now wants after power-on.
    EXPECT_EQ(StoredPin(port), "4321");
    modem->With([](sim::ModemSimulator& m) { m.PowerOn(); });
    ui.seen.clear();
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_TRUE(ui.Seen("pin").empty());
    EXPECT_EQ(SimLock(), Lock::None);
}

TEST_F(SessionFlowTest, CancelledDialogsLeaveTheSimLockedAndDisconnected) {
    Plug();
    ui.pinAnswers = {{false, "9", 1}};
    session.connected = 1;
    EXPECT_FALSE(ConnectDevice(session));
    EXPECT_EQ(ui.seen, (Strings{"status 160 " + port, "pin 156 " + port + " '' 0 left 3", "status 57345"}));
    EXPECT_EQ(session.connected, 0);
    EXPECT_EQ(PinAttemptsLeft(), 3);  // a cancelled dialog sends nothing
    EXPECT_FALSE(store.Contains(PortSection(port), "Save PIN"));

    modem->With([](sim::ModemSimulator& m) {
        while (m.LockState() == Lock::SimPin) m.Feed("AT+CPIN=\"0000\"\r");
    });
    ASSERT_EQ(SimLock(), Lock::SimPuk);
    ui.seen.clear();
    ui.pukAnswers = {{false, "1", "2", 0}};
    modem->With([](sim::ModemSimulator& m) { m.Config().pinRetries = false; });  // ERROR: no count
    EXPECT_FALSE(ConnectDevice(session));
    EXPECT_EQ(ui.seen, (Strings{"status 160 " + port, "puk 157 " + port + " '' '' 0", "status 57345"}));
    EXPECT_EQ(SimLock(), Lock::SimPuk);
    EXPECT_EQ(session.connected, 0);
}

// Cancel in any wait of connecting ends the flow at once and without a message: nothing
// more is sent, and what was done (a PIN the SIM took) stays done.
TEST_F(SessionFlowTest, AStoppedWaitEndsTheFlowQuietly) {
    // The SIM's PIN (empty: none), the statuses shown, and the last command the phone got.
    struct Row { const char* wait; bool silent; int afterDtrMs, simBusyMs, afterPinMs; std::string pin; Strings statuses; const char* lastCommand; };
    const Row rows[] = {
        {"after DTR", false, 500, 0, 0, "", {"184", "57345"}, nullptr},
        {"busy SIM", false, 0, 3000, 0, "", {"160", "170", "57345"}, "AT+CPIN?"},
        {"after the PIN", false, 0, 0, 500, kPin, {"160", "pin", "170", "57345"}, "AT+CPIN=\"1234\""},
        {"silent device", true, 0, 0, 0, "", {"160", "57345"}, nullptr},  // shown after 1 s
    };
    for (const Row& row : rows) {
        sim::SimConfig config = LockedSim();
        std::tie(config.pin, config.simBusyMs, config.cmee, config.silent) = std::tuple{row.pin, row.simBusyMs, 1, row.silent};
        Plug(config);
        std::tie(device.timing.afterDtrMs, device.timing.afterPinAcceptedMs) = std::pair{row.afterDtrMs, row.afterPinMs};
        device.timing.commandLimitMs = 3000;
        ui = ScriptedUi{};
        ui.pinAnswers = {{true, kPin, 1}};
        ui.stopWaitAt = 3;
        session.connected = 1;
        EXPECT_FALSE(ConnectDevice(session)) << row.wait;
        EXPECT_EQ(session.connected, 0) << row.wait;
        EXPECT_TRUE(ui.messages.empty()) << row.wait;
        Strings statuses;  // "status 160 /dev/pts/3" -> "160", "pin 156 ..." -> "pin"
        for (const std::string& seen : ui.seen)
            statuses.push_back(seen.rfind("status ", 0) == 0 ? seen.substr(7, seen.find(' ', 7) - 7) : "pin");
        EXPECT_EQ(statuses, row.statuses) << row.wait;
        const Strings commands = modem->With([](sim::ModemSimulator& m) { return m.Commands(); });
        EXPECT_EQ(commands.empty() ? "" : commands.back(), row.lastCommand ? row.lastCommand : "") << row.wait;
        EXPECT_EQ(device.IsConnected(), row.afterDtrMs == 0) << row.wait;  // closed when stopped before it was open
        EXPECT_EQ(StoredPin(port), row.pin) << row.wait;
    }
}

TEST_F(SessionFlowTest, RememberedPinBelongsToItsPortOnly) {
    Plug();
    ui.pinAnswers = {{true, kPin, 1}};
    ASSERT_TRUE(ConnectDevice(session));
    ASSERT_EQ(StoredPin(port), kPin);

    // A second phone with the same PIN on another port still asks.
    sim::PtyModem other(LockedSim());
    ASSERT_TRUE(other.Start());
    session.settings.portName = other.SlavePath();
    ui.seen.clear();
    ui.pinAnswers = {{false, std::nullopt, std::nullopt}};
    EXPECT_FALSE(ConnectDevice(session));
    EXPECT_EQ(ui.Seen("pin").size(), 1u);
    EXPECT_FALSE(TryStoredPin(device, store, "COM2"));
    EXPECT_EQ(other.With([](sim::ModemSimulator& m) { return m.PinAttemptsLeft(); }), 3);
}

TEST_F(SessionFlowTest, AcceptedPinWithSaveUncheckedErasesTheRememberedOne) {
    Plug();
    StorePinSettings(store, 1, port, "0000");  // stale: costs one attempt
    ui.pinAnswers = {{true, kPin, 0}};
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_EQ(store.GetInt(PortSection(port), "Save PIN", 1), 0);
    EXPECT_EQ(store.GetText(PortSection(port), "PIN", "x"), "");
    EXPECT_EQ(PinAttemptsLeft(), 3);  // reset by the accepted PIN
}

TEST_F(SessionFlowTest, DeviceWithoutAUsableAnswerAsksWhetherToContinue) {
    test::RawPty mute;  // opens like a port but never answers
    ASSERT_TRUE(mute.Ok());
    device.timing.commandLimitMs = 200;
    session.settings.portName = mute.SlavePath();
    ui.yesNoAnswers = {true, false};
    EXPECT_TRUE(ConnectDevice(session));
    EXPECT_EQ(session.connected, 1);
    EXPECT_EQ(ui.seen, (Strings{"status 160 " + mute.SlavePath(), "ask 147 " + mute.SlavePath()}));

    ui.seen.clear();
    EXPECT_FALSE(ConnectDevice(session));
    EXPECT_EQ(session.connected, 0);
    EXPECT_EQ(ui.seen, (Strings{"status 160 " + mute.SlavePath(), "ask 147 " + mute.SlavePath(),
                                "status 57345"}));
    EXPECT_TRUE(device.IsConnected());
}

// Every way the flow ends connected selects the GSM character set and then the SIM memory,
// whatever another program left the phone in (UCS2 names, the phone's own memory). The
// wait after an accepted PIN or PUK keeps running the idle hook, so the window stays painted.
TEST_F(SessionFlowTest, EveryConnectedEndSelectsGsmNamesAndTheSimMemory) {
    struct Case {
        const char* how;
        std::string pin;      // of the SIM; "" for none
        bool pinQuery = true;  // the phone answers AT+CPIN?
        int queryPin = 1;
        std::function<void()> arrange;
    };
    constexpr int kWaitMs = 300;
    device.timing.afterPinAcceptedMs = kWaitMs;
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> hookCalls;
    device.idleHook = [&hookCalls] { hookCalls.push_back(Clock::now()); };
    const Case cases[] = {
        {"typed PIN", kPin, true, 1, [this] { ui.pinAnswers = {{true, kPin, 0}}; }},
        {"PUK", kPin, true, 1,
         [this] {
             modem->With([](sim::ModemSimulator& m) {
                 while (m.LockState() == Lock::SimPin) m.Feed("AT+CPIN=\"0000\"\r");
             });
             ui.pukAnswers = {{true, kPuk, "4321", 0}};
         }},
        {"remembered PIN", kPin, true, 1,
         [this] { StorePinSettings(store, 1, port, kPin); }},
        {"Yes to an unusable PIN state", "", false, 1,
         [this] { ui.yesNoAnswers = {true}; }},
        {"ready SIM", "", true, 1, [] {}},
        {"Query PIN off", "", true, 0, [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        sim::SimConfig config = LockedSim();
        config.pin = c.pin;
        config.pinQuery = c.pinQuery;
        config.selectedMemory = "ME";
        Plug(config);
        modem->With([](sim::ModemSimulator& m) { m.Feed("AT+CSCS=\"UCS2\"\r"); });
        session.settings.queryPin = c.queryPin;
        store = MemorySettingsStore();
        ui = ScriptedUi();
        c.arrange();

        hookCalls = {Clock::now()};
        ASSERT_TRUE(ConnectDevice(session));
        hookCalls.push_back(Clock::now());
        Clock::duration longest{};
        for (std::size_t i = 1; i < hookCalls.size(); ++i) longest = std::max(longest, hookCalls[i] - hookCalls[i - 1]);
        EXPECT_LT(longest, std::chrono::milliseconds(kWaitMs / 2));
        const auto [memory, charset, commands] = modem->With([](sim::ModemSimulator& m) {
            return std::make_tuple(m.Config().selectedMemory, m.CharacterSet(), m.Commands());
        });
        EXPECT_EQ(memory, "SM");
        EXPECT_EQ(charset, "GSM");
        ASSERT_GE(commands.size(), 3u);
        EXPECT_EQ(commands[commands.size() - 3], "AT+CSCS=\"GSM\"");
        device.Disconnect();
    }
}

TEST_F(SessionFlowTest, SettingsAreSavedOnSuccessOrAtExitOnly) {
    LoadSessionSettings(session);
    EXPECT_FALSE(AcceptSettings(session, "/dev/ribodex-no-such-port", 0));
    EXPECT_EQ(session.settings.portName, "/dev/ribodex-no-such-port");
    EXPECT_EQ(session.settings.queryPin, 0);
    EXPECT_FALSE(store.Contains("1.0", "Port"));
    ExitSession(session);  // the values tried are written at exit
    EXPECT_EQ(store.GetText("1.0", "Port", ""), "/dev/ribodex-no-such-port");
    EXPECT_EQ(store.GetInt("1.0", "Query PIN", 1), 0);

    sim::SimConfig ready;
    Plug(ready);
    EXPECT_TRUE(AcceptSettings(session, port, 1));
    EXPECT_EQ(store.GetText("1.0", "Port", ""), port);
    EXPECT_EQ(store.GetInt("1.0", "Query PIN", 0), 1);
    EXPECT_TRUE(AfterSettingsAccepted(session));
    ExitSession(session);
    EXPECT_FALSE(device.IsConnected());
}

// "ribodex --port DEMO" (make demo) must not change the port the user chose, unless the user
// confirms the settings dialog during that run.
TEST_F(SessionFlowTest, PortForThisRunIsSavedOnlyOnceTheSettingsAreConfirmed) {
    store.SetText("1.0", "Port", "COM7");
    LoadSessionSettings(session);
    UsePortForThisRun(session, "DEMO");
    UsePortForThisRun(session, "/dev/ttyUSB3");  // a second one keeps the stored port
    EXPECT_EQ(session.settings.portName, "/dev/ttyUSB3");
    ExitSession(session);
    EXPECT_EQ(store.GetText("1.0", "Port", ""), "COM7");

    UsePortForThisRun(session, "DEMO");
    EXPECT_FALSE(AcceptSettings(session, "/dev/ribodex-no-such-port", 1));  // confirmed, failed
    ExitSession(session);
    EXPECT_EQ(store.GetText("1.0", "Port", ""), "/dev/ribodex-no-such-port");
}

TEST_F(SessionFlowTest, ExitBeforeSettingsWereLoadedKeepsTheStoredOnes) {
    store.SetText("1.0", "Port", "COM4");
    store.SetInt("1.0", "Query PIN", 0);
    ExitSession(session);
    EXPECT_EQ(store.GetText("1.0", "Port", ""), "COM4");
    EXPECT_EQ(store.GetInt("1.0", "Query PIN", 1), 0);
}

}  // namespace
}  // namespace ribodex
