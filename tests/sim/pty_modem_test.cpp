// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated phone on a real pseudo-terminal, seen from a client that opens it like a
// serial port.
#include "sim/pty_modem.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace ribodex::sim {
namespace {

using Clock = std::chrono::steady_clock;

// A raw, non-blocking client end, as a serial program would set it up.
class Client {
public:
    explicit Client(const std::string& path) {
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        termios raw{};
        if (fd >= 0 && ::tcgetattr(fd, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(fd, TCSANOW, &raw);
        }
    }
    ~Client() {
        if (fd >= 0) ::close(fd);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool Ok() const { return fd >= 0; }
    void Send(std::string_view bytes) const { ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size())); }

    // Everything read until the text ends with `end` or the time is up.
    std::string ReadUntil(std::string_view end, int timeoutMs = 1000) const {
        std::string got;
        const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!got.ends_with(end) && Clock::now() < until) {
            pollfd in{fd, POLLIN, 0};
            if (::poll(&in, 1, 10) <= 0 || !(in.revents & POLLIN)) continue;
            char buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    // A hang-up shows as POLLHUP, as end of file or as EIO, depending on timing.
    bool SeesHangUp(int timeoutMs = 1000) const {
        const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < until) {
            pollfd in{fd, POLLIN, 0};
            if (::poll(&in, 1, 10) <= 0) continue;
            if (in.revents & (POLLHUP | POLLERR)) return true;
            char buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n == 0 || (n < 0 && errno == EIO)) return true;
        }
        return false;
    }

private:
    int fd = -1;
};

class PtyModemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path.empty());
        link = dir / "ttyQuill";
    }

    test::TempDir dir;
    std::string link;
};

TEST_F(PtyModemTest, AnswersOnItsLinkAndRemovesItOnStop) {
    std::filesystem::create_symlink("/nonexistent", link);  // a stale link from an earlier run
    PtyModem modem;
    EXPECT_EQ(modem.SlavePath(), "");
    ASSERT_TRUE(modem.Start(link));
    EXPECT_TRUE(modem.Running());
    EXPECT_EQ(modem.SlavePath(), link);
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(std::filesystem::read_symlink(link).string().starts_with("/dev/pts/"));
    {
        Client client(modem.SlavePath());
        ASSERT_TRUE(client.Ok());
        client.Send("AT\r");
        EXPECT_EQ(client.ReadUntil("OK\r\n"), "AT\r\r\nOK\r\n");
        client.Send("AT+CGMI\r");
        EXPECT_EQ(client.ReadUntil("OK\r\n"), "AT+CGMI\r\r\nOlvenstrom\r\n\r\nOK\r\n");
    }
    modem.Stop();
    EXPECT_FALSE(modem.Running());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    modem.Stop();

    PtyModem plain;
    ASSERT_TRUE(plain.Start());
    EXPECT_TRUE(plain.SlavePath().starts_with("/dev/pts/"));
    Client client(plain.SlavePath());
    client.Send("AT\r");
    EXPECT_EQ(client.ReadUntil("OK\r\n"), "AT\r\r\nOK\r\n");
}

TEST_F(PtyModemTest, ChangesThroughWithAndTheChangeCallback) {
    SimConfig config;
    config.echo = false;
    PtyModem modem(config);
    std::atomic<int> changes{0};
    std::atomic<std::size_t> entriesSeen{0};
    modem.onChange = [&](const ModemSimulator& phone) {
        ++changes;
        entriesSeen = phone.FindMemory("SM")->entries.size();
    };
    ASSERT_TRUE(modem.Start());
    modem.With([](ModemSimulator& phone) { phone.FindMemory("SM")->entries[7] = {"0301", 129, "Anna"}; });
    Client client(modem.SlavePath());
    client.Send("AT+CPBR=7\r");
    EXPECT_EQ(client.ReadUntil("OK\r\n"), "\r\n+CPBR: 7,\"0301\",129,\"Anna\"\r\n\r\nOK\r\n");
    EXPECT_EQ(changes, 0) << "reading changes nothing";

    client.Send("AT+CPBW=,\"0302\",129,\"Ben\"\r");
    EXPECT_EQ(client.ReadUntil("OK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(entriesSeen, 2u) << "the callback sees the book after the write";

    modem.With([](ModemSimulator& phone) {
        phone.Config().pin = "1234";
        phone.PowerOn();
    });
    client.Send("AT+CPIN?\r");
    EXPECT_EQ(client.ReadUntil("OK\r\n"), "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n");
}

TEST_F(PtyModemTest, UnplugHangsUpTheClient) {
    PtyModem modem;
    ASSERT_TRUE(modem.Start(link));
    Client client(modem.SlavePath());
    client.Send("AT\r");
    ASSERT_EQ(client.ReadUntil("OK\r\n"), "AT\r\r\nOK\r\n");
    const auto start = Clock::now();
    modem.Unplug();
    EXPECT_TRUE(client.SeesHangUp());
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    modem.Stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST_F(PtyModemTest, LineDropsAfterTheConfiguredCommandCount) {
    SimConfig config;
    config.hangupAfterCommands = 2;
    PtyModem modem(config);
    ASSERT_TRUE(modem.Start());
    Client client(modem.SlavePath());
    client.Send("AT\r");
    EXPECT_EQ(client.ReadUntil("OK\r\n"), "AT\r\r\nOK\r\n");
    client.Send("ATI\r");
    EXPECT_EQ(client.ReadUntil("OK\r\n"), "ATI\r\r\nOlvenstrom Quillphone 7\r\n\r\nOK\r\n")
        << "the answer to the last command still arrives";
    EXPECT_TRUE(client.SeesHangUp());

    // Unplugged part way into that answer.
    config.hangupAfterAnswerBytes = 9;
    PtyModem cut(config);
    ASSERT_TRUE(cut.Start());
    Client second(cut.SlavePath());
    second.Send("AT\r");
    EXPECT_EQ(second.ReadUntil("OK\r\n"), "AT\r\r\nOK\r\n");
    second.Send("ATI\r");
    EXPECT_EQ(second.ReadUntil("OK\r\n", 300), "ATI\r\r\nOlv");
    EXPECT_TRUE(second.SeesHangUp());
}

TEST_F(PtyModemTest, LateAnswerToOneCommandOnly) {
    SimConfig config;
    config.lateAnswerMs = 400;
    config.lateAnswerCommand = 2;
    PtyModem modem(config);
    ASSERT_TRUE(modem.Start());
    Client client(modem.SlavePath());
    for (const char* command : {"AT\r", "ATI\r", "AT\r"}) {
        const auto start = Clock::now();
        client.Send(command);
        EXPECT_TRUE(client.ReadUntil("OK\r\n").ends_with("OK\r\n")) << command;
        const bool late = Clock::now() - start >= std::chrono::milliseconds(400);
        EXPECT_EQ(late, std::string(command) == "ATI\r") << command;
    }
}

int OpenDescriptors() {
    int count = 0;
    if (DIR* fds = ::opendir("/proc/self/fd")) {
        while (::readdir(fds)) ++count;
        ::closedir(fds);
    }
    return count;
}

TEST_F(PtyModemTest, StartStopCyclesLeakNoDescriptors) {
    PtyModem modem;
    const int before = OpenDescriptors();
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(modem.Start(link));
        if (i % 3 == 0) {
            Client client(modem.SlavePath());
            client.Send("AT\r");
            EXPECT_EQ(client.ReadUntil("OK\r\n"), "AT\r\r\nOK\r\n");
        }
        if (i % 3 == 1) modem.Unplug();
        modem.Stop();
    }
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

}  // namespace
}  // namespace ribodex::sim
