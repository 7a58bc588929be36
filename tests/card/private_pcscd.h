// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "core/card/pcsc_context.h"
#include "sim/card/vpcd_card_link.h"
#include "support/temp_dir.h"

extern char** environ;

namespace ribodex::test {

// A pcscd of this test program alone, with one vpcd reader whose slot 0 holds a simulated
// card of this process: socket-activated on a socket in its own folder (so a system pcscd is
// never touched), on a port of its own, stopped by its PID when the program ends. Clients
// find it through PCSCLITE_CSOCK_NAME, which libpcsclite reads once: so one a process, and
// each test puts its own card in the slot. Ready once the reader shows a card (waited for
// through SCardGetStatusChange).
class PrivatePcscd {
public:
    static PrivatePcscd& Shared(sim::SimulatedSimCard& card) {
        static PrivatePcscd instance(card);
        if (instance.link) instance.link->Insert(card);
        return instance;
    }
    // The slot holds a card of its own again (the test's card is about to go).
    void Park() {
        if (link) link->Insert(spare);
    }

    explicit PrivatePcscd(sim::SimulatedSimCard& card) {
        if (dir.path.empty()) return;
        port = FreePort();
        ::mkdir((dir / "conf").c_str(), 0700);
        std::ofstream(dir / "conf/vpcd") << "FRIENDLYNAME \"Test PCD\"\nDEVICENAME /dev/null:" << port
                                         << "\nLIBPATH " << kDriver << "\nCHANNELID "
                                         << port << "\n";
        socketPath = dir / "pcscd.comm";
        ::setenv("PCSCLITE_CSOCK_NAME", socketPath.c_str(), 1);
        if (!Spawn()) return;
        link = std::make_unique<sim::VpcdCardLink>(card, "127.0.0.1", port);
        link->Start();
        // pcscd starts at the first client: asking for the readers wakes it.
        PcscContext context;
        if (context.Establish() != CardStatus::Ok) return;
        ready = context.WaitForCard(kReader, 15000) == CardStatus::Ok;
    }
    ~PrivatePcscd() {
        if (link) link->Stop();
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            int status = 0;
            ::waitpid(pid, &status, 0);
        }
    }
    PrivatePcscd(const PrivatePcscd&) = delete;
    PrivatePcscd& operator=(const PrivatePcscd&) = delete;

    static bool Installed() {
        for (const char* file : {"/usr/sbin/pcscd", "/usr/bin/systemd-socket-activate", kDriver})
            if (::access(file, X_OK) != 0 && ::access(file, R_OK) != 0) return false;
        return true;
    }
    static constexpr const char* kDriver = "/usr/lib/pcsc/drivers/serial/libifdvpcd.so";
    static constexpr const char* kReader = "Test PCD 00 00";
    bool ready = false;

private:
    static int FreePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
        ::close(fd);
        return ntohs(address.sin_port);
    }

    bool Spawn() {
        const std::string log = dir / "pcscd.log";
        std::string args[] = {"/usr/bin/systemd-socket-activate", "-l", socketPath, "pcscd", "-f", "-c", dir / "conf"};
        char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(),
                        args[4].data(), args[5].data(), args[6].data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        if (!spawned) {
            pid = -1;
            return false;
        }
        // The listening socket appears once systemd-socket-activate has bound it.
        for (int i = 0; i < 500; ++i) {
            struct stat info{};
            if (::stat(socketPath.c_str(), &info) == 0) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    sim::SimulatedSimCard spare{sim::SimulatedSimCard::Kind::Usim};
    TempDir dir;
    std::string socketPath;
    int port = 0;
    pid_t pid = -1;
    std::unique_ptr<sim::VpcdCardLink> link;
};

}  // namespace ribodex::test
