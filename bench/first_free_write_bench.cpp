// SPDX-License-Identifier: GPL-3.0-or-later
// Writing to the first free location of a SIM whose first ten locations are taken, on a
// phone that reports errors as "+CME ERROR: <n>" (extended errors on, as gammu leaves a
// modem), at 9600 baud: the range query, ten occupied locations, the empty one that answers
// with the extended error, and the write itself. The default time limits are kept, so a
// final result that goes unnoticed costs its full 5 s.
#include <benchmark/benchmark.h>

#include "core/device/gsm_device.h"
#include "sim/pty_modem.h"

namespace ribodex {
namespace {

constexpr int kTaken = 10;

void BM_WriteFirstFreeWithExtendedErrors(benchmark::State& state) {
    sim::SimConfig config;
    config.cmee = 1;
    config.emptyAnswer = sim::EmptyAnswer::Cme;
    config.baud = 9600;
    for (int i = 1; i <= kTaken; ++i) config.memories[0].entries[i] = {"0301234" + std::to_string(i), 129, "Taken"};
    sim::PtyModem modem(config);
    GsmDevice device;
    device.timing.afterDtrMs = 0;
    device.timing.afterDisconnectMs = 0;
    if (!modem.Start() || !device.SetPort(modem.SlavePath()) || !device.Connect()) {
        state.SkipWithError("no simulated phone");
        return;
    }
    for (auto _ : state) {
        if (!device.WriteEntry("+4930123", "New", -1)) {
            state.SkipWithError("the write failed");
            break;
        }
        state.PauseTiming();
        device.DeleteEntry(kTaken + 1);
        state.ResumeTiming();
    }
    device.Disconnect();
}
BENCHMARK(BM_WriteFirstFreeWithExtendedErrors)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace ribodex
