// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>

namespace ribodex::test {

// The device end of a pseudo-terminal driven by hand, for byte-exact link tests: what the
// test writes arrives at the link as if the modem sent it. Single-threaded use.
class RawPty {
public:
    RawPty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return;
        char name[128];
        if (::ptsname_r(master, name, sizeof name) == 0) slavePath = name;
        // Hold the slave open so the master never reads EIO between clients.
        holder = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    ~RawPty() {
        Unplug();
        if (holder >= 0) ::close(holder);
    }
    RawPty(const RawPty&) = delete;
    RawPty& operator=(const RawPty&) = delete;

    bool Ok() const { return master >= 0 && holder >= 0 && !slavePath.empty(); }
    const std::string& SlavePath() const { return slavePath; }
    int HolderFd() const { return holder; }

    void Send(std::string_view bytes) const {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            ssize_t n = ::write(master, bytes.data() + sent, bytes.size() - sent);
            if (n <= 0) return;
            sent += static_cast<std::size_t>(n);
        }
    }

    // What the link wrote, collected until `expected` bytes came or timeoutMs passed.
    std::string Receive(std::size_t expected, int timeoutMs = 1000) const {
        std::string got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (got.size() < expected && std::chrono::steady_clock::now() < end) {
            pollfd in{master, POLLIN, 0};
            if (::poll(&in, 1, 20) <= 0) continue;
            char buffer[512];
            ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    // The modem goes away, as an unplugged USB stick: the link sees a hang-up.
    void Unplug() {
        if (master >= 0) ::close(master);
        master = -1;
        if (holder >= 0) ::close(holder);
        holder = -1;
    }

private:
    int master = -1;
    int holder = -1;
    std::string slavePath;
};

}  // namespace ribodex::test
