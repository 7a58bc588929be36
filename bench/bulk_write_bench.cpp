// SPDX-License-Identifier: GPL-3.0-or-later
// New entries on a nearly full SIM and bulk writes, at 9600 baud with 50 ms answer latency,
// through the real serial link against the simulated phone:
// - ribodex-cli write without --index on a SIM whose locations 1-240 and 250 are taken, and
//   the same write with --index (the fixed waits of connecting are cut to 0);
// - ribodex-cli import of 100 vCard contacts into a SIM whose locations 1-140 and 250 are
//   taken (the nearly full SIM has room for 9 only), against its ideal: every byte traced at
//   the line's speed plus the latency of every answer (the writes, one range read, and the
//   four short commands of connecting); the bound is 1.15 x that;
// - gammu addnew of the same file (-memory SM) on the same simulated phone, against the same
//   ideal (it takes over 20 minutes).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <map>
#include <string>
#include <vector>

#include "bench/link_trace.h"
#include "cli/cli_options.h"
#include "cli/cli_runner.h"
#include "core/device/gsm_device.h"
#include "sim/pty_modem.h"
#include "tests/support/child_process.h"

namespace {

using namespace ribodex;

constexpr double kBaud = 9600.0;
constexpr int kLatencyMs = 50;
constexpr int kContacts = 100;
// The import's ideal as BM_CliImport100VCards measured it, for gammu's figure beside it.
double importIdealMs = 0;

sim::SimConfig Phone(int takenUpTo) {
    sim::SimConfig config;
    config.baud = static_cast<unsigned>(kBaud);
    config.latencyMs = kLatencyMs;
    std::map<int, sim::SimEntry>& entries = config.memories[0].entries;
    for (int i = 1; i <= takenUpTo; ++i) entries[i] = {"+4930" + std::to_string(1000000 + i * 7919), 145, "Taken " + std::to_string(i)};
    entries[250] = {"0171555", 129, "Last"};
    return config;
}

std::string TempPath(const std::string& name) { return std::filesystem::temp_directory_path() / name; }

std::string VCardFile() {
    const std::string path = TempPath("ribodex-bulk-bench.vcf");
    std::ofstream file(path, std::ios::binary);
    for (int i = 1; i <= kContacts; ++i)
        file << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Contact " << i << "\r\nN:" << i << ";Contact;;;\r\nTEL;TYPE=CELL:+49171"
             << 2000000 + i * 31 << "\r\nEND:VCARD\r\n";
    return path;
}

// ribodex-cli in this process on the modem's line: exit code, and the time it took.
int RunCli(sim::PtyModem& modem, std::vector<std::string> args, double& ms, const std::string& trace = {}) {
    args.insert(args.begin(), {"--port", modem.SlavePath()});
    if (!trace.empty()) args.insert(args.begin(), {"--trace", trace});
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

void BM_CliWriteToFirstFreeOfNearlyFullSim(benchmark::State& state) {
    sim::PtyModem modem(Phone(240));
    if (!modem.Start()) {
        state.SkipWithError("no simulated phone");
        return;
    }
    const bool withIndex = state.range(0) != 0;
    std::vector<std::string> args = {"write", "+4930999", "New"};
    if (withIndex) args.insert(args.begin() + 1, {"--index", "241"});
    double totalMs = 0;
    for (auto _ : state) {
        double ms = 0;
        if (RunCli(modem, args, ms) != 0) {
            state.SkipWithError("the write failed");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
        totalMs += ms;
        modem.With([](sim::ModemSimulator& m) { m.FindMemory("SM")->entries.erase(241); });
    }
    state.counters["goal_ms"] = 1500;
    state.counters["mean_ms"] = totalMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CliWriteToFirstFreeOfNearlyFullSim)->Arg(0)->Arg(1)->ArgName("with_index")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CliImport100VCards(benchmark::State& state) {
    const std::string file = VCardFile();
    const std::string trace = TempPath("ribodex-bulk-bench-trace.txt");
    const sim::SimConfig config = Phone(140);
    sim::PtyModem modem(config);
    if (!modem.Start()) {
        state.SkipWithError("no simulated phone");
        return;
    }
    double totalMs = 0, idealMs = 0;
    for (auto _ : state) {
        std::filesystem::remove(trace);
        double ms = 0;
        if (RunCli(modem, {"import", file}, ms, trace) != 0) {
            state.SkipWithError("the import failed");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
        totalMs += ms;
        if (modem.With([](sim::ModemSimulator& m) { return m.FindMemory("SM")->entries.size(); }) != 141 + kContacts) {
            state.SkipWithError("not every contact was written");
            return;
        }
        std::stringstream text;
        text << std::ifstream(trace, std::ios::binary).rdbuf();
        const std::string traced = text.str();
        std::size_t bytes = 0, answers = 0;
        for (const bench::TraceRecord& record : bench::TraceRecords(traced, modem.SlavePath())) {
            bytes += record.bytes.size();
            answers += record.write ? 1 : 0;
        }
        idealMs = bench::WireMs(bytes, kBaud) + static_cast<double>(answers) * kLatencyMs;
        modem.With([&config](sim::ModemSimulator& m) { m.FindMemory("SM")->entries = config.memories[0].entries; });
    }
    std::filesystem::remove(trace);
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    importIdealMs = idealMs;
    state.counters["ideal_ms"] = idealMs;
    state.counters["x_ideal"] = meanMs / idealMs;
    state.counters["goal_x"] = 1.15;
}
BENCHMARK(BM_CliImport100VCards)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_GammuAddNew100VCards(benchmark::State& state) {
    if (::access("/usr/bin/gammu", X_OK) != 0) {
        state.SkipWithError("gammu is not installed");
        return;
    }
    const std::string file = VCardFile();
    const std::string dir = TempPath("ribodex-gammu-bench");
    std::filesystem::create_directories(dir);
    sim::PtyModem modem(Phone(140));
    if (!modem.Start(dir + "/phone")) {
        state.SkipWithError("no simulated phone");
        return;
    }
    const std::string rc = dir + "/gammurc";
    std::ofstream(rc) << "[gammu]\ndevice = " << dir << "/phone\nconnection = at\n";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const test::ChildResult run = test::RunChild({"/usr/bin/gammu", "-c", rc, "addnew", file, "-yes", "-memory", "SM"},
                                                     {"HOME=" + dir}, 3600000);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        const std::size_t stored = modem.With([](sim::ModemSimulator& m) { return m.FindMemory("SM")->entries.size(); });
        if (run.exitCode != 0 || stored != 141 + kContacts) {
            state.SkipWithError(("gammu did not write every contact: " + std::to_string(stored - 141) + " written; " +
                                 run.err.substr(0, 200)).c_str());
            break;
        }
        state.SetIterationTime(elapsed.count());
        if (importIdealMs > 0) state.counters["x_ideal"] = elapsed.count() * 1000.0 / importIdealMs;
    }
    modem.Stop();
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}
BENCHMARK(BM_GammuAddNew100VCards)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
