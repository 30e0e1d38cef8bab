// SPDX-License-Identifier: GPL-3.0-or-later
// Times the contraction bracket against the state sum on crossing codes of
// about 20 to 120 crossings from fixed random sources (the same codes on every
// run). A code source is one function from a crossing count to a code; add it
// to Sources() and it is timed at every size.
//
//   ./build/bench/bench_contraction --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bracket/Contraction.h"
#include "knot/Knot.h"
#include "tests/support/BraidCode.h"

namespace {

using ravelon::TKnot;

// A closed braid of about Crossings crossings on 3 to 6 strands, more strands
// for more crossings.
TKnot BraidSource(int Crossings) {
    const int strands = std::min(6, 3 + Crossings / 40);
    std::mt19937 rng(static_cast<unsigned>(7000 + Crossings));
    return ravelon::testing::BraidClosure(strands, ravelon::testing::RandomBraidWord(rng, strands, Crossings));
}

// A closed braid on 10 to 15 strands: a planar code with a wide boundary, the
// hard case for the contraction (a stress case, beyond the sizes of the others).
TKnot WideBraidSource(int Crossings) {
    const int strands = std::min(15, 10 + Crossings / 60);
    std::mt19937 rng(static_cast<unsigned>(9000 + Crossings));
    return ravelon::testing::BraidClosure(strands, ravelon::testing::RandomBraidWord(rng, strands, Crossings));
}

struct TSource {
    std::string Name;
    std::function<TKnot(int)> Make;
    std::vector<int> Sizes;
};

std::vector<TSource> Sources() {
    return {
        {"braid", BraidSource, {20, 40, 60, 80, 120}},
        {"wide_braid", WideBraidSource, {20, 60, 120, 200, 300}},
    };
}

// The state sum is timed only where it ends in reasonable time.
constexpr int StateSumLimit = 20;

void Contraction(benchmark::State& State, const TKnot& Code) {
    ravelon::TContractionStats stats;
    for (auto _ : State) {
        ravelon::TLaurent terms = ravelon::ContractBracket(Code, {}, &stats);
        benchmark::DoNotOptimize(terms);
    }
    State.counters["crossings"] = Code.FCrossingCount();
    State.counters["width"] = stats.MaxWidth;
    State.counters["states"] = static_cast<double>(stats.PeakStates);
    State.counters["KiB"] = static_cast<double>(stats.PeakBytes) / 1024;
    State.counters["bits"] = stats.Coefficients == ravelon::TCoefficientKind::Bits64    ? 64
                             : stats.Coefficients == ravelon::TCoefficientKind::Bits128 ? 128
                                                                                        : 0;
}

void StateSum(benchmark::State& State, const TKnot& Code) {
    for (auto _ : State) {
        ravelon::TPoly result(0);
        Code.StateSumBracket(result);
        benchmark::DoNotOptimize(result);
    }
    State.counters["crossings"] = Code.FCrossingCount();
}

void RegisterAll() {
    for (const TSource& source : Sources()) {
        for (const int size : source.Sizes) {
            const TKnot code = source.Make(size);
            const std::string suffix = source.Name + "/" + std::to_string(size);
            benchmark::RegisterBenchmark(("Contraction/" + suffix).c_str(), Contraction, code)
                ->Unit(benchmark::kMillisecond);
            if (size <= StateSumLimit)
                benchmark::RegisterBenchmark(("StateSum/" + suffix).c_str(), StateSum, code)
                    ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
