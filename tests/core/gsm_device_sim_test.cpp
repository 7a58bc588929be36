// GsmDevice against the simulated phone over a real pseudo-terminal.
#include <gtest/gtest.h>
#include <termios.h>

#include <memory>
#include <string>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "core/device/gsm_device.h"
#include "core/raw_pty.h"
#include "sim/modem_simulator.h"

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

// Every code of both GSM tables survives a read, an edit of the number and a second read,
// byte for byte on the phone; line breaks and the form feed, which cannot stand in a GSM
// command line, go in UCS2. Not 0x24, which reads as "$" and goes back as 0x02, nor the
// double quote, which ends the name in a GSM answer.
TEST_F(GsmDeviceSimTest, EveryGsmCharacterSurvivesAnEditOfTheNumber) {
    std::string record;
    for (int code = 0; code < 0x80; ++code)
        if (code != 0x1B && code != 0x24 && code != 0x22) record.push_back(static_cast<char>(code));
    for (char ext : std::string("\x0A\x14\x28\x29\x2F\x3C\x3D\x3E\x40\x65"))
        record += std::string("\x1B") + ext;
    sim::SimConfig config;
    config.memories[0].maxName = 200;
    config.memories[0].entries[7] = {"1", 129, record};
    Open(config);
    device.SelectGsmCharacterSet();
    ASSERT_EQ(device.ReadAllEntries(), 1);
    const std::string name = device.FindEntry(7)->name;
    ASSERT_TRUE(device.WriteEntry("+492", name, 7));
    const auto stored = modem->With([](sim::ModemSimulator& s) { return s.FindMemory("SM")->entries.at(7); });
    EXPECT_EQ(stored.nameGsm, record);
    EXPECT_EQ(stored.number, "+492");
    EXPECT_EQ(device.ReadAllEntries(), 1);
    EXPECT_EQ(device.FindEntry(7)->name, name);
}

// Names in any script, on a phone that offers UCS2 and on the faulty kinds: read whole,
// numbers never hex, and a name written comes back as it was (or, without UCS2, as GSM
// can hold it).
TEST_F(GsmDeviceSimTest, NamesInAnyScript) {
    const std::u16string cyrillic = u"Иван Петров";
    std::string record = "\x80";
    for (char16_t c : cyrillic) record += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    const struct {
        const char* what;
        bool gsmOnly, hexNumbers, passSimCoding;
        const char* read;     // entry 1 as read
        const char* written;  // "王小明 Ωμέγα" as it reads back
    } kinds[] = {
        {"UCS2", false, false, false, "Иван Петров", "王小明 Ωμέγα"},
        {"numbers hex in UCS2", false, true, false, "Иван Петров", "王小明 Ωμέγα"},
        {"SIM coding passed through", false, false, true, "Иван Петров", "王小明 Ωμέγα"},
        {"GSM only", true, false, false, "???? ??????", "Ω"},  // blanks, then trimmed by the read
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.what);
        sim::SimConfig config;
        config.gsmOnly = kind.gsmOnly;
        config.ucs2HexNumbers = kind.hexNumbers;
        config.passSimCoding = kind.passSimCoding;
        config.memories[0].maxName = 40;
        config.memories[0].entries[1] = {"+4930123", 145, record};
        config.memories[0].entries[2] = {"0301", 129, "Anna"};
        Open(config);
        device.SelectGsmCharacterSet();
        EXPECT_EQ(device.ReadAllEntries(), 2);
        EXPECT_EQ(device.FindEntry(1)->name, kind.read);
        EXPECT_EQ(device.FindEntry(1)->number, "+4930123");
        EXPECT_EQ(device.FindEntry(2)->name, "Anna");
        if (!kind.gsmOnly) {
            // The number edited, the name byte for byte as it was.
            ASSERT_TRUE(device.WriteEntry("+4930999", device.FindEntry(1)->name, 1));
            const auto first = modem->With([](sim::ModemSimulator& s) { return s.FindMemory("SM")->entries.at(1); });
            EXPECT_EQ(first.nameGsm, record);
            EXPECT_EQ(first.number, "+4930999");
        }
        ASSERT_TRUE(device.WriteEntry("0302", "王小明 Ωμέγα", 3));
        EXPECT_EQ(device.ReadAllEntries(), 3);
        EXPECT_EQ(device.FindEntry(3)->name, kind.written);
        EXPECT_EQ(device.FindEntry(3)->number, "0302");
        EXPECT_EQ(modem->With([](sim::ModemSimulator& s) { return s.CharacterSet(); }), "GSM");
        device.Disconnect();
    }
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
    EXPECT_EQ(device.FindEntry(1)->name, "A_BΓC");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.GetPinState(), SimReady) << "the line must not be left stopped";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

}  // namespace
}  // namespace ribodex
