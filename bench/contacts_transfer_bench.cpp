// SPDX-License-Identifier: GPL-3.0-or-later
// Whole memories in and out through ribodex-cli at 9600 baud with 50 ms answer latency,
// through the real serial link against the simulated phone, each against its ideal (every
// byte traced at the line's speed plus the latency of every answer; the bound is 1.15 x):
// - a second import of a 100-contact CSV file already on the SIM: one range read, no write;
// - a backup of a SIM and a phone memory of 100 entries each: one full read of each;
// - a restore of that backup into an emptied SIM: the 100 writes plus one range read per
//   memory.
// The counters say how many writes and reads went out, so a redundant read shows beside the
// time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/link_trace.h"
#include "cli/cli_options.h"
#include "cli/cli_runner.h"
#include "core/device/gsm_device.h"
#include "sim/pty_modem.h"

namespace {

using namespace ribodex;

constexpr double kBaud = 9600.0;
constexpr int kLatencyMs = 50;
constexpr int kContacts = 100;

std::string TempPath(const std::string& name) { return std::filesystem::temp_directory_path() / name; }

std::string NumberOf(int i) { return "+49171" + std::to_string(3000000 + i * 37); }

std::map<int, sim::SimEntry> Filled(const std::string& prefix) {
    std::map<int, sim::SimEntry> entries;
    for (int i = 1; i <= kContacts; ++i) entries[i] = {NumberOf(i), 145, prefix + " " + std::to_string(i)};
    return entries;
}

sim::SimConfig Phone() {
    sim::SimConfig config;
    config.baud = static_cast<unsigned>(kBaud);
    config.latencyMs = kLatencyMs;
    return config;
}

// The Google Contacts CSV of the SIM's entries as Filled("Contact") holds them.
std::string GoogleCsvFile() {
    const std::string path = TempPath("ribodex-transfer-bench.csv");
    std::ofstream file(path, std::ios::binary);
    file << "Name,Given Name,Family Name,Phone 1 - Type,Phone 1 - Value\r\n";
    for (int i = 1; i <= kContacts; ++i)
        file << "Contact " << i << ",Contact," << i << ",Mobile," << NumberOf(i) << "\r\n";
    return path;
}

struct Traffic {
    std::size_t writes = 0, rangeReads = 0, singleReads = 0;
    double idealMs = 0;
};

bool StartsWith(std::string_view text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

Traffic TrafficOf(const std::string& trace, const std::string& port) {
    std::stringstream text;
    text << std::ifstream(trace, std::ios::binary).rdbuf();
    const std::string traced = text.str();  // the records point into it
    Traffic traffic;
    std::size_t bytes = 0, answers = 0;
    for (const bench::TraceRecord& record : bench::TraceRecords(traced, port)) {
        bytes += record.bytes.size();
        if (!record.write) continue;
        ++answers;
        if (StartsWith(record.bytes, "AT+CPBW=")) ++traffic.writes;
        else if (StartsWith(record.bytes, "AT+CPBR=") && !StartsWith(record.bytes, "AT+CPBR=?"))
            ++(record.bytes.find(',') != std::string_view::npos ? traffic.rangeReads : traffic.singleReads);
    }
    traffic.idealMs = bench::WireMs(bytes, kBaud) + static_cast<double>(answers) * kLatencyMs;
    return traffic;
}

// ribodex-cli in this process on the modem's line, traced: exit code and milliseconds.
int RunCli(sim::PtyModem& modem, std::vector<std::string> args, const std::string& trace, double& ms) {
    std::filesystem::remove(trace);
    args.insert(args.begin(), {"--trace", trace, "--port", modem.SlavePath()});
    const cli::ParseResult parsed = cli::ParseArguments(args, "");
    if (!parsed.options) return -1;
    GsmDevice device;
    device.timing.afterDtrMs = 0;
    device.timing.afterDisconnectMs = 0;
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    const int code = cli::RunCommand(*parsed.options, device, out, err);
    ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return code;
}

void Report(benchmark::State& state, double totalMs, const Traffic& traffic) {
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    state.counters["writes"] = static_cast<double>(traffic.writes);
    state.counters["range_reads"] = static_cast<double>(traffic.rangeReads);
    state.counters["single_reads"] = static_cast<double>(traffic.singleReads);
    state.counters["ideal_ms"] = traffic.idealMs;
    state.counters["x_ideal"] = meanMs / traffic.idealMs;
    state.counters["goal_x"] = 1.15;
}

void BM_CliImportSameCsvAgain(benchmark::State& state) {
    const std::string file = GoogleCsvFile();
    const std::string trace = TempPath("ribodex-transfer-bench-import.txt");
    sim::SimConfig config = Phone();
    config.memories[0].entries = Filled("Contact");
    sim::PtyModem modem(config);
    if (!modem.Start()) {
        state.SkipWithError("no simulated phone");
        return;
    }
    double totalMs = 0;
    Traffic traffic;
    for (auto _ : state) {
        double ms = 0;
        if (RunCli(modem, {"import", file}, trace, ms) != 0) {
            state.SkipWithError("the import failed");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
        totalMs += ms;
        traffic = TrafficOf(trace, modem.SlavePath());
        if (traffic.writes != 0) {
            state.SkipWithError("the second import wrote");
            return;
        }
    }
    Report(state, totalMs, traffic);
}
BENCHMARK(BM_CliImportSameCsvAgain)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CliBackupAndRestore(benchmark::State& state) {
    const bool restore = state.range(0) != 0;
    const std::string file = TempPath("ribodex-transfer-bench-backup.vcf");
    const std::string trace = TempPath("ribodex-transfer-bench-backup.txt");
    sim::SimConfig config = Phone();
    config.memories[0].entries = Filled("Sim");
    for (sim::SimMemory& memory : config.memories)
        if (memory.name == "ME") memory.entries = Filled("Phone");
    sim::PtyModem modem(config);
    double ms = 0;
    if (!modem.Start() || RunCli(modem, {"backup", file}, trace, ms) != 0) {
        state.SkipWithError("no backup of the simulated phone");
        return;
    }
    double totalMs = 0;
    Traffic traffic;
    for (auto _ : state) {
        if (restore) modem.With([](sim::ModemSimulator& m) { m.FindMemory("SM")->entries.clear(); });
        if (RunCli(modem, {restore ? "restore" : "backup", file}, trace, ms) != 0) {
            state.SkipWithError("the command failed");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
        totalMs += ms;
        traffic = TrafficOf(trace, modem.SlavePath());
        if (restore && modem.With([](sim::ModemSimulator& m) { return m.FindMemory("SM")->entries.size(); }) !=
                           std::size_t(kContacts)) {
            state.SkipWithError("the restore did not put every entry back");
            return;
        }
    }
    Report(state, totalMs, traffic);
}
BENCHMARK(BM_CliBackupAndRestore)->Arg(0)->Arg(1)->ArgName("restore")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
