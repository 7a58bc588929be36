// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver's cost: CPU while nothing arrives, CPU after the device went away, and how
// long Read takes to notice a final result that has arrived.
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <thread>

#include "core/serial/serial_link.h"
#include "tests/core/raw_pty.h"

namespace {

using ribodex::SerialLink;
using ribodex::test::RawPty;

double ProcessCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

bool Open(SerialLink& link, const RawPty& pty) {
    link.timing.afterDtrMs = 0;
    link.timing.afterDisconnectMs = 0;
    link.SetPort(pty.SlavePath());
    return link.Connect();
}

void IdleCpu(benchmark::State& state, bool unplug) {
    RawPty pty;
    SerialLink link;
    if (!pty.Ok() || !Open(link, pty)) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    if (unplug) pty.Unplug();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    double cpu = 0;
    for (auto _ : state) {
        const double before = ProcessCpuMs();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        cpu += ProcessCpuMs() - before;
    }
    state.counters["cpu_ms_per_s"] = cpu * 2 / static_cast<double>(state.iterations());
    link.Disconnect();
}

void BM_ReceiverIdle(benchmark::State& state) { IdleCpu(state, false); }
void BM_ReceiverAfterUnplug(benchmark::State& state) { IdleCpu(state, true); }
BENCHMARK(BM_ReceiverIdle)->Iterations(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiverAfterUnplug)->Iterations(4)->Unit(benchmark::kMillisecond);

// From the moment the device has written its final OK to the moment Read returns.
void BM_ReadNoticesFinalResult(benchmark::State& state) {
    RawPty pty;
    SerialLink link;
    if (!pty.Ok() || !Open(link, pty)) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const auto delay = std::chrono::milliseconds(state.range(0));
    for (auto _ : state) {
        link.Write("AT\r");
        pty.Receive(3);
        std::chrono::steady_clock::time_point sent;
        std::thread device([&] {
            std::this_thread::sleep_for(delay);
            sent = std::chrono::steady_clock::now();
            pty.Send("\r\nOK\r\n");
        });
        const auto start = std::chrono::steady_clock::now();
        link.Read(5000);
        const auto end = std::chrono::steady_clock::now();
        device.join();
        state.SetIterationTime(std::chrono::duration<double>(end - std::max(start, sent)).count());
    }
    link.Disconnect();
}
// 0: the answer is already on its way; 3 and 7: it lands in the middle of a 10 ms pass.
BENCHMARK(BM_ReadNoticesFinalResult)->Arg(0)->Arg(3)->Arg(7)->UseManualTime()->Iterations(40)
    ->Unit(benchmark::kMillisecond);

}  // namespace
