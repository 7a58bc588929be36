// SPDX-License-Identifier: GPL-3.0-or-later
// ribodex-cli list of a full 250-entry SIM on ribodex-sim at 9600 baud, end to end, against
// the time the bytes need on the wire plus the fixed waits (1000 ms after DTR, 1000 ms after
// disconnecting), and gammu getallmemory SM on the same simulated phone; once for a book
// whose names are all Latin, once for one whose every third name is Cyrillic, Greek or
// Chinese (read again in UCS2).
#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/link_trace.h"
#include "sim/state_file.h"
#include "tests/support/child_process.h"

namespace {

using namespace ribodex;

constexpr int kEntries = 250;
constexpr double kBaud = 9600.0;
constexpr double kFixedWaitsMs = 1000.0 + 1000.0;

// A phone on the simulator program, paced at 9600 baud, with a full SIM book; one for all
// benchmarks of this file, stopped at exit.
class SimulatedPhone {
public:
    explicit SimulatedPhone(bool mixed) {
        char pattern[] = "/tmp/ribodex-bench-XXXXXX";
        if (!::mkdtemp(pattern)) return;
        dir = pattern;
        link = dir + "/phone";
        const std::string book = dir + "/book.txt";

        std::vector<sim::SimMemory> memories = sim::DefaultMemories();
        for (sim::SimMemory& memory : memories) {
            if (memory.name != "SM") continue;
            static const char* const kFirst[] = {"Anna", "Bernd", "Carla", "Dieter", "Eva",
                                                 "Frank", "Gabi", "Hans", "Ines", "J\x7Crg"};
            static const char* const kLast[] = {"Meier", "Schulz", "M\x7Eller", "Wagner", "Becker"};
            for (int i = 1; i <= kEntries; ++i) {
                std::string name = std::string(kFirst[i % 10]) + " " + kLast[i % 5] + " " +
                                   std::to_string(i);
                std::string number = (i % 3 ? "+4930" : "0171") + std::to_string(1000000 + i * 7919);
                memory.entries[i] = {number, number[0] == '+' ? 145 : 129, name.substr(0, 16)};
                if (mixed && i % 3 == 0) {
                    // The SIM's UCS2 record: 0x80, then at most 7 characters big-endian.
                    static const std::u16string kOther[] = {u"Иван Петров", u"Ωμέγα Δέλτα", u"王小明 李四"};
                    const std::u16string other = kOther[i / 3 % 3].substr(0, 7);
                    std::string record = "\x80";
                    for (char16_t c : other) record += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
                    memory.entries[i].nameGsm = record;
                }
            }
        }
        std::string error;
        if (!sim::SaveStateFile(book, memories, &error)) return;

        std::vector<std::string> args = {RIBODEX_SIM_BIN, "--link", link, "--baud", "9600",
                                         "--book", book};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 500 && pid > 0 && !std::filesystem::exists(link); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~SimulatedPhone() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        std::error_code ignored;
        if (!dir.empty()) std::filesystem::remove_all(dir, ignored);
    }
    bool Ready() const { return pid > 0 && std::filesystem::exists(link); }

    std::string dir;
    std::string link;
    pid_t pid = -1;
};

SimulatedPhone& Phone(bool mixed = false) {
    static SimulatedPhone latin(false);
    static SimulatedPhone other(true);
    return mixed ? other : latin;
}

// Bytes of every Write and Read record in a link trace.
std::size_t TracedBytes(const std::string& trace, const std::string& port) {
    std::size_t bytes = 0;
    for (const bench::TraceRecord& record : bench::TraceRecords(trace, port)) bytes += record.bytes.size();
    return bytes;
}

double WireMs(std::size_t bytes) { return bench::WireMs(bytes, kBaud); }

void BM_CliList250At9600(benchmark::State& state, bool mixed) {
    SimulatedPhone& phone = Phone(mixed);
    if (!phone.Ready()) {
        state.SkipWithError("ribodex-sim did not start");
        return;
    }
    // One traced run for the byte count; the timed runs write no trace.
    const std::string tracePath = phone.dir + "/trace.txt";
    const auto traced = test::RunChild({RIBODEX_CLI_BIN, "--port", phone.link, "--trace", tracePath, "list"});
    if (traced.exitCode != 0) {
        state.SkipWithError(("ribodex-cli list failed: " + traced.err).c_str());
        return;
    }
    std::stringstream trace;
    trace << std::ifstream(tracePath, std::ios::binary).rdbuf();
    const std::size_t bytes = TracedBytes(trace.str(), phone.link);
    const double goalMs = WireMs(bytes) + kFixedWaitsMs;

    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto run = test::RunChild({RIBODEX_CLI_BIN, "--port", phone.link, "list"});
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (run.exitCode != 0) {
            state.SkipWithError("ribodex-cli list failed");
            return;
        }
        state.SetIterationTime(elapsed.count());
        totalMs += elapsed.count() * 1000.0;
    }
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["wire_ms"] = WireMs(bytes);
    state.counters["goal_ms"] = goalMs;
    state.counters["over_goal_pct"] = (meanMs - goalMs) / goalMs * 100.0;
}
BENCHMARK_CAPTURE(BM_CliList250At9600, AllLatin, false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_CliList250At9600, ThirdNonLatin, true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GammuGetAllMemory250At9600(benchmark::State& state) {
    SimulatedPhone& phone = Phone();
    if (::access("/usr/bin/gammu", X_OK) != 0) {
        state.SkipWithError("gammu is not installed");
        return;
    }
    if (!phone.Ready()) {
        state.SkipWithError("ribodex-sim did not start");
        return;
    }
    const std::string rc = phone.dir + "/gammurc";
    std::ofstream(rc) << "[gammu]\ndevice = " << phone.link << "\nconnection = at19200\n";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto run = test::RunChild({"/usr/bin/gammu", "-c", rc, "getallmemory", "SM"},
                                        {"HOME=" + phone.dir}, 600000);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (run.exitCode != 0) {
            state.SkipWithError(("gammu failed: " + run.err).c_str());
            return;
        }
        state.SetIterationTime(elapsed.count());
    }
}
BENCHMARK(BM_GammuGetAllMemory250At9600)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
