// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a whole memory: parsing the +CPBR answer, storing it, and the refresh's lookup of
// every index. Items are entries, so items_per_second gives the cost of one entry.
#include <benchmark/benchmark.h>

#include <string>

#include "core/device/answer_parser.h"
#include "core/device/gsm_device.h"

namespace ribodex {
namespace {

constexpr int kEntries = 10000;

// What a phone sends for AT+CPBR=1, 10000 with every location taken, echo on.
const std::string& FullAnswer() {
    static const std::string answer = [] {
        std::string text = "AT+CPBR=1, 10000\r\r\n";
        for (int i = 1; i <= kEntries; ++i) {
            text += "+CPBR: " + std::to_string(i) + ",\"" + (i % 3 ? "+49" : "0") +
                    std::to_string(301234500 + i) + "\"," + (i % 3 ? "145" : "129") +
                    ",\"Name " + std::to_string(i) + " M\x7Eller\"\r\n";
        }
        return text + "\r\nOK\r\n";
    }();
    return answer;
}

void BM_ParseEntryList(benchmark::State& state) {
    const std::string& answer = FullAnswer();
    for (auto _ : state) {
        std::size_t names = 0;
        const std::size_t count =
            ParseEntryList(answer, [&names](EntryLine&& line) { names += line.deviceName.size(); });
        benchmark::DoNotOptimize(count);
        benchmark::DoNotOptimize(names);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(answer.size()));
}
BENCHMARK(BM_ParseEntryList)->Unit(benchmark::kMicrosecond);

// ReadAllEntries without the line: clear, parse, convert and store every entry.
void BM_ParseAndStore(benchmark::State& state) {
    const std::string& answer = FullAnswer();
    GsmDevice device;
    for (auto _ : state) {
        device.ClearEntries();
        ParseEntryList(answer, [&device](EntryLine&& line) {
            device.StoreEntry(line.index, line.number, line.deviceName);
        });
        benchmark::DoNotOptimize(device.entries.size());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(answer.size()));
}
BENCHMARK(BM_ParseAndStore)->Unit(benchmark::kMicrosecond);

// The refresh asks FindEntry for every index of the range, in order; half are empty.
void BM_FindEntryRefresh(benchmark::State& state) {
    GsmDevice device;
    for (int i = 1; i <= kEntries; i += 2) device.StoreEntry(i, "0301234", "Name");
    for (auto _ : state) {
        int found = 0;
        for (int index = 1; index <= kEntries; ++index) found += device.FindEntry(index) != nullptr;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_FindEntryRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ribodex
