// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "sim/modem_simulator.h"

namespace ribodex::sim {

// Runs a ModemSimulator on the master side of a pseudo-terminal, in its own thread, with
// the pacing, latency and faults of its config. Clients open SlavePath() like a serial port.
// Start/Stop/Unplug are called from one owner thread; With() may be called from any thread.
// After a failed Start nothing runs and no file (pty, symlink) is left behind.
class PtyModem {
public:
    explicit PtyModem(SimConfig config = {});
    ~PtyModem();  // Stop()
    PtyModem(const PtyModem&) = delete;
    PtyModem& operator=(const PtyModem&) = delete;

    // posix_openpt, raw slave, one slave fd held open so the master never reads EIO between
    // clients, a symlink at linkPath when given (an existing symlink there is replaced).
    bool Start(const std::string& linkPath = {});
    bool Running() const { return running.load(); }
    // The /dev/pts/N path, or the link path when one was made; empty before Start.
    const std::string& SlavePath() const { return slavePath; }
    // Joins the thread, closes the pty, removes the symlink. Safe to call twice.
    void Stop();
    // Closes the master side as an unplugged USB modem: clients see POLLHUP / EIO. Returns
    // once the line is closed.
    void Unplug();

    // Runs f(ModemSimulator&) under the runner's mutex: preload books, lock the SIM,
    // switch faults at run time.
    template <class F>
    auto With(F f) {
        std::lock_guard<std::mutex> guard(mutex);
        return f(simulator);
    }

    // Called under the mutex after a command changed a phone book (DemoPhone saves there).
    // Set before Start.
    std::function<void(const ModemSimulator&)> onChange;

private:
    void Run();
    bool WaitWake(int timeoutMs);  // true when woken for stopping
    bool SendPaced(const std::string& bytes, unsigned baud);
    void CloseAll();
    void CloseLine();  // the unplug itself, on the runner's thread or with none running
    bool UnplugRequested();

    std::mutex mutex;
    std::condition_variable unplugged;
    bool unplugRequested = false;  // under mutex
    ModemSimulator simulator;
    std::thread thread;
    std::atomic<bool> running{false};
    std::atomic<bool> stopping{false};
    int master = -1;
    int holder = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::string ptsPath;
    std::string slavePath;
    std::string linkPath;
};

}  // namespace ribodex::sim
