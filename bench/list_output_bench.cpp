// SPDX-License-Identifier: GPL-3.0-or-later
// The list's rules over 10,000 items: the export text (one pass over every row) and a find
// that matches nowhere (both passes over every row, with the upper-casing of each field).
// Items are list rows, so items_per_second gives the cost of one row.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/list/find_match.h"
#include "core/formats/text_export.h"

namespace ribodex {
namespace {

constexpr int kRows = 10000;

const std::vector<ListRow>& Rows() {
    static const std::vector<ListRow> rows = [] {
        std::vector<ListRow> list;
        for (int i = 1; i <= kRows; ++i) {
            const std::string index = std::to_string(i);
            list.push_back({"Name " + std::to_string((i * 7919) % 10007) + " M\xFCller", "+49171" + index, index});
        }
        return list;
    }();
    return rows;
}

void BM_ExportText(benchmark::State& state) {
    for (auto _ : state) {
        const std::string text = ExportText(Rows());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_FindNowhere(benchmark::State& state) {
    const FindRequest request{"\xE9mile", false, state.range(0) != 0, true};
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindEntryRow(Rows(), kRows / 2, request));
    }
    state.SetItemsProcessed(state.iterations() * kRows * 2);
}

BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNowhere)->ArgName("matchCase")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ribodex
