#include "sim/pty_modem.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace ribodex::sim {
namespace {

using Clock = std::chrono::steady_clock;

// A client that stops reading must not wedge the phone: output it has not taken after this
// long is thrown away, as a modem's full transmit buffer would.
constexpr int kWriteStallMs = 1000;

std::chrono::microseconds WireTime(std::size_t bytes, unsigned baud) {
    if (baud == 0) return std::chrono::microseconds(0);
    return std::chrono::microseconds(static_cast<long long>(bytes) * 10'000'000LL / baud);
}

}  // namespace

PtyModem::PtyModem(SimConfig config) : simulator(std::move(config)) {}

PtyModem::~PtyModem() { Stop(); }

bool PtyModem::Start(const std::string& link) {
    if (running.load()) return false;
    // A phone that hung up or was unplugged may be plugged in again: a fresh pty.
    if (thread.joinable()) thread.join();
    CloseAll();
    stopping = false;
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    char name[128] = {};
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0) {
        CloseAll();
        return false;
    }
    ptsPath = name;
    holder = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    termios tio{};
    if (holder < 0 || ::tcgetattr(holder, &tio) != 0) {
        CloseAll();
        return false;
    }
    ::cfmakeraw(&tio);
    ::tcsetattr(holder, TCSANOW, &tio);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        CloseAll();
        return false;
    }
    wakeRead = pipeFds[0];
    wakeWrite = pipeFds[1];
    slavePath = ptsPath;
    if (!link.empty()) {
        struct stat st{};
        // Replace only a stale link of ours, never a real file.
        if (::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) ::unlink(link.c_str());
        if (::symlink(ptsPath.c_str(), link.c_str()) != 0) {
            CloseAll();
            return false;
        }
        linkPath = link;
        slavePath = link;
    }
    running = true;
    thread = std::thread([this] { Run(); });
    return true;
}

void PtyModem::Stop() {
    stopping = true;
    if (wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto n = ::write(wakeWrite, &byte, 1);
    }
    if (thread.joinable()) thread.join();
    CloseAll();
}

void PtyModem::Unplug() {
    stopping = true;
    if (wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto n = ::write(wakeWrite, &byte, 1);
    }
    if (thread.joinable()) thread.join();
    if (master >= 0) {
        ::close(master);
        master = -1;
    }
}

void PtyModem::CloseAll() {
    for (int* fd : {&master, &holder, &wakeRead, &wakeWrite}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    if (!linkPath.empty()) ::unlink(linkPath.c_str());
    linkPath.clear();
    running = false;
}

bool PtyModem::WaitWake(int timeoutMs) {
    if (stopping.load()) return true;
    if (timeoutMs <= 0) return false;
    pollfd wake{wakeRead, POLLIN, 0};
    return ::poll(&wake, 1, timeoutMs) > 0 || stopping.load();
}

bool PtyModem::SendPaced(const std::string& bytes, unsigned baud) {
    const auto start = Clock::now();
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        std::size_t allowed = bytes.size();
        if (baud != 0) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
            allowed = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(elapsed.count() * baud / 10'000'000LL));
            if (allowed <= sent) {
                const auto due = start + WireTime(sent + 1, baud);
                const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count();
                if (WaitWake(static_cast<int>(wait) + 1)) return false;
                continue;
            }
        }
        const ssize_t n = ::write(master, bytes.data() + sent, allowed - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd fds[2] = {{master, POLLOUT, 0}, {wakeRead, POLLIN, 0}};
        if (::poll(fds, 2, kWriteStallMs) <= 0) {
            ::tcflush(holder, TCIFLUSH);  // nobody reads: drop what is queued for the client
            return true;
        }
        if (fds[1].revents != 0 || stopping.load()) return false;
    }
    return true;
}

void PtyModem::Run() {
    char buffer[4096];
    while (!stopping.load()) {
        pollfd fds[2] = {{master, POLLIN, 0}, {wakeRead, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents != 0) break;
        if ((fds[0].revents & (POLLERR | POLLNVAL)) != 0) break;
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            // EIO with no slave open cannot happen while holder is open; anything else ends us.
            break;
        }
        std::string out;
        unsigned baud = 0;
        int answerDelayMs = 0;
        bool answered = false;
        bool hangUp = false;
        std::string unsolicited;
        {
            std::lock_guard<std::mutex> guard(mutex);
            const int before = simulator.CommandCount();
            const auto revision = simulator.Revision();
            out = simulator.Feed(std::string_view(buffer, static_cast<std::size_t>(n)));
            answered = simulator.CommandCount() != before;
            if (simulator.Revision() != revision && onChange) onChange(simulator);
            const SimConfig& config = simulator.Config();
            baud = config.baud;
            answerDelayMs = config.latencyMs + config.lateAnswerMs;
            hangUp = answered && simulator.HangUpDue();
            if (answered && config.unsolicited && !config.silent) unsolicited = simulator.NextUnsolicited();
        }
        // The bytes reached us at once through the pty; on a real line they took their wire time.
        int waitMs = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(WireTime(static_cast<std::size_t>(n), baud))
                .count());
        if (answered) waitMs += answerDelayMs;
        if (WaitWake(waitMs)) break;
        if (!out.empty() && !SendPaced(out, baud)) break;
        if (!unsolicited.empty() && !SendPaced(unsolicited, baud)) break;
        if (hangUp) {
            ::close(master);
            master = -1;
            break;
        }
    }
    running = false;
}

}  // namespace ribodex::sim
