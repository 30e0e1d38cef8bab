// Times PD reading, the Alexander polynomial and the signature on closed
// braids of 20 to 120 crossings (the same codes on every run), and the
// identification of every knot of the table in one run. The table run also
// counts the knots that the Jones polynomial alone names uniquely and those
// that all three invariants name uniquely.
//
//   ./build/bench/bench_classical --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "table/Identify.h"
#include "table/KnotTable.h"
#include "knot/PdCode.h"
#include "knot/PdRead.h"
#include "knot/ClassicalInvariants.h"
#include "knot/Knot.h"
#include "tests/support/BraidCode.h"

namespace {

using namespace ravelon;

// A closed braid of Crossings crossings on 3 to 6 strands, more strands for more crossings.
TKnot Braid(int Crossings) {
    const int strands = std::min(6, 3 + Crossings / 40);
    std::mt19937 rng(static_cast<unsigned>(7000 + Crossings));
    return testing::BraidClosure(strands, testing::RandomBraidWord(rng, strands, Crossings));
}

void BM_ReadPd(benchmark::State& state) {
    const std::string text = PdText(MakePdCode(Braid(static_cast<int>(state.range(0)))));
    for (auto _ : state) benchmark::DoNotOptimize(ReadPdCode(text));
}
BENCHMARK(BM_ReadPd)->DenseRange(20, 120, 20)->Unit(benchmark::kMicrosecond);

void BM_Alexander(benchmark::State& state) {
    const TKnot k = Braid(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(AlexanderPolynomial(k));
}
BENCHMARK(BM_Alexander)->DenseRange(20, 120, 20)->Unit(benchmark::kMillisecond);

void BM_Signature(benchmark::State& state) {
    const TKnot k = Braid(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Signature(k));
}
BENCHMARK(BM_Signature)->DenseRange(20, 120, 20)->Unit(benchmark::kMillisecond);

// Every knot of the table from its PD code: read, Jones polynomial, Alexander
// polynomial, signature, identification (the table is read once, outside).
void BM_IdentifyAllKnots(benchmark::State& state) {
    const TKnotTable table(KnotTablePath());
    int byJones = 0, byAll = 0, knots = 0;
    for (auto _ : state) {
        byJones = byAll = knots = 0;
        for (const TTableEntry& e : table.Entries()) {
            if (e.Components != 1) continue;
            ++knots;
            const TKnot k = ReadPdCode(e.Pd);
            TIdentifyInput in{1, TPoly(), AlexanderPolynomial(k), Signature(k)};
            k.Jones(in.Jones);
            const TIdentification id = Identify(table, in);
            byAll += id.Unique ? 1 : 0;
            std::set<std::string> names;
            for (const int sign : {1, -1})
                for (const std::size_t i : table.WithJones(1, TableKey(in.Jones, 2, sign)))
                    names.insert(BaseName(table.Entries()[i].Name));
            byJones += names.size() == 1 ? 1 : 0;
        }
    }
    state.counters["knots"] = knots;
    state.counters["unique_by_jones"] = byJones;
    state.counters["unique_by_all_three"] = byAll;
}
BENCHMARK(BM_IdentifyAllKnots)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
