// SPDX-License-Identifier: GPL-3.0-or-later
// Times the state-sum bracket on crossing codes of 8 to 14 crossings: closures
// of fixed random braid words on four strands (the same codes on every run).
#include <benchmark/benchmark.h>

#include <random>

#include "knot/Knot.h"
#include "tests/support/BraidCode.h"

namespace {

ravelon::TKnot FixedCode(int crossings) {
    std::mt19937 rng(static_cast<unsigned>(1000 + crossings));
    return ravelon::testing::BraidClosure(4, ravelon::testing::RandomBraidWord(rng, 4, crossings));
}

void BM_StateSumBracket(benchmark::State& state) {
    const ravelon::TKnot code = FixedCode(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ravelon::TPoly result(0);
        code.StateSumBracket(result);
        benchmark::DoNotOptimize(result);
    }
    state.counters["crossings"] = static_cast<double>(code.FCrossingCount());
}
BENCHMARK(BM_StateSumBracket)->Arg(8)->Arg(10)->Arg(12)->Arg(14)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
