// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/pty_modem.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace ribodex::sim {

PtyModem::PtyModem(SimConfig config) : simulator(std::move(config)) {}

PtyModem::~PtyModem() { Stop(); }

void PtyModem::CloseAll() {
    for (int* fd : {&master, &holder, &wakeRead, &wakeWrite}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    if (!linkPath.empty()) ::unlink(linkPath.c_str());
    linkPath.clear();
}

bool PtyModem::Start(const std::string& link) {
    if (running.load()) return true;
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128];
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        CloseAll();
        return false;
    }
    ptsPath = name;
    // Held open so the master never reads EIO while no client has the port open.
    holder = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    int wake[2];
    if (holder < 0 || ::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        CloseAll();
        return false;
    }
    wakeRead = wake[0];
    wakeWrite = wake[1];
    termios raw{};
    if (::tcgetattr(holder, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(holder, TCSANOW, &raw);
    }
    slavePath = ptsPath;
    if (!link.empty()) {
        ::unlink(link.c_str());
        if (::symlink(ptsPath.c_str(), link.c_str()) != 0) {
            CloseAll();
            return false;
        }
        linkPath = link;
        slavePath = link;
    }
    stopping = false;
    running = true;
    thread = std::thread(&PtyModem::Run, this);
    return true;
}

void PtyModem::Stop() {
    if (!running.load()) return;
    stopping = true;
    const char wake = 'x';
    [[maybe_unused]] ssize_t ignored = ::write(wakeWrite, &wake, 1);
    if (thread.joinable()) thread.join();
    {
        std::lock_guard<std::mutex> guard(mutex);
        running = false;
        unplugged.notify_all();
    }
    CloseAll();
}

void PtyModem::Unplug() {
    if (!running.load() || std::this_thread::get_id() == thread.get_id()) {
        CloseLine();
        return;
    }
    // Only the runner closes the line: closing it here could let a descriptor the runner
    // still polls or writes be reused by another open meanwhile. Wait until it has.
    std::unique_lock<std::mutex> guard(mutex);
    unplugRequested = true;
    const char wake = 'u';
    [[maybe_unused]] ssize_t ignored = ::write(wakeWrite, &wake, 1);
    unplugged.wait(guard, [this] { return master < 0 || !running.load(); });
}

void PtyModem::CloseLine() {
    std::lock_guard<std::mutex> guard(mutex);
    if (master >= 0) ::close(master);
    master = -1;
    if (holder >= 0) ::close(holder);
    holder = -1;
    unplugRequested = false;
    unplugged.notify_all();
}

bool PtyModem::WaitWake(int timeoutMs) {
    if (timeoutMs <= 0) return stopping.load();
    pollfd wake{wakeRead, POLLIN, 0};
    ::poll(&wake, 1, timeoutMs);
    return stopping.load();
}

bool PtyModem::SendPaced(const std::string& bytes, unsigned baud) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const std::chrono::duration<double> byteTime(baud ? 10.0 / baud : 0.0);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (stopping.load()) return false;
        std::size_t due = bytes.size();
        if (baud) {
            due = static_cast<std::size_t>((Clock::now() - start) / byteTime) + 1;
            if (due > bytes.size()) due = bytes.size();
        }
        if (due > sent) {
            int fd;
            {
                std::lock_guard<std::mutex> guard(mutex);
                fd = master;
            }
            if (fd < 0) return false;
            if (UnplugRequested()) {
                CloseLine();
                return false;
            }
            ssize_t n = ::write(fd, bytes.data() + sent, due - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            } else {
                WaitWake(2);
            }
        }
        if (baud && sent < bytes.size())
            std::this_thread::sleep_until(
                start + std::chrono::duration_cast<Clock::duration>(byteTime * (sent + 1)));
    }
    return true;
}

void PtyModem::Run() {
    while (!stopping.load()) {
        int fd;
        {
            std::lock_guard<std::mutex> guard(mutex);
            fd = master;
        }
        pollfd fds[2] = {{wakeRead, POLLIN, 0}, {fd, POLLIN, 0}};
        // After an unplug only Stop can wake us.
        ::poll(fds, fd >= 0 ? 2 : 1, -1);
        if (stopping.load()) break;
        if (fds[0].revents & POLLIN) {
            char drain[16];
            while (::read(wakeRead, drain, sizeof drain) > 0) {
            }
        }
        if (UnplugRequested()) {
            CloseLine();
            continue;
        }
        if (fd < 0 || !(fds[1].revents & POLLIN)) {
            if (fd >= 0 && (fds[1].revents & (POLLHUP | POLLERR))) WaitWake(20);  // no client yet
            continue;
        }
        char block[512];
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got <= 0) continue;

        struct {
            unsigned baud;
            int latencyMs;
            bool unsolicited;
        } timing;
        std::string answer;
        std::uint64_t revisionBefore;
        int commandsBefore;
        {
            std::lock_guard<std::mutex> guard(mutex);
            const SimConfig& config = simulator.Config();
            timing = {config.baud, config.latencyMs, config.unsolicited};
            revisionBefore = simulator.Revision();
            commandsBefore = simulator.CommandCount();
        }
        // Input, too, spends its time on the wire before the phone has it.
        if (timing.baud) WaitWake(static_cast<int>(got * 10000 / timing.baud));
        bool hangUp = false;
        int lateMs = 0;
        {
            std::lock_guard<std::mutex> guard(mutex);
            answer = simulator.Feed(std::string_view(block, static_cast<std::size_t>(got)));
            const SimConfig& config = simulator.Config();
            if (config.lateAnswerCommand == 0 ||
                (config.lateAnswerCommand > commandsBefore && config.lateAnswerCommand <= simulator.CommandCount()))
                lateMs = config.lateAnswerMs;
            if (simulator.Revision() != revisionBefore && onChange) onChange(simulator);
            hangUp = simulator.HangUpDue();
            if (timing.unsolicited && !answer.empty()) answer += simulator.NextUnsolicited();
            const auto cut = static_cast<std::size_t>(std::max(config.hangupAfterAnswerBytes, 0));
            if (hangUp && cut > 0 && cut < answer.size()) answer.resize(cut);  // unplugged mid-answer
        }
        if (answer.empty()) continue;
        if (WaitWake(timing.latencyMs + lateMs)) break;
        SendPaced(answer, timing.baud);
        if (hangUp) {
            // A pty hang-up discards what the client has not read yet, but a modem's last
            // answer is on the wire before the carrier drops: wait (briefly) until it is read.
            int slave;
            {
                std::lock_guard<std::mutex> guard(mutex);
                slave = holder;
            }
            WaitWake(5);  // the answer reaches the slave's input queue asynchronously
            int pending = 0;
            for (int waited = 0; waited < 1000 && !stopping.load() && slave >= 0 &&
                                 ::ioctl(slave, FIONREAD, &pending) == 0 && pending > 0;
                 waited += 5) {
                WaitWake(5);
            }
            CloseLine();
        }
    }
}

bool PtyModem::UnplugRequested() {
    std::lock_guard<std::mutex> guard(mutex);
    return unplugRequested;
}

}  // namespace ribodex::sim
