// SPDX-License-Identifier: GPL-3.0-or-later
// A 2000-location memory, full, on a device that caps one range read at 255 locations, at
// 115200 baud: how far the full read's time lies above the wire time of the commands it sent
// and their answers (the goal: within 5 %). The full read has no prescribed wait of its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "core/device/gsm_device.h"
#include "sim/pty_modem.h"

namespace {

using namespace ribodex;

constexpr unsigned kBaud = 115200;

sim::SimConfig CappedMemory() {
    sim::SimConfig config;
    config.cmee = 1;
    config.range.cap = 255;
    config.selectedMemory = "ME";
    config.memories[1].last = 2000;
    for (int i = 1; i <= 2000; ++i)
        config.memories[1].entries[i] = {"+4930" + std::to_string(1000000 + i), 145, "Name " + std::to_string(i)};
    return config;
}

// The bytes on the wire both ways for these command lines, from a fresh phone with the same
// memory (answers depend only on the commands).
double WireSeconds(const std::vector<std::string>& commands) {
    sim::ModemSimulator phone(CappedMemory());
    std::size_t bytes = 0;
    for (const std::string& command : commands) {
        const std::string line = command + "\r";
        bytes += line.size() + phone.Feed(line).size();
    }
    return bytes * 10.0 / kBaud;
}

void BM_FullReadCappedAt255(benchmark::State& state) {
    sim::SimConfig config = CappedMemory();
    config.baud = kBaud;
    sim::PtyModem modem(config);
    GsmDevice device;
    device.timing.afterDtrMs = 0;
    device.timing.afterDisconnectMs = 0;
    device.portMapper = [&](const std::string&) { return modem.SlavePath(); };
    if (!modem.Start() || !device.Connect()) {
        state.SkipWithError("no simulated phone");
        return;
    }
    double read = 0, wire = 0;
    int entries = 0;
    for (auto _ : state) {
        const std::size_t before = modem.With([](sim::ModemSimulator& s) { return s.Commands().size(); });
        const auto start = std::chrono::steady_clock::now();
        entries = device.ReadAllEntries();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const auto all = modem.With([](sim::ModemSimulator& s) { return s.Commands(); });
        const double onWire = WireSeconds({all.begin() + static_cast<long>(before), all.end()});
        state.SetIterationTime(took.count());
        read += took.count();
        wire += onWire;
    }
    state.counters["entries"] = entries;
    state.counters["wire_s"] = wire / static_cast<double>(state.iterations());
    state.counters["over_wire_pct"] = (read - wire) / wire * 100.0;
    device.Disconnect();
}
BENCHMARK(BM_FullReadCappedAt255)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
