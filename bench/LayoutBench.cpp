// SPDX-License-Identifier: GPL-3.0-or-later
// The layout of crossing codes: drawing every entry of the knot table from
// its PD code, by crossing number and all at once.
#include <benchmark/benchmark.h>

#include <vector>

#include "knot/PdRead.h"
#include "layout/DrawCode.h"
#include "table/KnotTable.h"

namespace {

using namespace ravelon;

// The codes of the table's entries by crossing number (1 to 12), and all of
// them at 0.
std::vector<std::vector<TKnot>> ReadCodes() {
    std::vector<std::vector<TKnot>> byCrossings(13);
    const TKnotTable table(KnotTablePath());
    for (const TTableEntry& e : table.Entries()) {
        const TKnot k = ReadPdCode(e.Pd);
        byCrossings[0].push_back(k);
        if (e.Crossings < 13) byCrossings[static_cast<std::size_t>(e.Crossings)].push_back(k);
    }
    return byCrossings;
}

const std::vector<TKnot>& Codes(int Crossings) {
    static const std::vector<std::vector<TKnot>> codes = ReadCodes();
    return codes[static_cast<std::size_t>(Crossings)];
}

// One iteration draws every entry of the group; the time per entry is the
// iteration's time over the entries.
void BM_DrawTable(benchmark::State& State) {
    const std::vector<TKnot>& codes = Codes(static_cast<int>(State.range(0)));
    for (auto _ : State)
        for (const TKnot& k : codes) benchmark::DoNotOptimize(DrawCode(k));
    State.SetItemsProcessed(State.iterations() * static_cast<std::int64_t>(codes.size()));
    // Seconds per entry, printed with its unit.
    State.counters["per_entry"] = benchmark::Counter(static_cast<double>(codes.size()),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_DrawTable)->DenseRange(3, 12)->Unit(benchmark::kMillisecond);
// The whole table (argument 0): all 7,166 entries.
BENCHMARK(BM_DrawTable)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
