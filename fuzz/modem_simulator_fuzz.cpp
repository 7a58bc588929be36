// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated phone on arbitrary client bytes: no crash, answers end at a line end, the
// phone books stay within their limits and survive the state file, the lock counters stay
// in range, and every change of a book shows in Revision().
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "sim/modem_simulator.h"
#include "sim/state_file.h"

using namespace ribodex::sim;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool ValidStoredNumber(const std::string& number) {
    for (std::size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '+' && i == 0) continue;
        if ((c < '0' || c > '9') && c != '*' && c != '#' && c != 'p' && c != 'P' && c != 'w' && c != 'W') return false;
    }
    return true;
}

void CheckBooks(const ModemSimulator& phone) {
    for (const SimMemory& memory : phone.Config().memories) {
        for (const auto& [index, entry] : memory.entries) {
            Check(index >= memory.first && index <= memory.last);
            Check(static_cast<int>(entry.nameGsm.size()) <= memory.maxName);
            // GSM codes, or the SIM's UCS2 record: 0x80 and whole code units.
            if (entry.nameGsm.starts_with('\x80'))
                Check(entry.nameGsm.size() % 2 == 1);
            else
                for (char c : entry.nameGsm) Check(static_cast<unsigned char>(c) < 0x80);
            Check(ValidStoredNumber(entry.number));
            const int digits = static_cast<int>(entry.number.size()) - (entry.number.starts_with('+') ? 1 : 0);
            Check(digits <= memory.maxNumber);
            Check(entry.type >= 128 && entry.type <= 255);
        }
    }
    Check(phone.PinAttemptsLeft() >= 0 && phone.PinAttemptsLeft() <= 3);
    Check(phone.PukAttemptsLeft() >= 0 && phone.PukAttemptsLeft() <= 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t chunk = 1 + data[0] % 48;
    const std::uint8_t bits = data[1];
    SimConfig config;
    config.echo = bits & 1;
    config.cmee = (bits >> 1 & 3) % 3;
    config.emptyAnswer = static_cast<EmptyAnswer>(bits >> 3 & 3);
    if (bits & 0x20) config.pin = "1234";
    config.phSimPin = bits & 0x40;
    ModemSimulator phone(config);

    std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    while (!input.empty()) {
        const std::string_view part = input.substr(0, chunk);
        input.remove_prefix(part.size());
        // Only a carriage return runs a command; copying the books for every other chunk
        // would cost most of the fuzzer's time.
        const bool runs = part.find('\r') != std::string_view::npos;
        const auto books = runs ? phone.Config().memories : std::vector<SimMemory>{};
        const auto revision = phone.Revision();
        const std::string answer = phone.Feed(part);
        // A chunk that ends a line leaves nothing half-sent: the echo or the answer ends it.
        if (part.back() == '\r') Check(answer.empty() || answer.back() == '\r' || answer.back() == '\n');
        Check(phone.Revision() >= revision);
        if (!runs) {
            Check(phone.Revision() == revision);
            continue;
        }
        if (phone.Config().memories != books) Check(phone.Revision() > revision);
        CheckBooks(phone);
    }

    const auto& memories = phone.Config().memories;
    std::string error;
    const auto loaded = LoadState(SaveState(memories), &error);
    Check(loaded.has_value() && *loaded == memories);
    return 0;
}
