// SPDX-License-Identifier: GPL-3.0-or-later
// GsmDevice against the simulated phone over a real pseudo-terminal.
#include <gtest/gtest.h>
#include <termios.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <tuple>
#include <vector>
#include <string>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "core/device/gsm_device.h"
#include "core/device/port_probe.h"
#include "core/serial/port_scan.h"
#include "core/raw_pty.h"
#include "sim/modem_simulator.h"
#include "sim/pty_modem.h"
#include "support/temp_dir.h"

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
    EXPECT_EQ(*device.FindEntry(12), (PhoneBookEntry{12, "+4930123", "Office", 145}));
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

// A device on a paced pty (PtyModem), connected, with short limits.
struct PacedDevice {
    explicit PacedDevice(sim::SimConfig config) : modem(std::move(config)) {
        device.timing = {0, 0, 0, 0, 0, 2000, 2000, 8000, 1000, 3000, 50};
        device.portMapper = [this](const std::string&) { return modem.SlavePath(); };
        ok = modem.Start() && device.Connect();
    }
    sim::PtyModem modem;
    GsmDevice device;
    bool ok = false;
};

// Devices that cap one range command, list out of order or twice, or whose memory does not
// start at 1: the first try is the one range command, the list comes out whole.
TEST_F(GsmDeviceSimTest, CappedRangesOddStartsAndOrdersReadWhole) {
    const struct {
        const char* quirk;
        int first, last, step, cmee;
        sim::RangeQuirks range;
        int rangeCommands;  // AT+CPBR=a, b sent, the first try included
    } rows[] = {
        {"lists 255, then +CME ERROR: 21", 1, 2000, 1, 1, {255, false, false, false}, 8},
        {"ERROR at once beyond 255", 1, 2000, 3, 0, {255, true, false, false}, 9},
        {"cap 100, empty ranges not found", 1, 1000, 149, 1, {100, true, true, false}, 19},
        {"starts at 2, descending, first twice", 2, 500, 7, 0, {0, false, false, true}, 1},
        {"starts at 0", 0, 499, 50, 0, {}, 1},
        {"nothing stored, every range not found", 1, 600, 0, 1, {255, true, true, false}, 4},
    };
    for (const auto& row : rows) {
        sim::SimConfig config;
        config.cmee = row.cmee;
        config.range = row.range;
        sim::SimMemory& me = config.memories[1];
        std::tie(me.first, me.last) = std::pair{row.first, row.last};
        for (int i = row.first; row.step > 0 && i <= row.last; i += row.step) me.entries[i] = {std::to_string(i), 129, "N"};
        Open(config);
        ASSERT_TRUE(device.SelectPhoneBook(MobileEquipment));
        const int lines = device.ReadAllEntries();
        EXPECT_TRUE(device.LastReadComplete()) << row.quirk;
        EXPECT_EQ(lines, static_cast<int>(me.entries.size()) + (row.range.outOfOrder ? 1 : 0)) << row.quirk;
        EXPECT_EQ(device.entries.size(), me.entries.size()) << row.quirk;
        for (const auto& [index, entry] : me.entries)
            EXPECT_TRUE(device.FindEntry(index) && device.FindEntry(index)->number == entry.number) << row.quirk << index;
        std::vector<std::string> ranges = modem->With([](sim::ModemSimulator& s) { return s.Commands(); });
        std::erase_if(ranges, [](const std::string& c) { return c.find(", ") == std::string::npos; });
        ASSERT_EQ(static_cast<int>(ranges.size()), row.rangeCommands) << row.quirk;
        EXPECT_EQ(ranges[0], "AT+CPBR=" + std::to_string(row.first) + ", " + std::to_string(row.last));
        device.Disconnect();
    }
}

// Right after power-up or a PIN the SIM answers "+CME ERROR: 14" for a while: the state
// query and the memory selection wait for it, within their limit.
TEST(GsmDeviceSimBusy, AfterPowerUpAndPinIsWaitedFor) {
    for (const auto& [pin, busyMs, ready] : {std::tuple{"", 700, true}, {"1234", 700, true}, {"", 1500, false}}) {
        sim::SimConfig config;
        std::tie(config.cmee, config.pin, config.simBusyMs) = std::tuple{1, pin, busyMs};
        PacedDevice paced(config);
        ASSERT_TRUE(paced.ok);
        paced.device.timing.simBusyLimitMs = ready ? 3000 : 400;
        int waits = 0;
        paced.device.simBusyHook = [&waits] { ++waits; };
        if (*pin) EXPECT_TRUE(paced.device.GetPinState() == SimPinRequired && paced.device.EnterPin(pin));
        else EXPECT_EQ(paced.device.GetPinState() == SimReady, ready) << busyMs;
        EXPECT_EQ(paced.device.SelectPhoneBook(Sim), ready) << pin << busyMs;
        EXPECT_GT(waits, 0);
    }
}

// Users' traces replayed (ribodex-sim --replay): each gives the list the user expected.
TEST(GsmDeviceReplay, TracesOfRealShapesGiveTheirLists) {
    const std::tuple<const char*, int, int, const char*> rows[] = {
        {"huawei_unsolicited", 3, 12, "0302"}, {"capped_range", 8, 8, "108"},
        {"bare_fields", 2, 2, "+49302"},
    };
    for (const auto& [name, count, index, number] : rows) {
        std::ostringstream text;
        text << std::ifstream(std::string(RIBODEX_TRACES_DIR "/") + name + ".trace", std::ios::binary).rdbuf();
        auto exchanges = sim::ParseTrace(text.str());
        ASSERT_TRUE(exchanges) << name;
        sim::SimConfig config;
        config.replay = std::make_shared<sim::TraceReplay>(std::move(*exchanges));
        PacedDevice paced(config);
        ASSERT_TRUE(paced.ok);
        EXPECT_EQ(paced.device.GetPinState(), SimReady) << name;
        paced.device.ReadAllEntries();
        EXPECT_EQ(static_cast<int>(paced.device.entries.size()), count) << name;
        const PhoneBookEntry* entry = paced.device.FindEntry(index);
        EXPECT_TRUE(entry && entry->number == number) << name;
        EXPECT_FALSE(paced.device.DeleteEntry(1)) << "a command the trace does not hold gets ERROR";
    }
}

// A full read streamed at 115200 baud: progress counts whole entries while they arrive, and
// a Cancel keeps them and leaves no tail of the answer for the next command, echo or not.
TEST(GsmDeviceProgress, CountsWhileStreamingAndCancelKeepsWholeEntries) {
    for (const bool echo : {true, false}) {
        sim::SimConfig config;
        std::tie(config.echo, config.baud) = std::tuple{echo, 115200u};
        for (int i = 1; i <= 200; ++i) config.memories[0].entries[i] = {std::to_string(1000 + i), 129, "Name"};
        PacedDevice paced(config);
        ASSERT_TRUE(paced.ok);
        GsmDevice& device = paced.device;
        std::vector<std::pair<int, int>> seen;
        device.readProgress = [&](int received, int total) { return seen.emplace_back(received, total), true; };
        EXPECT_EQ(device.ReadAllEntries(), 200);
        ASSERT_FALSE(seen.empty());
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << "never counts back";
        EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](auto p) { return p.first > 0 && p.first < 200; }))
            << "counted while the answer streamed, not at its end";
        EXPECT_EQ(seen.back().second, 250);

        device.readProgress = [](int received, int) { return received < 60; };
        const int kept = device.ReadAllEntries();
        EXPECT_TRUE(device.LastReadCancelled());
        EXPECT_TRUE(kept >= 60 && kept < 200) << kept << ": stopped at once, not at the end of the answer";
        EXPECT_EQ(static_cast<int>(device.entries.size()), kept);
        for (const PhoneBookEntry& entry : device.entries)
            EXPECT_EQ(entry.number, std::to_string(1000 + entry.index)) << "whole entries only";
        device.readProgress = {};
        EXPECT_EQ(device.GetPinState(), SimReady) << "the cancelled answer's tail is not this one's";
        EXPECT_TRUE(device.ReadEntry(200) && device.FindEntry(200)->number == "1200");
    }
}

// The port listing on a fake machine (dev, sys and lock trees), and --probe over ptys.
namespace fs = std::filesystem;
void Put(const std::string& file, const std::string& text) {
    fs::create_directories(fs::path(file).parent_path());
    std::ofstream(file) << text << "\n";
}

TEST(PortScan, ListsWhatEachPortIsAndProbeFindsTheOneAtPort) {
    test::TempDir root;
    test::RawPty silent, held;
    sim::PtyModem modem;
    ASSERT_TRUE(modem.Start());
    // A Huawei stick: three interfaces, only the second answers AT, the third is held.
    const std::string usb = root / "sys/devices/usb1/1-1", ptys[] = {silent.SlavePath(), modem.SlavePath(), held.SlavePath()};
    for (const auto& [file, text] : {std::pair{"/idVendor", "12d1"}, {"/idProduct", "1506"},
                                     {"/manufacturer", "Huawei Technologies"}, {"/product", "HUAWEI Mobile"}})
        Put(usb + file, text);
    fs::create_directories(root / "dev/serial/by-id");
    for (const std::string n : {"0", "1", "2"}) {
        Put(usb + "/1-1:1." + n + "/bInterfaceNumber", "0" + n);
        fs::create_directories(usb + "/1-1:1." + n + "/ttyUSB" + n);
        fs::create_directories(root / "sys/class/tty/ttyUSB" + n);
        fs::create_directory_symlink(usb + "/1-1:1." + n + "/ttyUSB" + n, root / "sys/class/tty/ttyUSB" + n + "/device");
        fs::create_symlink(ptys[std::stoi(n)], root / "dev/ttyUSB" + n);
    }
    fs::create_symlink("../../ttyUSB1", root / "dev/serial/by-id/usb-HUAWEI_Mobile-if01-port0");
    // ttyS0 has a UART behind it, ttyS1 is only a name the kernel made.
    for (const char* file : {"dev/ttyS0", "dev/ttyS1", "dev/rfcomm0", "sys/class/tty/ttyS1/type"}) Put(root / file, "0");
    Put(root / "sys/class/tty/ttyS0/type", "4");
    Put(root / "run/lock/LCK..ttyUSB2", "      4242");
    Put(root / "proc/4242/comm", "minicom");

    std::vector<std::string> listed;
    for (const SerialPortInfo& port : ScanSerialPorts(root.path))
        listed.push_back(port.path.substr(root.path.size()) + " " + port.Description() + " " + port.byId);
    const std::string huawei = " USB 12d1:1506 Huawei Technologies HUAWEI Mobile, interface 0";
    EXPECT_EQ(listed, (std::vector<std::string>{
                          "/dev/ttyUSB0" + huawei + "0 ",
                          "/dev/ttyUSB1" + huawei + "1 " + root.path + "/dev/serial/by-id/usb-HUAWEI_Mobile-if01-port0",
                          "/dev/ttyUSB2" + huawei + "2 ", "/dev/rfcomm0 Bluetooth RFCOMM ", "/dev/ttyS0 on-board UART "}));

    GsmDevice other;
    other.timing.afterDtrMs = 0;
    ASSERT_TRUE(other.SetPort(held.SlavePath()) && other.Connect());
    const PortProbe probes[] = {ProbePort(root / "dev/ttyUSB0", 300), ProbePort(root / "dev/ttyUSB1", 300),
                                ProbePort(root / "dev/ttyUSB2", 300)};
    EXPECT_TRUE(!probes[0].answers && probes[0].openError == 0);
    EXPECT_EQ(probes[1].maker + " " + probes[1].model, "Olvenstrom Quillphone 7");
    EXPECT_EQ(probes[2].openError, EBUSY) << "a port another program holds is left alone";
    EXPECT_EQ(PortHolder(root / "dev/ttyUSB2", root.path), "minicom (pid 4242)");
    EXPECT_EQ(PortHolder(root / "dev/ttyUSB0", root.path), "");
}

}  // namespace
}  // namespace ribodex
