// ribodex-sim: a simulated GSM phone on a pseudo-terminal, until interrupted.
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <poll.h>
#include <unistd.h>

#include "sim/pty_modem.h"
#include "sim/state_file.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}

constexpr const char* kUsage =
    "usage: ribodex-sim --link PATH [--pin CODE] [--puk CODE] [--baud N] [--book FILE]\n"
    "                   [--echo on|off] [--cmee 0|1|2] [--empty ok|error|cme|noentry]\n";

bool ParseNumber(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9) return false;
    value = std::stoi(text);
    return value >= low && value <= high;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ribodex::sim;
    SimConfig config;
    std::string link;
    std::string book;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= args.size()) {
            std::cerr << "ribodex-sim: " << option << " needs a value\n" << kUsage;
            return 2;
        }
        const std::string& value = args[++i];
        int number = 0;
        bool ok = true;
        if (option == "--link") {
            link = value;
        } else if (option == "--pin") {
            config.pin = value;
        } else if (option == "--puk") {
            config.puk = value;
        } else if (option == "--book") {
            book = value;
        } else if (option == "--baud") {
            ok = ParseNumber(value, 0, 4000000, number);
            config.baud = static_cast<unsigned>(number);
        } else if (option == "--echo") {
            ok = value == "on" || value == "off";
            config.echo = value == "on";
        } else if (option == "--cmee") {
            ok = ParseNumber(value, 0, 2, number);
            config.cmee = number;
        } else if (option == "--empty") {
            if (value == "ok") config.emptyAnswer = EmptyAnswer::Ok;
            else if (value == "error") config.emptyAnswer = EmptyAnswer::Error;
            else if (value == "cme") config.emptyAnswer = EmptyAnswer::Cme;
            else if (value == "noentry") config.emptyAnswer = EmptyAnswer::NoEntry;
            else ok = false;
        } else {
            std::cerr << "ribodex-sim: unknown option " << option << "\n" << kUsage;
            return 2;
        }
        if (!ok) {
            std::cerr << "ribodex-sim: bad value for " << option << ": " << value << "\n" << kUsage;
            return 2;
        }
    }
    if (link.empty()) {
        std::cerr << "ribodex-sim: --link PATH is required\n" << kUsage;
        return 2;
    }
    bool bookExists = false;
    if (!book.empty() && ::access(book.c_str(), F_OK) == 0) {
        std::string error;
        auto memories = LoadStateFile(book, &error);
        if (!memories) {
            std::cerr << "ribodex-sim: " << error << "\n";
            return 1;
        }
        config.memories = std::move(*memories);
        bookExists = true;
    }

    PtyModem modem(config);
    if (!book.empty()) {
        modem.onChange = [&book](const ModemSimulator& phone) {
            std::string error;
            if (!SaveStateFile(book, phone.Config().memories, &error)) std::cerr << "ribodex-sim: " << error << "\n";
        };
        if (!bookExists) {
            std::string error;
            if (!SaveStateFile(book, config.memories, &error)) std::cerr << "ribodex-sim: " << error << "\n";
        }
    }
    if (::pipe(signalPipe) != 0) return 1;
    struct sigaction action{};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    if (!modem.Start(link)) {
        std::cerr << "ribodex-sim: cannot create the pseudo-terminal or the link " << link << "\n";
        return 1;
    }
    std::cout << modem.SlavePath() << std::endl;
    pollfd wait{signalPipe[0], POLLIN, 0};
    while (::poll(&wait, 1, -1) < 0) {
    }
    modem.Stop();
    return 0;
}
