// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/serial_link.h"

#include <dirent.h>
#include <sys/stat.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <time.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <regex>
#include <sstream>
#include <vector>

#include "core/raw_pty.h"
#include "core/serial/baud_rates.h"

namespace ribodex {
namespace {

using Clock = std::chrono::steady_clock;
using test::RawPty;

long Millis(Clock::duration d) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

// Records what the receiver thread hands to the hooks.
class WatchedLink : public SerialLink {
public:
    ~WatchedLink() override { Disconnect(); }
    std::string Blocks() {
        std::lock_guard<std::mutex> lock(mutex);
        return blocks;
    }
    int EmptyBlocks() {
        std::lock_guard<std::mutex> lock(mutex);
        return emptyBlocks;
    }
    int Errors() {
        std::lock_guard<std::mutex> lock(mutex);
        return errors;
    }

protected:
    void ReadBlock(std::string_view block) override {
        SerialLink::ReadBlock(block);
        std::lock_guard<std::mutex> lock(mutex);
        blocks.append(block);
        if (block.empty()) ++emptyBlocks;
    }
    void OnError(std::string_view, int) override {
        std::lock_guard<std::mutex> lock(mutex);
        ++errors;
    }

private:
    std::mutex mutex;
    std::string blocks;
    int emptyBlocks = 0;
    int errors = 0;
};

class SerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        link.timing.afterDtrMs = 0;
        link.timing.afterDisconnectMs = 0;
        // The user chose "COM7"; traces must show that name, not the pty path.
        link.portMapper = [this](const std::string& name) {
            return name == "COM7" ? pty.SlavePath() : DefaultDevicePath(name);
        };
        ASSERT_TRUE(link.SetPort("COM7"));
    }

    std::string TempPath(const char* name) {
        auto dir = std::filesystem::temp_directory_path() /
                   ("ribodex-serial-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        auto path = dir / name;
        std::filesystem::remove(path);
        return path.string();
    }

    RawPty pty;
    WatchedLink link;
};

TEST_F(SerialLinkTest, FinalResultEndsReadAtOnceWhateverItsLineBreaks) {
    ASSERT_TRUE(link.Connect());
    const std::vector<std::string> answers = {
        "\r\nOK\r\n",                       // verbose, echo off
        "AT+CPBS=\"SM\"\r\r\nOK\r\n",       // echo on
        "AT\r\r\nERROR\r\n",                // echoed command, then ERROR
        "0\rOK\r",                          // a device that separates with CR only
        "AT+X\rERROR\r",
        "\r\n+CME ERROR: 22\r\n",           // extended errors on (AT+CMEE=1)
        "AT+CPBR=9\r\r\n+CME ERROR: not found\r\n",  // AT+CMEE=2
        "\r\n+CMS ERROR: 321\r\n",
    };
    for (const std::string& answer : answers) {
        SCOPED_TRACE(answer);
        link.Write("AT\r");
        pty.Send(answer);
        const auto start = Clock::now();
        EXPECT_EQ(link.Read(3000), answer);
        EXPECT_LT(Millis(Clock::now() - start), 1000);
    }
}

TEST_F(SerialLinkTest, AnswersWithoutAPlainFinalResultWaitOutTheLimit) {
    ASSERT_TRUE(link.Connect());
    const std::vector<std::string> answers = {
        "\r\n+CME ERROR: 2",                          // extended error cut before its CR
        "+CPBR: 1,\"0123\",129,\"BOOK\"\r\n",         // OK inside a name, not on a line
        "+CPBR: 1,\"0123\",129,\"OK\"\r\n",           // OK right after a quote
        "\r\nOK",                                     // cut before the carriage return
    };
    for (const std::string& answer : answers) {
        SCOPED_TRACE(answer);
        link.Write("AT+CPBR=1\r");
        pty.Send(answer);
        const auto start = Clock::now();
        EXPECT_EQ(link.Read(200), answer);
        EXPECT_GE(Millis(Clock::now() - start), 195);
    }
}

// The receiver appends whatever the driver has, so a final result may be cut anywhere; the
// part that came first must not be searched past.
TEST_F(SerialLinkTest, FinalResultSplitOverArrivalsEndsReadAtOnce) {
    ASSERT_TRUE(link.Connect());
    const std::vector<std::vector<std::string>> splits = {
        {"\r\nO", "K\r\n"},
        {"+CPBR: 1,\"1\",129,\"A\"\r\n\r", "\nOK\r\n"},
        {"\r\nERR", "OR", "\r\n"},
        {"\r\n+CME ERR", "OR: 2", "2\r\n"},
        {"\r\n+CMS ERROR: 5", "00\r\n"},
    };
    for (const std::vector<std::string>& parts : splits) {
        SCOPED_TRACE(parts.front());
        link.Write("AT\r");
        std::thread device([&] {
            for (const std::string& part : parts) {
                pty.Send(part);
                std::this_thread::sleep_for(std::chrono::milliseconds(40));  // several passes
            }
        });
        const auto start = Clock::now();
        const std::string answer = link.Read(3000);
        const long took = Millis(Clock::now() - start);
        device.join();
        std::string whole;
        for (const std::string& part : parts) whole += part;
        EXPECT_EQ(answer, whole);
        EXPECT_LT(took, 1000);
    }
}

TEST_F(SerialLinkTest, SlowIdleHookDoesNotStretchTheLimit) {
    ASSERT_TRUE(link.Connect());
    int calls = 0;
    const auto slow = [&calls] {
        ++calls;
        std::this_thread::sleep_for(std::chrono::milliseconds(35));
    };
    link.Write("AT\r");
    const auto start = Clock::now();
    EXPECT_EQ(link.Read(300, slow), "");
    const long took = Millis(Clock::now() - start);
    EXPECT_GE(took, 295);
    EXPECT_LT(took, 600) << "30 passes of 35 ms would take over a second";
    EXPECT_GE(calls, 5);
}

TEST_F(SerialLinkTest, WriteSendsTheBytesAndReadKeepsWhatCameSinceIt) {
    ASSERT_TRUE(link.Connect());
    pty.Send("\r\nRING\r\n");  // unsolicited, while no command waits
    // The empty block that ends the burst comes after the bytes: wait for both.
    for (int i = 0; i < 400 && (link.Blocks().find("RING") == std::string::npos || link.EmptyBlocks() < 1); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_NE(link.Blocks().find("\r\nRING\r\n"), std::string::npos);
    EXPECT_GE(link.EmptyBlocks(), 1);  // every burst ends with an empty block

    link.Write("AT+CPIN?\r");
    EXPECT_EQ(pty.Receive(9), "AT+CPIN?\r");
    pty.Send("\r\n+CPIN: READY\r\n\r\nOK\r\n");
    const std::string first = link.Read(2000);
    EXPECT_EQ(first, "\r\n+CPIN: READY\r\n\r\nOK\r\n");  // the RING is gone
    EXPECT_EQ(link.Read(2000), first);                    // a second Read sees it all again
}

TEST_F(SerialLinkTest, NulBytesAndLongAnswersArriveWhole) {
    ASSERT_TRUE(link.Connect());
    std::string answer = "+CPBR: 1,\"1\",129,\"A";
    answer += '\0';  // "@" in the GSM alphabet
    answer += "B\"\r\n";
    for (int i = 2; i < 400; ++i) answer += "+CPBR: " + std::to_string(i) + ",\"0123456789\",129,\"Name\"\r\n";
    answer += "\r\nOK\r\n";
    link.Write("AT+CPBR=1,400\r");
    pty.Send(answer);
    EXPECT_EQ(link.Read(5000), answer);
}

TEST_F(SerialLinkTest, ClosedLinkWritesNothingAndReadsNothing) {
    EXPECT_TRUE(link.Write("AT\r"));
    const auto start = Clock::now();
    EXPECT_EQ(link.Read(100), "");
    EXPECT_GE(Millis(Clock::now() - start), 95);
    EXPECT_EQ(link.Read(5), "");  // below one pass: at once
}

TEST_F(SerialLinkTest, PortNameStaysWhileConnectedAndDisconnectIsIdempotent) {
    link.tracePath = TempPath("lifecycle.trace");
    EXPECT_TRUE(link.Disconnect());
    ASSERT_TRUE(link.Connect());
    EXPECT_TRUE(link.IsConnected());
    EXPECT_FALSE(link.SetPort("COM2"));
    EXPECT_EQ(link.Port(), "COM7");
    EXPECT_TRUE(link.Disconnect());
    EXPECT_TRUE(link.Disconnect());
    EXPECT_FALSE(link.ReceiverRunning());
    EXPECT_TRUE(link.SetPort("COM2"));

    std::ifstream in(link.tracePath);
    std::stringstream all;
    all << in.rdbuf();
    const std::string trace = all.str();
    auto count = [&trace](const std::string& text) {
        int n = 0;
        for (auto at = trace.find(text); at != std::string::npos; at = trace.find(text, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("Disconnect(COM7): Suceeded!\n"), 1);
    // Before the Connect, inside it, and the second Disconnect.
    EXPECT_EQ(count("Disconnect(COM7): Already disconnected!\n"), 3);
}

TEST_F(SerialLinkTest, MissingPortFailsWithoutAReceiver) {
    link.tracePath = TempPath("missing.trace");
    ASSERT_TRUE(link.SetPort("/dev/ribodex-no-such-port"));
    EXPECT_FALSE(link.Connect());
    EXPECT_FALSE(link.IsConnected());
    EXPECT_FALSE(link.ReceiverRunning());
    EXPECT_EQ(link.OpenError(), ENOENT);
    ASSERT_TRUE(link.SetPort("PRINTER"));  // no device behind the name
    EXPECT_FALSE(link.Connect());
    ASSERT_TRUE(link.SetPort("/dev/null"));  // opens, but is no terminal
    EXPECT_FALSE(link.Connect());
    EXPECT_EQ(link.OpenError(), 0);
    EXPECT_FALSE(link.ReceiverRunning());

    std::ifstream in(link.tracePath);
    std::stringstream all;
    all << in.rdbuf();
    EXPECT_NE(all.str().find("Connect(/dev/ribodex-no-such-port): CreateFile failed!\n"), std::string::npos);
    EXPECT_NE(all.str().find("Connect(PRINTER): CreateFile failed!\n"), std::string::npos);
    EXPECT_NE(all.str().find("Connect(/dev/null): SetCommTimeouts failed!\n"), std::string::npos) << all.str();
}

TEST_F(SerialLinkTest, SecondLinkOnTheSamePortIsRefused) {
    ASSERT_TRUE(link.Connect());
    SerialLink other;
    other.timing = link.timing;
    other.SetPort(pty.SlavePath());
    EXPECT_FALSE(other.Connect());
    EXPECT_EQ(other.OpenError(), EBUSY);
    link.Disconnect();
    EXPECT_TRUE(other.Connect()) << "the port is free again after Disconnect";
}

TEST_F(SerialLinkTest, LineSettingsAreAppliedAndOtherFlagsKept) {
    termios before{};
    ASSERT_EQ(tcgetattr(pty.HolderFd(), &before), 0);
    before.c_iflag |= IXON | IXOFF | IXANY;
    before.c_cflag |= CRTSCTS;
    cfsetospeed(&before, B115200);
    cfsetispeed(&before, B115200);
    before.c_cflag |= PARENB | CSTOPB;
    ASSERT_EQ(tcsetattr(pty.HolderFd(), TCSANOW, &before), 0);

    ASSERT_TRUE(link.Connect());
    termios after{};
    ASSERT_EQ(tcgetattr(pty.HolderFd(), &after), 0);
    EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B9600));
    EXPECT_EQ(after.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(after.c_cflag & PARENB);
    EXPECT_FALSE(after.c_cflag & CSTOPB);
    EXPECT_FALSE(after.c_iflag & (IXON | IXOFF | IXANY)) << "0x11 and 0x13 are GSM letters";
    EXPECT_TRUE(after.c_cflag & CRTSCTS) << "hardware flow control is the driver's";
    EXPECT_FALSE(after.c_lflag & (ICANON | ECHO)) << "raw bytes both ways";

    EXPECT_TRUE(link.SetupConnection(19200, 7, 2, 2));
    EXPECT_EQ(link.baudRate, 19200u);
    EXPECT_EQ(link.stopBits, 2);
    // A pseudo-terminal forces 8 data bits without parity: the members must say what the
    // driver accepted, not what was asked for.
    EXPECT_EQ(link.dataBits, 8);
    EXPECT_EQ(link.parity, 0);
    EXPECT_FALSE(link.SetupConnection(12345, -1, -1, -1));
    EXPECT_EQ(link.baudRate, 19200u) << "a refused setting leaves the members";
    link.Disconnect();
    ASSERT_TRUE(link.Connect());  // the accepted settings are reused
    ASSERT_EQ(tcgetattr(pty.HolderFd(), &after), 0);
    EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B19200));
}

TEST_F(SerialLinkTest, ConnectAndDisconnectEachWaitASecond) {
    link.timing = Timing{};
    auto start = Clock::now();
    ASSERT_TRUE(link.Connect());
    EXPECT_GE(Millis(Clock::now() - start), 1000);
    start = Clock::now();
    ASSERT_TRUE(link.Disconnect());
    EXPECT_GE(Millis(Clock::now() - start), 1000);
}

TEST_F(SerialLinkTest, TraceOnlyWithAPathAndInTheFixedLineFormat) {
    const std::string path = TempPath("format.trace");
    ASSERT_TRUE(link.Connect());
    link.Write("AT\r");
    pty.Send("\r\nOK\r\n");
    link.Read(1000);
    link.Disconnect();
    EXPECT_FALSE(std::filesystem::exists(path)) << "no trace file without a path";
    EXPECT_FALSE(link.Trace("Anything\n"));

    link.tracePath = path;
    EXPECT_FALSE(link.Trace("")) << "an empty message writes nothing";
    EXPECT_FALSE(std::filesystem::exists(path));
    const mode_t umaskBefore = ::umask(022);
    ASSERT_TRUE(link.Connect());
    link.Write("AT\r");
    pty.Send("\r\nOK\r\n");
    link.Read(1000);
    link.Disconnect();
    ::umask(umaskBefore);
    // Every PIN sent is in the trace: its file is for its user only, also one that was not.
    constexpr auto kPrivate = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    EXPECT_EQ(std::filesystem::status(path).permissions(), kPrivate);
    const std::string older = TempPath("older.trace");
    std::ofstream(older) << "an earlier run\n";
    std::filesystem::permissions(older, kPrivate | std::filesystem::perms::group_read | std::filesystem::perms::others_read);
    link.tracePath = older;
    EXPECT_TRUE(link.Trace("Write(COM7): AT+CPIN=\"1234\"\n"));
    EXPECT_EQ(std::filesystem::status(older).permissions(), kPrivate);
    std::filesystem::permissions(older, std::filesystem::perms::owner_write);  // nor one its user cannot read
    EXPECT_TRUE(link.Trace("Write(COM7): AT+CPIN=\"1234\"\n"));
    EXPECT_EQ(std::filesystem::status(older).permissions(), kPrivate);

    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    const std::string trace = all.str();
    const std::string stamp = R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d \[COM\]: )";
    for (const std::string& line : {
             std::string(R"(Disconnect\(COM7\): Already disconnected!)"),
             std::string(R"(SetupConnection\(COM7\): Baud rate = 9600, Data bits = 8, Parity = 0, Stop bits = 0)"),
             std::string(R"(Connect\(COM7\): Succeeded!)"),
             std::string(R"(Write\(COM7\): AT\r)"),
             std::string(R"(Read\(COM7\): \r\nOK\r\n)"),
             std::string(R"(Disconnect\(COM7\): Suceeded!)")}) {
        EXPECT_TRUE(std::regex_search(trace, std::regex("(^|\n)" + stamp + line + "\n"))) << line << "\n" << trace;
    }
    EXPECT_TRUE(std::regex_search(trace, std::regex(stamp + R"(ReadBlock\(COM7\): \r\nOK\r\n)")));
}

double ProcessCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

TEST_F(SerialLinkTest, UnpluggedDeviceReportsOnceAndDoesNotSpin) {
    ASSERT_TRUE(link.Connect());
    pty.Unplug();
    for (int i = 0; i < 200 && link.Errors() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const double before = ProcessCpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_LT(ProcessCpuMs() - before, 60.0) << "the receiver must block, not spin";
    EXPECT_EQ(link.Errors(), 1);

    EXPECT_TRUE(link.LineLost());
    link.Write("AT\r");
    auto start = Clock::now();
    EXPECT_EQ(link.Read(5000), "");
    EXPECT_LT(Millis(Clock::now() - start), 500) << "nothing can come: no waiting out the limit";
    EXPECT_FALSE(link.LastReadComplete());
    start = Clock::now();
    EXPECT_TRUE(link.Disconnect());
    EXPECT_LT(Millis(Clock::now() - start), 500);
    EXPECT_FALSE(link.ReceiverRunning());
}

int OpenDescriptors() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir)) ++count;
        closedir(dir);
    }
    return count;
}

TEST_F(SerialLinkTest, RepeatedConnectionsLeakNothing) {
    ASSERT_TRUE(link.Connect());
    link.Disconnect();
    const int descriptors = OpenDescriptors();
    for (int i = 0; i < 25; ++i) {
        ASSERT_TRUE(link.Connect());
        if (i % 5 == 0) {
            ASSERT_TRUE(link.Connect()) << "Connect on an open link reopens it";
        }
        link.Write("AT\r");
        pty.Send("\r\nOK\r\n");
        EXPECT_EQ(link.Read(1000), "\r\nOK\r\n");
        ASSERT_TRUE(link.Disconnect());
    }
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_FALSE(link.ReceiverRunning());
}

// A pseudo-terminal keeps 8 data bits without parity whatever it is asked, so the Win32
// codes are checked against the termios flags here.
TEST(LineFields, WinCodesToTermiosAndBack) {
    termios driver{};
    driver.c_cflag = CREAD | CLOCAL | CRTSCTS | CS8 | HUPCL;
    const struct {
        LineFields fields;
        tcflag_t set;
        tcflag_t clear;
    } rows[] = {
        {{19200, 7, 1, 0}, CS7 | PARENB | PARODD, CSTOPB},  // odd
        {{9600, 8, 2, 2}, CS8 | PARENB | CSTOPB, PARODD},   // even, two stop bits
        {{115200, 5, 0, 0}, CS5, PARENB | PARODD | CSTOPB},
    };
    for (const auto& row : rows) {
        termios settings = driver;
        ASSERT_TRUE(SetLineFields(settings, row.fields)) << row.fields.baud;
        EXPECT_EQ(settings.c_cflag & (row.set | CSIZE), row.set) << row.fields.baud;
        EXPECT_EQ(settings.c_cflag & row.clear, 0u) << row.fields.baud;
        EXPECT_EQ(settings.c_cflag & (CREAD | CLOCAL | CRTSCTS | HUPCL), CREAD | CLOCAL | CRTSCTS | HUPCL);
        EXPECT_EQ(GetLineFields(settings), row.fields);
    }
    for (const LineFields& refused : {LineFields{12345, 8, 0, 0}, LineFields{9600, 9, 0, 0},
                                      LineFields{9600, 8, 3, 0}, LineFields{9600, 8, 0, 1}}) {
        termios settings = driver;
        EXPECT_FALSE(SetLineFields(settings, refused));
        EXPECT_EQ(settings.c_cflag, driver.c_cflag);
    }
}

TEST(PortNames, MapToDevicePaths) {
    EXPECT_EQ(DefaultDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(DefaultDevicePath("COM8"), "/dev/ttyS7");
    EXPECT_EQ(DefaultDevicePath("COM12"), "/dev/ttyS11");
    EXPECT_EQ(DefaultDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
    for (const char* none : {"", "COM", "COM0", "COMx", "com1", "ttyUSB0", "COM1x", "COM99999999999"})
        EXPECT_EQ(DefaultDevicePath(none), "") << none;
}

TEST(FinalResult, LineBreakThenResultCodeThenCarriageReturn) {
    constexpr auto npos = std::string_view::npos;
    const std::pair<std::string_view, std::size_t> rows[] = {
        {"x\rERROR\r\nOK\r", 1},                  // the earliest of several
        {"\r\nOK\r\n", 1},
        {"OK\r", npos},                             // no line break before it
        {"\r\nOK\n", npos},                         // LF where the CR belongs
        {"\r\nOKAY\r\n", npos},
        {"\n+CME ERROR: 3\r", 0},
        {"\r\n+CME ERROR: SIM PIN required\r\n", 1},
        {"\r\n+CMS ERROR: 500\r\n", 1},
        {"\r\n+CME ERROR:\r\n", 1},                 // a report without its number
        {"\r\n+CME ERROR: 22", npos},               // its line not complete yet
        {"\r\n+CME ERROR: 2\n2\r", npos},            // LF inside: not one line
        {"\r\n+CME ERROR 22\r\n", npos},             // no colon: some other text
        {"+CPBR: 1,\"1\",129,\"+CME ERROR: 1\"\r\n", npos},  // inside a name
        {"+CPBR: 1,\"1\",129,\"A\"\r\n+CME ERROR: 1\r\n", 21},
        // V.250's other final results and Huawei's for an unknown command; waited out before.
        {"\r\nCOMMAND NOT SUPPORT\r\n", 1}, {"\r\nNO CARRIER\r\n", 1}, {"\r\nBUSY\r\n", 1},
        {"\r\nNO ANSWER\r\n", 1}, {"\r\nNO DIALTONE\r\n", 1}, {"\r\nBUSYBOX\r\n", npos},
    };
    for (const auto& [answer, at] : rows)
        EXPECT_EQ(FindFinalResult(answer), at) << testing::PrintToString(std::string(answer));
    EXPECT_EQ(FindFinalResult("\r\nOK\r\n", 2), npos);
}

}  // namespace
}  // namespace ribodex
