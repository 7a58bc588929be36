// GsmDevice against the simulated phone over a real pseudo-terminal.
#include <gtest/gtest.h>
#include <termios.h>

#include <algorithm>
#include <memory>
#include <vector>
#include <string>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "core/device/gsm_device.h"
#include "core/raw_pty.h"
#include "sim/modem_simulator.h"
#include "sim/pty_modem.h"

namespace ribodex {
namespace {

// The simulated phone on the master side of a pty, fed by its own thread.
class SimOnPty {
public:
    explicit SimOnPty(sim::SimConfig config) : simulator(std::move(config)) {
        thread = std::thread([this] {
            while (!stop) {
                const std::string got = pty.Receive(1, 20);
                if (got.empty()) continue;
                std::lock_guard<std::mutex> lock(mutex);
                pty.Send(simulator.Feed(got));
            }
        });
    }
    ~SimOnPty() {
        stop = true;
        thread.join();
    }
    template <class F>
    auto With(F f) {
        std::lock_guard<std::mutex> lock(mutex);
        return f(simulator);
    }
    const std::string& SlavePath() const { return pty.SlavePath(); }
    int HolderFd() const { return pty.HolderFd(); }

private:
    test::RawPty pty;
    sim::ModemSimulator simulator;
    std::mutex mutex;
    std::atomic<bool> stop{false};
    std::thread thread;
};

class GsmDeviceSimTest : public ::testing::Test {
protected:
    void Open(sim::SimConfig config = {}) {
        modem = std::make_unique<SimOnPty>(std::move(config));
        device.timing.afterDtrMs = 0;
        device.timing.afterDisconnectMs = 0;
        device.timing.commandLimitMs = 2000;
        device.timing.pinLimitMs = 2000;
        device.timing.fullReadLimitMs = 5000;
        device.portMapper = [this](const std::string&) { return modem->SlavePath(); };
        ASSERT_TRUE(device.SetPort("COM1"));
        ASSERT_TRUE(device.Connect());
    }
    void TearDown() override { device.Disconnect(); }

    GsmDevice device;
    std::unique_ptr<SimOnPty> modem;
};

TEST_F(GsmDeviceSimTest, EveryOperationOnA250LocationSim) {
    Open();
    EXPECT_EQ(device.GetPinState(), SimReady);
    EXPECT_EQ(device.QueryPhoneBooks() & (Sim | MobileEquipment | FixedNumbers),
              Sim | MobileEquipment | FixedNumbers);
    EXPECT_TRUE(device.SelectPhoneBook(Sim));
    EXPECT_EQ(device.QueryCurrentPhoneBook(), Sim);
    EXPECT_FALSE(device.SelectPhoneBook(3));

    EXPECT_TRUE(device.WriteEntry("+4930123", "Office", 12));
    EXPECT_TRUE(device.WriteEntry("0301", "Home", -1));  // first free location
    EXPECT_EQ(device.ReadAllEntries(), 2);
    EXPECT_EQ(device.firstIndex, 1);
    EXPECT_EQ(device.lastIndex, 250);
    ASSERT_NE(device.FindEntry(12), nullptr);
    EXPECT_EQ(*device.FindEntry(12), (PhoneBookEntry{12, "+4930123", "Office"}));
    ASSERT_NE(device.FindEntry(1), nullptr);
    EXPECT_EQ(device.FindEntry(1)->number, "0301");

    EXPECT_TRUE(device.DeleteEntry(12));
    EXPECT_FALSE(device.ReadEntry(12));
    EXPECT_TRUE(device.ReadEntry(1));
    EXPECT_EQ(device.FindFreeIndex(), 2);
}

TEST_F(GsmDeviceSimTest, ThreeWrongPinsThenPuk) {
    sim::SimConfig config;
    config.pin = "1234";
    Open(config);
    EXPECT_EQ(device.GetPinState(), SimPinRequired);
    EXPECT_FALSE(device.EnterPin("0000"));
    EXPECT_FALSE(device.EnterPin("1111"));
    EXPECT_FALSE(device.EnterPin("2222"));
    EXPECT_EQ(device.GetPinState(), SimPukRequired);
    EXPECT_FALSE(device.EnterPin("1234"));
    EXPECT_FALSE(device.EnterPuk("87654321", "4321"));
    EXPECT_TRUE(device.EnterPuk("12345678", "4321"));
    EXPECT_EQ(device.GetPinState(), SimReady);
}

TEST_F(GsmDeviceSimTest, FullMemoryRefusesWriteAtFirstFree) {
    sim::SimConfig config;
    for (sim::SimMemory& memory : config.memories)
        if (memory.name == "FD") {
            memory.last = 4;
            for (int i = 1; i <= 4; ++i) memory.entries[i] = {"1", 129, "X"};
        }
    Open(config);
    ASSERT_TRUE(device.SelectPhoneBook(FixedNumbers));
    EXPECT_FALSE(device.WriteEntry("5", "Fifth", -1));
    const auto commands = modem->With([](sim::ModemSimulator& s) { return s.Commands(); });
    for (const std::string& command : commands)
        EXPECT_EQ(command.find("AT+CPBW"), std::string::npos) << command;
    EXPECT_EQ(device.entries.size(), 4u);  // read on the way
}

TEST_F(GsmDeviceSimTest, SpecialLettersRoundTripThroughThePhone) {
    Open();
    const std::string name = "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xC5\xE5@$\xA1\xBF";
    ASSERT_TRUE(device.WriteEntry("1", name, 7));
    const auto stored = modem->With([](sim::ModemSimulator& s) {
        return s.FindMemory("SM")->entries.at(7).nameGsm;
    });
    EXPECT_EQ(stored, std::string("\x5B\x5C\x5E\x7B\x7C\x7E\x1E\x0E\x0F\x00\x02\x40\x60", 13));
    EXPECT_TRUE(device.ReadEntry(7));
    EXPECT_EQ(device.FindEntry(7)->name, name);
    EXPECT_EQ(device.ReadAllEntries(), 1);
    EXPECT_EQ(device.FindEntry(7)->name, name);
}

// A fresh line has software flow control on (a pty starts with IXON, as a serial port does);
// the GSM letters 0x11 and 0x13 must arrive as letters, not stop the line.
TEST_F(GsmDeviceSimTest, XonAndXoffBytesInANameAreLettersNotFlowControl) {
    sim::SimConfig config;
    config.memories[0].entries[1] = {"0301", 129, "A\x11" "B\x13" "C"};
    modem = std::make_unique<SimOnPty>(config);
    termios line{};
    ASSERT_EQ(tcgetattr(modem->HolderFd(), &line), 0);
    line.c_iflag |= IXON | IXOFF | IXANY;
    ASSERT_EQ(tcsetattr(modem->HolderFd(), TCSANOW, &line), 0);
    device.timing.afterDtrMs = 0;
    device.timing.afterDisconnectMs = 0;
    device.timing.commandLimitMs = 2000;
    device.portMapper = [this](const std::string&) { return modem->SlavePath(); };
    ASSERT_TRUE(device.Connect());

    ASSERT_TRUE(device.ReadEntry(1));
    EXPECT_EQ(device.FindEntry(1)->name, "A B C");  // neither letter is in the Windows set
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.GetPinState(), SimReady) << "the line must not be left stopped";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

// A full read streamed at 115200 baud: progress counts whole entries while they arrive, and
// a Cancel keeps them and leaves no tail of the answer for the next command, echo or not.
TEST(GsmDeviceProgress, CountsWhileStreamingAndCancelKeepsWholeEntries) {
    for (const bool echo : {true, false}) {
        sim::SimConfig config;
        config.echo = echo;
        config.baud = 115200;
        for (int i = 1; i <= 200; ++i) config.memories[0].entries[i] = {std::to_string(1000 + i), 129, "Name"};
        sim::PtyModem modem(config);
        ASSERT_TRUE(modem.Start());
        GsmDevice device;
        device.timing = {0, 0, 0, 0, 0, 2000, 2000, 8000, 1000};
        device.portMapper = [&](const std::string&) { return modem.SlavePath(); };
        ASSERT_TRUE(device.Connect());

        std::vector<std::pair<int, int>> seen;
        device.readProgress = [&](int received, int total) {
            seen.emplace_back(received, total);
            return true;
        };
        EXPECT_EQ(device.ReadAllEntries(), 200);
        ASSERT_FALSE(seen.empty());
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << "never counts back";
        EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](auto p) { return p.first > 0 && p.first < 200; }))
            << "counted while the answer streamed, not at its end";
        EXPECT_EQ(seen.back().second, 250);

        device.readProgress = [](int received, int) { return received < 60; };
        const int kept = device.ReadAllEntries();
        EXPECT_TRUE(device.LastReadCancelled());
        EXPECT_GE(kept, 60);
        EXPECT_LT(kept, 200) << "stopped at once, not at the end of the answer";
        EXPECT_EQ(static_cast<int>(device.entries.size()), kept);
        for (const PhoneBookEntry& entry : device.entries)
            EXPECT_EQ(entry.number, std::to_string(1000 + entry.index)) << "whole entries only";
        device.readProgress = {};
        EXPECT_EQ(device.GetPinState(), SimReady) << "the cancelled answer's tail is not this one's";
        EXPECT_TRUE(device.ReadEntry(200));
        EXPECT_EQ(device.FindEntry(200)->number, "1200");
        device.Disconnect();
    }
}

}  // namespace
}  // namespace ribodex
