// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/card/vpcd_card_link.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace ribodex::sim {

namespace {

constexpr int kPollMs = 50;
constexpr auto kRetryConnect = std::chrono::milliseconds(50);

// vpcd writes the length and the APDU separately: without these each exchange waits for
// Nagle's algorithm and a delayed ACK (some 40 ms). Linux clears QUICKACK again on its own,
// so it is set after every read.
void NoDelays(int socket) {
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(socket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
}

// Reads exactly size bytes; false at the end of the connection, an error or Stop.
bool ReadAll(int socket, std::uint8_t* data, std::size_t size, const std::atomic<bool>& stopping) {
    std::size_t got = 0;
    while (got < size) {
        if (stopping) return false;
        pollfd fd{socket, POLLIN, 0};
        const int ready = ::poll(&fd, 1, kPollMs);
        if (ready < 0 && errno != EINTR) return false;
        if (ready <= 0) continue;
        const ssize_t n = ::recv(socket, data + got, size - got, 0);
        if (n <= 0) {
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            return false;
        }
        got += static_cast<std::size_t>(n);
        NoDelays(socket);
    }
    return true;
}

bool WriteAll(int socket, const Bytes& message) {
    std::size_t sent = 0;
    while (sent < message.size()) {
        const ssize_t n = ::send(socket, message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

bool SendMessage(int socket, const Bytes& payload) {
    Bytes message{static_cast<std::uint8_t>(payload.size() >> 8), static_cast<std::uint8_t>(payload.size())};
    message.insert(message.end(), payload.begin(), payload.end());
    return WriteAll(socket, message);
}

}  // namespace

int VpcdCardLink::ConnectOnce() const {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1 ||
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    NoDelays(fd);
    return fd;
}

void VpcdCardLink::Serve(int socket) {
    connected = true;
    for (;;) {
        std::uint8_t header[2];
        if (!ReadAll(socket, header, 2, stopping)) break;
        Bytes payload(static_cast<std::size_t>(header[0] << 8 | header[1]));
        if (!payload.empty() && !ReadAll(socket, payload.data(), payload.size(), stopping)) break;
        Bytes answer;
        {
            std::lock_guard guard(cardLock);
            if (payload.size() != 1) {
                answer = card->Process(payload);
            } else if (payload[0] == 0x04) {
                answer = card->Atr();
            } else if (payload[0] <= 0x02) {
                // Power off, power on, reset: no answer.
                card->Reset();
                continue;
            } else {
                continue;
            }
        }
        if (!SendMessage(socket, answer)) break;
    }
    connected = false;
    ::close(socket);
}

void VpcdCardLink::Run() {
    while (!stopping) {
        const int socket = ConnectOnce();
        if (socket < 0) {
            std::this_thread::sleep_for(kRetryConnect);
            continue;
        }
        Serve(socket);
    }
}

void VpcdCardLink::Start() {
    stopping = false;
    thread = std::thread([this] { Run(); });
}

void VpcdCardLink::Stop() {
    stopping = true;
    if (thread.joinable()) thread.join();
}

}  // namespace ribodex::sim
