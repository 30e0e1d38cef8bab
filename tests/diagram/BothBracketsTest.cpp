// SPDX-License-Identifier: GPL-3.0-or-later
// The two bracket computations on diagrams drawn with the editing operations:
// the contraction must give the state sum's non-zero terms on every diagram a
// user can draw, curls, links and coincident crossing points included.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bracket/Contraction.h"
#include "bracket/Simplify.h"
#include "tests/diagram/DiagramSupport.h"
#include "tests/support/PolyTerms.h"

namespace ravelon {
namespace {

#ifdef RAVELON_SANITIZED_TESTS
constexpr int kDiagrams = 60;  // the state sum is far slower under the sanitizers
#else
constexpr int kDiagrams = 2000;
#endif
constexpr int kMaxCrossings = 12;

TEST(BothBrackets, RandomDrawnDiagramsAgree) {
    std::mt19937 rng(515);
    std::uniform_int_distribution<int> groups(1, 3), canvas(0, 2);
    int compared = 0, largest = 0;
    while (compared < kDiagrams) {
        testing::TRandomShape shape;
        shape.Groups = groups(rng);
        shape.MinPoints = 3;
        shape.MaxPoints = 7 - shape.Groups;
        shape.Canvas = canvas(rng) == 0 ? 40 : 999;  // small canvases crowd crossings together
        const TDraw d = testing::RandomDiagram(rng, shape);
        TKnot k;
        d.MakeKnot(k);
        // Most of the state sum's time goes to the largest codes: keep a third of those.
        if (k.FCrossingCount() > kMaxCrossings || (k.FCrossingCount() > 9 && rng() % 3 != 0)) continue;
        ++compared;
        largest = std::max(largest, k.FCrossingCount());

        TPoly fast(0), reference(0);
        k.Bracket(fast);
        k.StateSumBracket(reference);
        ASSERT_EQ(testing::NonZero(fast), testing::NonZero(reference)) << "diagram " << compared;
        // The state sum's Jones polynomial from the bracket just computed.
        k.Jones(fast);
        ASSERT_EQ(testing::NonZero(fast), testing::JonesFromBracket(reference, k.Writhe()))
            << "diagram " << compared;
    }
    EXPECT_GE(largest, 10);
}

// The bracket of the contraction as a polynomial, with or without the
// simplification and the order search.
TPoly Contracted(const TKnot& Code, bool New) {
    TContractionLimits limits;
    if (!New) {
        limits.Simplify = false;
        limits.Order = TOrderSearch::Greedy;
    }
    return testing::BracketPoly(ContractBracket(Code, limits));
}

#ifdef RAVELON_SANITIZED_TESTS
constexpr int kLargeDiagrams = 8;
#else
constexpr int kLargeDiagrams = 150;
#endif

// Diagrams beyond the state sum, of 15 to 90 crossings, full of curls and
// bigons: simplified and searched, the bracket and the Jones polynomial (with
// the writhe of the drawn diagram) are those of the plain contraction.
TEST(BothBrackets, SimplifiedLargeDrawnDiagramsAgree) {
    std::mt19937 rng(4040);
    std::uniform_int_distribution<int> groups(1, 2), canvas(0, 1);
    int removed = 0;
    for (int compared = 0; compared < kLargeDiagrams;) {
        testing::TRandomShape shape;
        shape.Groups = groups(rng);
        shape.MinPoints = 6;
        shape.MaxPoints = 14;
        shape.Canvas = canvas(rng) == 0 ? 60 : 999;
        TKnot k;
        testing::RandomDiagram(rng, shape).MakeKnot(k);
        if (k.FCrossingCount() < 15 || k.FCrossingCount() > 90) continue;
        ++compared;
        removed += k.FCrossingCount() - Simplify(BuildPortGraph(k)).Graph.Crossings;
        const TPoly plain = Contracted(k, false);
        ASSERT_EQ(testing::NonZero(Contracted(k, true)), testing::NonZero(plain)) << "diagram " << compared;
        TPoly jones(0);
        k.Jones(jones);
        ASSERT_EQ(testing::NonZero(jones), testing::JonesFromBracket(plain, k.Writhe()))
            << "diagram " << compared;
    }
    EXPECT_GT(removed, kLargeDiagrams);
}

// Knots drawn as one polygon of 46 to 50 points, of about 250 to 300
// crossings, far beyond the state sum: their coefficients pass 64 bits, and
// every large step is shared among three threads. The Jones polynomial of
// every knot has V(1) = 1, V(e^(2 pi i / 3)) = 1 and V(i) = 1 or -1, which
// weigh every coefficient by its exponent mod 3 and mod 4.
TEST(BothBrackets, LargeDrawnKnotsKeepTheJonesValuesOfEveryKnot) {
#ifdef RAVELON_SANITIZED_TESTS
    constexpr int Knots = 1;
#else
    constexpr int Knots = 4;
#endif
    std::mt19937 rng(4646);
    TContractionLimits shared;
    shared.Threads = 3;
    shared.ThreadStates = 64;
    int wide = 0;
    for (int knot = 0; knot < Knots; ++knot) {
        testing::TRandomShape shape;
        shape.MinPoints = 46;
        shape.MaxPoints = 50;
        TKnot k;
        testing::RandomDiagram(rng, shape).MakeKnot(k);
        TContractionStats stats;
        const testing::TTermMap jones = testing::JonesFromBracket(testing::BracketPoly(ContractBracket(k, shared, &stats)), k.Writhe());
        if (stats.Coefficients != TCoefficientKind::Bits64) ++wide;
        // The sums of the coefficients by exponent mod 12.
        std::vector<TCoefficient> sum(12, TCoefficient(0));
        for (const auto& [exponent, coefficient] : jones) {
            ASSERT_EQ(exponent.second, 1) << "a knot's exponents are whole";
            sum[static_cast<std::size_t>(((exponent.first % 12) + 12) % 12)] += coefficient;
        }
        auto mod = [&](int M, int R) {
            TCoefficient s(0);
            for (int e = R; e < 12; e += M) s += sum[static_cast<std::size_t>(e)];
            return s;
        };
        const std::string what = "knot " + std::to_string(knot) + " of " + std::to_string(k.FCrossingCount()) + " crossings";
        EXPECT_EQ(mod(1, 0), 1) << what;
        // V(w) = S0 + S1 w + S2 w^2 = (S0 - S2) + (S1 - S2) w.
        EXPECT_EQ(mod(3, 0) - mod(3, 2), 1) << what;
        EXPECT_EQ(mod(3, 1), mod(3, 2)) << what;
        // V(i) = (T0 - T2) + i (T1 - T3).
        EXPECT_EQ(mod(4, 1), mod(4, 3)) << what;
        EXPECT_EQ(abs(mod(4, 0) - mod(4, 2)), 1) << what;
    }
    EXPECT_GT(wide, 0);
}

}  // namespace
}  // namespace ravelon
