// SPDX-License-Identifier: GPL-3.0-or-later
// Times the two bracket computations and the crossing-code extraction on
// random one-polygon diagrams of a 999 x 999 canvas, of about 20 to 120
// crossings (the same diagrams on every run): what a user gets by drawing.
//
//   ./build/bench/bench_polygon --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <string>

#include "tests/support/PolygonDiagram.h"
#include "knot/Knot.h"

namespace {

using ravelon::TDraw;
using ravelon::TKnot;

constexpr int kSizes[] = {20, 40, 60, 80, 120};
constexpr int kStateSumLimit = 20;

TKnot CodeOf(const TDraw& Draw) {
    TKnot k;
    Draw.MakeKnot(k);
    return k;
}

void MakeKnot(benchmark::State& State, const TDraw& Draw) {
    for (auto _ : State) {
        TKnot k;
        Draw.MakeKnot(k);
        benchmark::DoNotOptimize(k);
    }
    State.counters["lines"] = Draw.FLineCount();
}

// Times one computation of Code into a polynomial: Bracket, StateSumBracket or Jones.
void Compute(benchmark::State& State, const TKnot& Code, void (*Method)(const TKnot&, ravelon::TPoly&)) {
    for (auto _ : State) {
        ravelon::TPoly p(0);
        Method(Code, p);
        benchmark::DoNotOptimize(p);
    }
    State.counters["crossings"] = Code.FCrossingCount();
}

void RegisterAll() {
    for (const int size : kSizes) {
        const TDraw draw = ravelon::testing::RandomPolygon(size, static_cast<unsigned>(4242 + size));
        const TKnot code = CodeOf(draw);
        const std::string suffix = "/" + std::to_string(size);
        benchmark::RegisterBenchmark(("MakeKnot" + suffix).c_str(), MakeKnot, draw)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Bracket" + suffix).c_str(), Compute, code,
                                     +[](const TKnot& k, ravelon::TPoly& p) { k.Bracket(p); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Jones" + suffix).c_str(), Compute, code,
                                     +[](const TKnot& k, ravelon::TPoly& p) { k.Jones(p); })
            ->Unit(benchmark::kMillisecond);
        if (size <= kStateSumLimit)
            benchmark::RegisterBenchmark(("StateSumBracket" + suffix).c_str(), Compute, code,
                                         +[](const TKnot& k, ravelon::TPoly& p) { k.StateSumBracket(p); })
                ->Unit(benchmark::kMillisecond);
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
