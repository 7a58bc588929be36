// SPDX-License-Identifier: GPL-3.0-or-later
// ribodex-sim: the simulated phone on a pseudo-terminal, until interrupted.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "core/version.h"
#include "sim/pty_modem.h"
#include "sim/state_file.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

void OnSignal(int) { stopRequested = 1; }

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "ribodex-sim: %s\n", why);
    std::fprintf(stderr,
                 "usage: ribodex-sim --link PATH [--pin CODE] [--puk CODE] [--baud N] [--book FILE]\n"
                 "                   [--echo on|off] [--cmee 0|1|2] [--empty ok|error|cme|noentry]\n"
                 "       ribodex-sim --link PATH --replay TRACE\n"
                 "       ribodex-sim --version\n"
                 "Runs a simulated GSM phone on a pseudo-terminal reachable at PATH and prints\n"
                 "the pty path. With --book the phone books are loaded from FILE and saved there\n"
                 "after every change. With --replay it answers every command as the device that\n"
                 "recorded TRACE (a ribodex trace file) did; a command it did not record gets ERROR.\n");
    return 2;
}

bool ParseNumber(std::string_view text, int low, int high, int& out) {
    if (text.empty() || text.size() > 9) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) return false;
    out = value;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ribodex::sim;
    SimConfig config;
    std::string link, book;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") return Usage(nullptr), 0;
        if (option == "--version") return std::printf("ribodex-sim %s\n", ribodex::kVersion), 0;
        if (i + 1 >= argc) return Usage("every option takes a value");
        const std::string_view value = argv[++i];
        int number = 0;
        if (option == "--link") {
            link = value;
        } else if (option == "--pin") {
            config.pin = value;
        } else if (option == "--puk") {
            config.puk = value;
        } else if (option == "--baud") {
            if (!ParseNumber(value, 0, 4000000, number)) return Usage("--baud wants a number");
            config.baud = static_cast<unsigned>(number);
        } else if (option == "--book") {
            book = value;
        } else if (option == "--replay") {
            std::ifstream file{std::string(value), std::ios::binary};
            std::ostringstream text;
            text << file.rdbuf();
            auto exchanges = ParseTrace(text.str());
            if (!file || !exchanges) return Usage(("no trace with commands in " + std::string(value)).c_str());
            config.replay = std::make_shared<TraceReplay>(std::move(*exchanges));
        } else if (option == "--echo") {
            if (value != "on" && value != "off") return Usage("--echo wants on or off");
            config.echo = value == "on";
        } else if (option == "--cmee") {
            if (!ParseNumber(value, 0, 2, number)) return Usage("--cmee wants 0, 1 or 2");
            config.cmee = number;
        } else if (option == "--empty") {
            if (value == "ok") config.emptyAnswer = EmptyAnswer::Ok;
            else if (value == "error") config.emptyAnswer = EmptyAnswer::Error;
            else if (value == "cme") config.emptyAnswer = EmptyAnswer::Cme;
            else if (value == "noentry") config.emptyAnswer = EmptyAnswer::NoEntry;
            else return Usage("--empty wants ok, error, cme or noentry");
        } else {
            return Usage(("unknown option " + std::string(option)).c_str());
        }
    }
    if (link.empty()) return Usage("--link PATH is required");

    if (!book.empty() && ::access(book.c_str(), F_OK) == 0) {
        std::string error;
        auto memories = LoadStateFile(book, &error);
        if (!memories) {
            std::fprintf(stderr, "ribodex-sim: %s: %s\n", book.c_str(), error.c_str());
            return 1;
        }
        config.memories = std::move(*memories);
    }

    PtyModem modem(std::move(config));
    if (!book.empty()) {
        modem.onChange = [&book](const ModemSimulator& phone) {
            std::string error;
            if (!SaveStateFile(book, phone.Config().memories, &error))
                std::fprintf(stderr, "ribodex-sim: cannot save %s: %s\n", book.c_str(), error.c_str());
        };
    }
    // The signals stay blocked except inside sigsuspend, so one that arrives between the
    // check and the wait cannot be lost and leave the program waiting forever.
    sigset_t stopSignals, waitMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &waitMask);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    if (!modem.Start(link)) {
        std::fprintf(stderr, "ribodex-sim: cannot create the pseudo-terminal at %s\n", link.c_str());
        return 1;
    }
    std::printf("%s\n", modem.SlavePath().c_str());
    std::fflush(stdout);
    while (!stopRequested) sigsuspend(&waitMask);
    modem.Stop();
    return 0;
}
