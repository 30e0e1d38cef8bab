// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the diagram: editing a diagram of a few hundred lines, and building
// the crossing code of a one-curve diagram of about 120 crossings.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "diagram/Draw.h"

namespace {

using ravelon::TDraw;
using ravelon::TKnot;
using ravelon::TPoint;

// A closed random polygon of N points on a 999 x 999 canvas.
TDraw RandomPolygon(int N, unsigned Stream) {
    std::mt19937 rng(Stream);
    std::uniform_int_distribution<int> c(0, 998);
    TDraw d;
    d.BeginGroup({c(rng), c(rng)});
    for (int i = 1; i < N; ++i) d.ExtendGroup({c(rng), c(rng)});
    d.CloseGroup();
    return d;
}

int Crossings(const TDraw& D) {
    TKnot k;
    D.MakeKnot(k);
    return k.FCrossingCount();
}

void BM_MakeKnot(benchmark::State& State) {
    const TDraw d = RandomPolygon(static_cast<int>(State.range(0)), 1);
    for (auto _ : State) {
        TKnot k;
        d.MakeKnot(k);
        benchmark::DoNotOptimize(k.FEdges.data());
    }
    State.counters["crossings"] = Crossings(d);
}
BENCHMARK(BM_MakeKnot)->Arg(38)->Arg(300)->Unit(benchmark::kMicrosecond);

void BM_MovePoint(benchmark::State& State) {
    TDraw d = RandomPolygon(static_cast<int>(State.range(0)), 2);
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> c(0, 998), i(0, d.FPointCount() - 1);
    for (auto _ : State) d.MovePoint(i(rng), {c(rng), c(rng)});
    State.counters["lines"] = d.FLineCount();
}
BENCHMARK(BM_MovePoint)->Arg(300)->Unit(benchmark::kMicrosecond);

// Adding the last line of a 300-line diagram, and taking it back.
void BM_AddLine(benchmark::State& State) {
    TDraw d = RandomPolygon(static_cast<int>(State.range(0)), 4);
    d.AddPoint({500, 500});
    for (auto _ : State) {
        d.AddLine(d.FPointCount() - 2, d.FPointCount() - 1);
        d.DeleteLastLine();
    }
    State.counters["lines"] = d.FLineCount() + 1;
}
BENCHMARK(BM_AddLine)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
