// SPDX-License-Identifier: GPL-3.0-or-later
// Paste of 100 clipboard records into an empty 250-location SIM memory of the simulated
// phone at 9600 baud, through the real serial link, against 1.2 x (100 x 600 ms + the wire
// time of 100 writes and of the reads that confirm their locations).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/link_trace.h"
#include "core/device/gsm_device.h"
#include "core/formats/clipboard_records.h"
#include "core/session/paste.h"
#include "sim/pty_modem.h"

namespace {

using namespace ribodex;

constexpr int kRecords = 100;
constexpr double kBaud = 9600.0;

std::string ClipboardText() {
    std::vector<ListRow> rows;
    for (int i = 1; i <= kRecords; ++i) {
        const std::string number = (i % 3 ? "+4930" : "0171") + std::to_string(1000000 + i * 7919);
        rows.push_back({"Pasted " + std::to_string(i), number, ""});
    }
    return BuildClipboardText(rows);
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

void BM_Paste100IntoEmptySimAt9600(benchmark::State& state) {
    const std::string text = ClipboardText();
    const std::string trace = std::filesystem::temp_directory_path() / "ribodex-paste-bench-trace.txt";
    double totalMs = 0;
    std::size_t writes = 0, probes = 0, writeBytes = 0, probeBytes = 0;
    for (auto _ : state) {
        sim::SimConfig config;
        config.baud = static_cast<unsigned>(kBaud);
        sim::PtyModem modem(config);
        GsmDevice device;
        std::filesystem::remove(trace);
        device.tracePath = trace;
        device.timing.afterDtrMs = 0;
        device.timing.afterDisconnectMs = 0;
        if (!modem.Start() || !device.SetPort(modem.SlavePath()) || !device.Connect()) {
            state.SkipWithError("the simulated phone did not start");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        const PasteCount count = PasteRecords(device, text, {});
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        device.Disconnect();
        if (count.stored != kRecords) {
            state.SkipWithError("not every record was stored");
            return;
        }
        state.SetIterationTime(elapsed.count());
        totalMs += elapsed.count() * 1000.0;

        // Bytes of each write and each probe (a single-location read): the command and the
        // answer that follows it.
        std::stringstream file;
        file << std::ifstream(trace, std::ios::binary).rdbuf();
        const std::string traced = file.str();  // the records point into it
        writes = probes = writeBytes = probeBytes = 0;
        std::size_t* bytes = nullptr;
        for (const bench::TraceRecord& record : bench::TraceRecords(traced, modem.SlavePath())) {
            if (record.write) {
                bytes = nullptr;
                if (StartsWith(record.bytes, "AT+CPBW=")) {
                    ++writes;
                    bytes = &writeBytes;
                } else if (StartsWith(record.bytes, "AT+CPBR=") && !StartsWith(record.bytes, "AT+CPBR=?")) {
                    ++probes;
                    bytes = &probeBytes;
                }
            }
            if (bytes) *bytes += record.bytes.size();
        }
    }
    std::filesystem::remove(trace);
    if (writes == 0 || probes == 0) return;
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    // One range read confirms the planned locations; no location is probed on its own.
    const double wireMs = bench::WireMs(writeBytes + probeBytes, kBaud);
    const double goalMs = 1.2 * (kRecords * 600.0 + wireMs);
    state.counters["writes"] = static_cast<double>(writes);
    state.counters["probes"] = static_cast<double>(probes);
    state.counters["goal_wire_ms"] = wireMs;
    state.counters["goal_ms"] = goalMs;
    state.counters["over_goal_pct"] = (meanMs - goalMs) / goalMs * 100.0;
}
BENCHMARK(BM_Paste100IntoEmptySimAt9600)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
