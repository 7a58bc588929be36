// SPDX-License-Identifier: GPL-3.0-or-later
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "core/serial/serial_link.h"

namespace ribodex {
namespace {

constexpr int kBlockSize = 512;
constexpr std::string_view kLineBreaks = "\r\n";
// V.250's final results besides OK and ERROR, and Huawei's for a command it does not know:
// each ends the command as ERROR does.
constexpr std::string_view kFinalWords[] = {"OK\r",      "ERROR\r",   "COMMAND NOT SUPPORT\r", "NO CARRIER\r",
                                            "BUSY\r",    "NO ANSWER\r", "NO DIALTONE\r"};
constexpr std::string_view kExtendedErrors[] = {"+CME ERROR:", "+CMS ERROR:"};

// Whether a final result code starts with the line break at `at`: OK or ERROR followed by a
// carriage return, or an extended error report whose line is complete (its number or text
// ends with a carriage return before any other line break).
bool FinalResultAt(std::string_view answer, std::size_t at) {
    const std::string_view line = answer.substr(at + 1);
    for (std::string_view word : kFinalWords)
        if (line.substr(0, word.size()) == word) return true;
    for (std::string_view report : kExtendedErrors) {
        if (line.substr(0, report.size()) != report) continue;
        const std::size_t end = line.find_first_of(kLineBreaks, report.size());
        return end != std::string_view::npos && line[end] == '\r';
    }
    return false;
}

}  // namespace

std::size_t FindFinalResult(std::string_view answer, std::size_t from) {
    for (std::size_t at = answer.find_first_of(kLineBreaks, from); at != std::string_view::npos;
         at = answer.find_first_of(kLineBreaks, at + 1)) {
        if (FinalResultAt(answer, at)) return at;
    }
    return std::string_view::npos;
}

std::size_t FinalResultResumePoint(std::string_view searched) {
    // Every final result code is one line break, text without line breaks, and a carriage
    // return; one that was not complete in `searched` can only start at its last line break.
    const std::size_t last = searched.find_last_of(kLineBreaks);
    return last == std::string_view::npos ? 0 : last;
}

void SerialLink::DrainWakePipe() {
    char sink[16];
    while (::read(wakePipe[0], sink, sizeof sink) > 0) {
    }
}

void SerialLink::WaitForPort() {
    pollfd fds[2] = {{wakePipe[0], POLLIN, 0}, {commHandle, POLLIN, 0}};
    // Once the device has gone, only Disconnect can wake us: a hung-up line reports
    // POLLHUP on every poll and would make this thread spin.
    const nfds_t count = lineLost.load() ? 1 : 2;
    if (::poll(fds, count, -1) < 0) return;  // EINTR: the caller loops
    if (fds[0].revents) DrainWakePipe();
    if (count < 2 || !connected.load()) return;

    const short events = fds[1].revents;
    if (events & POLLIN) {
        char block[kBlockSize];
        int n;
        do {
            n = ReceiveChunk(block, kBlockSize);
            ReadBlock(std::string_view(block, n > 0 ? static_cast<std::size_t>(n) : 0));
        } while (n > 0);
        if (n < 0) {
            // After every byte the device sent is in receiveBuffer: a Read that sees the line
            // lost has its whole answer.
            lineLost = true;
            OnError("ReceiveChunk: the device stopped answering reads", errno);
        }
    } else if (events & (POLLHUP | POLLERR | POLLNVAL)) {
        lineLost = true;
        OnError("WaitForPort: the device hung up", events & POLLNVAL ? EBADF : EIO);
    }
}

void SerialLink::ReceiverThread() {
    while (connected.load()) WaitForPort();
    receiverRunning = false;
}

int SerialLink::ReceiveChunk(char* buffer, int capacity) {
    ssize_t n;
    do {
        n = ::read(commHandle, buffer, static_cast<std::size_t>(capacity));
    } while (n < 0 && errno == EINTR);
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    if (n == 0) {
        // End of file on a terminal: the other side has gone.
        errno = EIO;
        return -1;
    }
    std::lock_guard<std::mutex> lock(receiveLock);
    // Every byte counts: a name with "@" arrives as 0x00 and must not cut the block.
    receiveBuffer.append(buffer, static_cast<std::size_t>(n));
    return static_cast<int>(n);
}

bool SerialLink::Write(std::string_view command) {
    std::lock_guard<std::mutex> lock(receiveLock);
    receiveBuffer.clear();
    if (commHandle >= 0) {
        // Wait for the driver to take every byte, within the write limit, so the command
        // is never cut short when the output queue is full.
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timing.writeLimitMs);
        std::size_t sent = 0;
        while (sent < command.size()) {
            ssize_t n = ::write(commHandle, command.data() + sent, command.size() - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) break;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd out{commHandle, POLLOUT, 0};
            ::poll(&out, 1, static_cast<int>(left.count()));
        }
    }
    std::string line = "Write(" + port + "): ";
    line.append(command);
    line += '\n';
    Trace(line);
    return true;
}

std::string SerialLink::Read(int limitMs, const std::function<void()>& idle, const ReceivedWatch& watch) {
    using Clock = std::chrono::steady_clock;
    // The last pass is cut short, not dropped: an exchange hands on what its write left of
    // its limit (398 ms, say), and cutting that to whole passes made it end early.
    const int passes = (std::max(limitMs, 0) + 9) / 10;
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::milliseconds(std::max(limitMs, 0));
    std::unique_lock<std::mutex> lock(receiveLock);
    std::size_t from = 0;
    for (int pass = 0; pass < passes; ++pass) {
        if (FindFinalResult(receiveBuffer, from) != std::string_view::npos) break;
        // Nothing more can come: waiting out the limit would only freeze the window.
        if (lineLost.load()) break;
        if (watch && !watch(receiveBuffer)) break;
        from = FinalResultResumePoint(receiveBuffer);
        lock.unlock();
        if (idle) idle();
        // Ticks against the start, and ends at the deadline however long the idle hook takes.
        std::this_thread::sleep_until(std::min(start + std::chrono::milliseconds(10 * (pass + 1)), deadline));
        lock.lock();
        if (Clock::now() >= deadline) break;
    }
    lastReadComplete = FindFinalResult(receiveBuffer) != std::string_view::npos;
    std::string line = "Read(" + port + "): ";
    line += receiveBuffer;
    line += '\n';
    Trace(line);
    return receiveBuffer;
}

void SerialLink::DropReceived(std::size_t count) {
    std::lock_guard<std::mutex> lock(receiveLock);
    receiveBuffer.erase(0, std::min(count, receiveBuffer.size()));
}

void SerialLink::ReadBlock(std::string_view block) {
    std::string line = "ReadBlock(" + port + "): ";
    line.append(block);
    line += '\n';
    Trace(line);
}

void SerialLink::OnError(std::string_view, int) {}

}  // namespace ribodex
