// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <mutex>
#include <cstdint>
#include <string>
#include <thread>

#include "sim/card/simulated_sim_card.h"

namespace ribodex::sim {

// The simulated card in a vpcd reader slot: a TCP client of pcscd's vpcd driver on its own
// thread. Each message either way is a 2-byte big-endian length and its payload; a 1-byte
// payload is power off (00), power on (01), reset (02) or a request for the ATR (04), any
// other an APDU the card answers. The card connects as soon as pcscd listens and again
// whenever pcscd goes away and comes back, until Stop.
class VpcdCardLink {
public:
    VpcdCardLink(SimulatedSimCard& card, std::string host, int port)
        : card(&card), host(std::move(host)), port(port) {}
    ~VpcdCardLink() { Stop(); }
    VpcdCardLink(const VpcdCardLink&) = delete;
    VpcdCardLink& operator=(const VpcdCardLink&) = delete;

    void Start();
    void Stop();
    // Runs on the calling thread until Stop (from another thread or a signal handler's flag).
    void Run();
    bool Connected() const { return connected; }
    // Another card in the slot, as if swapped between two commands (tests that share one
    // pcscd give each test a fresh card this way); a command under way ends first.
    void Insert(SimulatedSimCard& next) {
        std::lock_guard guard(cardLock);
        card = &next;
    }

    std::atomic<bool> stopping{false};

private:
    int ConnectOnce() const;
    // Serves one connection until it ends; false when Stop ended it.
    void Serve(int socket);

    // What the link thread answers with, and the lock it holds while it does.
    SimulatedSimCard* card;
    std::mutex cardLock;
    std::string host;
    int port;
    std::thread thread;
    std::atomic<bool> connected{false};
};

}  // namespace ribodex::sim
