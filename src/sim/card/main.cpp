// SPDX-License-Identifier: GPL-3.0-or-later
// ribodex-simcard: a simulated SIM card in a vpcd reader slot of pcscd.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/card/vpcd_card_link.h"

namespace {

ribodex::sim::VpcdCardLink* running = nullptr;

void OnSignal(int) {
    if (running) running->stopping = true;
}

int Usage() {
    std::fputs("usage: ribodex-simcard [--usim | --2g] [--host ADDRESS] [--port PORT]\n"
               "  A simulated SIM card (PIN 1234, PUK 12345678, PIN2 5678) for pcscd's vpcd\n"
               "  driver; the first vpcd slot listens on port 35963.\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using ribodex::sim::SimulatedSimCard;
    SimulatedSimCard::Kind kind = SimulatedSimCard::Kind::Usim;
    std::string host = "127.0.0.1";
    int port = 35963;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--usim") kind = SimulatedSimCard::Kind::Usim;
        else if (arg == "--2g") kind = SimulatedSimCard::Kind::Sim2g;
        else if (arg == "--host" && i + 1 < argc) host = argv[++i];
        else if (arg == "--port" && i + 1 < argc) port = std::atoi(argv[++i]);
        else return Usage();
    }
    if (port <= 0 || port > 65535) return Usage();
    SimulatedSimCard card(kind);
    ribodex::sim::VpcdCardLink link(card, host, port);
    running = &link;
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    link.Run();
    return 0;
}
