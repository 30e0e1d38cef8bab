// SPDX-License-Identifier: GPL-3.0-or-later
// Times PD reading, the Alexander polynomial (with the determinant from it)
// and the signature on closed braids of 20 to 120 crossings, on the torus
// knots T(2, n) up to n = 2001 and on random one-polygon diagrams of the
// 999 x 999 canvas of about 150 to 450 crossings (the same codes on every
// run: the sizes of bench_large, with its seeds, and two polygons of 252 and
// 441 crossings, of 48 and 56 corners); the reference computations from the
// dense Seifert matrix on the braids and on the smaller of the others; and
// the identification of every knot of the table in one run. The table run
// also counts the knots that the Jones polynomial alone names uniquely and
// those that all three invariants name uniquely.
//
//   ./build/bench/bench_classical --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//   ./build/bench/bench_classical --benchmark_filter='Torus|Polygon'
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "tests/support/PolygonDiagram.h"
#include "table/Identify.h"
#include "table/KnotTable.h"
#include "knot/PdCode.h"
#include "knot/PdRead.h"
#include "classical/ClassicalInvariants.h"
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

void BM_DenseAlexander(benchmark::State& state) {
    const TKnot k = Braid(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(DenseAlexanderPolynomial(k));
}
BENCHMARK(BM_DenseAlexander)->DenseRange(20, 120, 20)->Unit(benchmark::kMillisecond);

void BM_DenseSignature(benchmark::State& state) {
    const TKnot k = Braid(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(DenseSignature(k));
}
BENCHMARK(BM_DenseSignature)->DenseRange(20, 120, 20)->Unit(benchmark::kMillisecond);

// The Alexander polynomial and the determinant, or the signature, of Code;
// with Dense, by the reference computations.
void Classical(benchmark::State& State, const TKnot& Code, bool Signs, bool Dense) {
    for (auto _ : State) {
        if (Signs) {
            benchmark::DoNotOptimize(Dense ? DenseSignature(Code) : Signature(Code));
        } else {
            const TPoly alexander = Dense ? DenseAlexanderPolynomial(Code) : AlexanderPolynomial(Code);
            benchmark::DoNotOptimize(DeterminantOf(alexander));
        }
    }
    State.counters["crossings"] = Code.FCrossingCount();
}

// A code past this many crossings is not timed the dense way (T(2, 801)
// takes minutes).
constexpr int DenseCrossings = 260;

void Register(const std::string& Name, const TKnot& Code) {
    for (const bool dense : {false, true}) {
        if (dense && Code.FCrossingCount() > DenseCrossings) continue;
        for (const bool signs : {false, true}) {
            const std::string name = std::string(dense ? "Dense" : "") + (signs ? "Signature" : "AlexanderAndDeterminant") + Name;
            benchmark::RegisterBenchmark(name.c_str(), Classical, Code, signs, dense)->Unit(benchmark::kMillisecond);
        }
    }
}

TKnot Polygon(int Crossings, unsigned Seed) {
    TKnot k;
    testing::RandomPolygon(Crossings, Seed).MakeKnot(k);
    return k;
}

void RegisterLarge() {
    for (const int n : {101, 201, 501, 1001, 2001}) Register("/TorusTwo/" + std::to_string(n), testing::TorusTwo(n));
    for (const int size : {150, 250, 350, 450})
        Register("/Polygon/" + std::to_string(size), Polygon(size, static_cast<unsigned>(4242 + size)));
    // 252 crossings of 48 corners, and 441 of 56.
    Register("/Polygon/252", Polygon(250, 1873));
    Register("/Polygon/441", Polygon(450, 8769));
}

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

int main(int argc, char** argv) {
    RegisterLarge();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
