// SPDX-License-Identifier: GPL-3.0-or-later
// The contraction against the state sum: the worked examples, random codes of
// both kinds (braid closures and codes with ports paired at random), and the
// edge cases of the engine (exact fallback, refusal, incomplete codes).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bracket/Contraction.h"
#include "bracket/order/CostModel.h"
#include "knot/Knot.h"
#include "knot/Progress.h"
#include "bracket/TooComplex.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/RandomCode.h"

namespace ravelon {
namespace {

using testing::NonZero;
using testing::NonZeroDescending;
using Terms = testing::TTermMap;

using testing::MakeCode;

struct TBoth {
    TPoly Bracket, Jones, StateSumBracket, StateSumJones;
    testing::TTermMap StateSumJonesTerms;
};

// Both methods on one code. The state sum's Jones polynomial is its bracket
// times (-A^3)^(-w) with A = t^(-1/4), as StateSumJones makes it; for codes of
// more than 8 crossings it is formed here from the one state sum, not a second.
TBoth Compute(const TKnot& k) {
    TBoth r;
    k.Bracket(r.Bracket);
    k.Jones(r.Jones);
    k.StateSumBracket(r.StateSumBracket);
    if (k.FCrossingCount() <= 8) {
        k.StateSumJones(r.StateSumJones);
        r.StateSumJonesTerms = NonZero(r.StateSumJones);
    } else {
        r.StateSumJonesTerms = testing::JonesFromBracket(r.StateSumBracket, k.Writhe());
    }
    return r;
}

void ExpectSameTerms(const TPoly& a, const TPoly& b) {
    ASSERT_EQ(a.FCount(), b.FCount());
    for (int i = 0; i < a.FCount(); ++i) {
        EXPECT_EQ(a.FTerms[i].Exponent.Num, b.FTerms[i].Exponent.Num);
        EXPECT_EQ(a.FTerms[i].Exponent.Den, b.FTerms[i].Exponent.Den);
        EXPECT_EQ(a.FTerms[i].Coefficient, b.FTerms[i].Coefficient);
    }
}

// Every step shared among three threads, down to the steps of one state
// (parts of no state at all).
TContractionLimits SharedSteps() {
    TContractionLimits shared;
    shared.Threads = 3;
    shared.ThreadStates = 1;
    return shared;
}

// Both methods give the same non-zero terms, also with every step shared among
// threads, and with crossings the contraction lists exactly those, largest
// exponent first; without crossings it gives the state sum's very polynomial.
void ExpectAgree(const TKnot& k, const std::string& what) {
    const TBoth r = Compute(k);
    EXPECT_EQ(NonZero(r.Bracket), NonZero(r.StateSumBracket)) << what;
    EXPECT_EQ(NonZero(testing::BracketPoly(ContractBracket(k, SharedSteps()))), NonZero(r.StateSumBracket))
        << what << ", three threads";
    EXPECT_EQ(NonZero(r.Jones), r.StateSumJonesTerms) << what;
    if (k.FCrossingCount() > 0) {
        EXPECT_TRUE(NonZeroDescending(r.Bracket)) << what;
        EXPECT_TRUE(NonZeroDescending(r.Jones)) << what;
    } else {
        ExpectSameTerms(r.Bracket, r.StateSumBracket);
        ExpectSameTerms(r.Jones, r.StateSumJones);
    }
}

TEST(Contraction, WorkedExamplesThroughBothMethods) {
    struct Example {
        const char* Name;
        TKnot Knot;
        Terms Bracket, Jones;
    };
    const std::vector<Example> examples = {
        {"curl", MakeCode({{1, 2}}, {{1, 3, 1, 2}, {1, 4, 1, 1}}), {{{-3, 1}, -1}}, {{{0, 1}, 1}}},
        {"mirror curl", MakeCode({{1, 4}}, {{1, 3, 1, 4}, {1, 2, 1, 1}}), {{{3, 1}, -1}}, {{{0, 1}, 1}}},
        {"trefoil",
         MakeCode({{2, 1}, {2, 1}, {2, 1}},
              {{1, 1, 2, 4}, {1, 3, 3, 2}, {2, 1, 3, 4}, {1, 2, 2, 3}, {1, 4, 3, 1}, {2, 2, 3, 3}}),
         {{{5, 1}, -1}, {{-3, 1}, -1}, {{-7, 1}, 1}},
         {{{4, 1}, -1}, {{3, 1}, 1}, {{1, 1}, 1}}},
        {"two-crossing link", MakeCode({{4, 1}, {4, 1}}, {{1, 4, 2, 3}, {1, 2, 2, 1}, {1, 3, 2, 4}, {1, 1, 2, 2}}),
         {{{4, 1}, -1}, {{-4, 1}, -1}},
         {{{-1, 2}, -1}, {{-5, 2}, -1}}},
    };
    for (const Example& e : examples) {
        const TBoth r = Compute(e.Knot);
        EXPECT_EQ(NonZero(r.Bracket), e.Bracket) << e.Name;
        EXPECT_EQ(NonZero(r.StateSumBracket), e.Bracket) << e.Name;
        EXPECT_EQ(NonZero(r.Jones), e.Jones) << e.Name;
        EXPECT_EQ(NonZero(r.StateSumJones), e.Jones) << e.Name;
        EXPECT_EQ(r.Bracket.FCount(), static_cast<int>(e.Bracket.size())) << e.Name;
        EXPECT_TRUE(NonZeroDescending(r.Bracket)) << e.Name;
        EXPECT_TRUE(NonZeroDescending(r.Jones)) << e.Name;
    }
    // The trefoil's terms in the order the contraction lists them.
    const TBoth trefoil = Compute(examples[2].Knot);
    ASSERT_EQ(trefoil.Jones.FCount(), 3);
    EXPECT_EQ(trefoil.Jones.FTerms[0].Exponent.Num, 4);
    EXPECT_EQ(trefoil.Jones.FTerms[2].Exponent.Num, 1);

    // Without crossings both give the state sum's very polynomial.
    for (int loops = 0; loops <= 3; ++loops) {
        const TKnot k = MakeCode({}, std::vector<TEdge>(static_cast<std::size_t>(loops), TEdge{0, 0, 0, 0}));
        const TBoth r = Compute(k);
        ExpectSameTerms(r.Bracket, r.StateSumBracket);
        ExpectSameTerms(r.Jones, r.StateSumJones);
    }
    const TBoth none = Compute(TKnot{});
    ASSERT_EQ(none.Bracket.FCount(), 1);
    EXPECT_EQ(none.Bracket.FTerms[0].Coefficient, 0);
    EXPECT_EQ(none.Jones.FTerms[0].Coefficient, 0);
}

// The state sum costs 2^n, and about fifty times more under the sanitizers:
// there each random test takes a sample of its codes, of fewer crossings.
#ifdef RAVELON_SANITIZED_TESTS
constexpr int RandomCodes = 40;
constexpr int MostCrossings = 10;
#else
constexpr int RandomCodes = 1100;
constexpr int MostCrossings = 12;
#endif

// A crossing count up to MostCrossings: mostly up to 8, one code in twenty
// larger, so that many codes cost little and the largest still come up.
int RandomCrossings(std::mt19937& rng) {
    std::bernoulli_distribution large(0.05);
    std::uniform_int_distribution<int> few(0, 8), many(9, MostCrossings);
    return large(rng) ? many(rng) : few(rng);
}

TEST(Contraction, RandomBraidClosuresAgreeWithTheStateSum) {
    std::mt19937 rng(515);
    std::uniform_int_distribution<int> strands(2, 5);
    for (int round = 0; round < RandomCodes; ++round) {
        const int s = strands(rng);
        const TKnot k = testing::BraidClosure(s, testing::RandomBraidWord(rng, s, RandomCrossings(rng)));
        ExpectAgree(k, "braid closure, round " + std::to_string(round));
        if (HasFailure()) return;
    }
}

// Ports paired at random: codes of no planar diagram, edges between ports of
// one crossing, opposite ones too, and loops that meet no crossing.
TEST(Contraction, RandomPortCodesAgreeWithTheStateSum) {
    std::mt19937 rng(616);
    for (int round = 0; round < RandomCodes; ++round) {
        const TKnot k = testing::RandomPortCode(rng, std::max(1, RandomCrossings(rng)), 2);
        ExpectAgree(k, "random ports, round " + std::to_string(round));
        if (HasFailure()) return;
    }
}

// The connected sum of k Hopf links has the bracket (-A^4 - A^-4)^k, with the
// coefficients C(k, j) (for even k, C(k, k/2) at A^0): past the 64-bit range
// for k = 69, past the 128-bit range for k = 140, in the middle of the
// contraction.
TKnot HopfLink() { return MakeCode({{4, 1}, {4, 1}}, {{1, 4, 2, 3}, {1, 2, 2, 1}, {1, 3, 2, 4}, {1, 1, 2, 2}}); }

TEST(Contraction, ExactWhereFixedWidthCoefficientsOverflow) {
    const TKnot hopf = HopfLink();
    TPoly piece(0);
    hopf.StateSumBracket(piece);
    struct Case {
        int Pieces;
        TCoefficientKind Kind;
        int Exponent;        // 0 for even k, 4 for odd k
        const char* Middle;  // (-1)^k C(k, floor(k/2))
    };
    const std::vector<Case> cases = {
        {6, TCoefficientKind::Bits64, 0, "20"},
        {69, TCoefficientKind::Bits128, 4, "-56093138908331422716"},
        {70, TCoefficientKind::Bits128, 0, "112186277816662845432"},
        {140, TCoefficientKind::Exact, 0, "93820969697840041204785894580506297666600"},
    };
    for (const Case& c : cases) {
        const TKnot chain = testing::ConnectedSum(hopf, c.Pieces);
        TPoly expected(1);
        for (int i = 0; i < c.Pieces; ++i) expected.Multiply(piece);
        TContractionStats stats;
        const TLaurent terms = ContractBracket(chain, {}, &stats);
        EXPECT_EQ(stats.Coefficients, c.Kind) << c.Pieces;
        // An overflow widens the states computed and goes on: one step per crossing.
        EXPECT_EQ(stats.Steps, static_cast<std::size_t>(2 * c.Pieces)) << c.Pieces;
        EXPECT_EQ(stats.Crossings, 2 * c.Pieces) << c.Pieces;
        TPoly bracket(0);
        chain.Bracket(bracket);
        EXPECT_EQ(NonZero(bracket), NonZero(expected)) << c.Pieces;
        EXPECT_EQ(bracket.CoefficientOf(MakeFraction(c.Exponent, 1)), TCoefficient(c.Middle)) << c.Pieces;
        ASSERT_EQ(terms.size(), static_cast<std::size_t>(c.Pieces + 1));
        EXPECT_EQ(terms.Terms().front().first, 4 * c.Pieces);
    }
    ExpectAgree(testing::ConnectedSum(hopf, 5), "five Hopf links");
}

// An overflow met by one part of a step shared among threads goes on with
// exact coefficients as on one thread.
TEST(Contraction, StepsSharedAmongThreadsOverflowAsOnOne) {
    TContractionLimits single;
    single.Threads = 1;
    for (const int pieces : {69, 140}) {
        const TKnot chain = testing::ConnectedSum(HopfLink(), pieces);
        TContractionStats one, three;
        EXPECT_EQ(ContractBracket(chain, SharedSteps(), &three), ContractBracket(chain, single, &one)) << pieces;
        EXPECT_EQ(three.Coefficients, one.Coefficients) << pieces;
        EXPECT_NE(three.Coefficients, TCoefficientKind::Bits64) << pieces;
    }
}

TEST(Contraction, RefusesWhatExceedsItsMemoryBound) {
    std::mt19937 rng(77);
    const TKnot wide = testing::BraidClosure(10, testing::RandomBraidWord(rng, 10, 60));
    TContractionStats stats;
    ContractBracket(wide, {}, &stats);
    EXPECT_GT(stats.PeakBytes, 0u);

    TContractionLimits tight;
    tight.MaxBytes = stats.PeakBytes / 2;
    try {
        ContractBracket(wide, tight);
        ADD_FAILURE() << "no refusal";
    } catch (const TTooComplex& e) {
        // The words the window shows, then the memory the code would need.
        EXPECT_EQ(std::string(e.what()), TooComplexMessage(e.NeededBytes));
        EXPECT_TRUE(std::string(e.what()).starts_with("結び目が複雑すぎて計算できません (約 ")) << e.what();
        EXPECT_GT(e.NeededBytes, tight.MaxBytes);
    }
    // A bound crossed in the widest step is noticed there, with the bytes
    // counted so far past the bound and no more than a full run holds.
    const TKnot wider = testing::RandomPortCode(rng, 34, 0);
    TContractionStats full, refused;
    ContractBracket(wider, {}, &full);
    ASSERT_GT(full.PeakStates, 2000u);  // many checks within a step
    tight.MaxBytes = full.PeakBytes / 10 * 9;
    EXPECT_THROW(ContractBracket(wider, tight, &refused), TTooComplex);
    EXPECT_GT(refused.PeakBytes, tight.MaxBytes);
    EXPECT_LE(refused.PeakBytes, full.PeakBytes);
    // Within the bound the same code computes.
    tight.MaxBytes = stats.PeakBytes;
    EXPECT_NO_THROW(ContractBracket(wide, tight));
}

// The estimate of the order is close to what the states take, and a bound it
// passes refuses the code before the first step.
TEST(Contraction, RefusesAtOnceWhatTheEstimatePlacesBeyondTheBound) {
    std::mt19937 rng(88);
    for (const int strands : {8, 10, 12}) {
        const TKnot code = testing::BraidClosure(strands, testing::RandomBraidWord(rng, strands, 100));
        TContractionStats full, refused;
        ContractBracket(code, {}, &full);
        EXPECT_GT(full.EstimatedBytes, 0.25 * static_cast<double>(full.PeakBytes)) << strands;
        EXPECT_LT(full.EstimatedBytes, 4.0 * static_cast<double>(full.PeakBytes)) << strands;
        TContractionLimits tight;
        tight.MaxBytes = static_cast<std::size_t>(full.EstimatedBytes / EstimateMargin / 2);
        EXPECT_THROW(ContractBracket(code, tight, &refused), TTooComplex) << strands;
        EXPECT_EQ(refused.Steps, 0u) << strands;
        EXPECT_EQ(refused.PeakStates, 0u) << strands;
    }
}

// A code whose first steps project a peak past the bound by the projection's
// margin, though its estimate before the first step passed it by less than
// the estimate's margin, is refused in those steps, before its states reach
// the bound.
TEST(Contraction, RefusesEarlyWhatItsFirstStepsProjectBeyondTheBound) {
    std::mt19937 rng(99);
    const TKnot code = testing::BraidClosure(10, testing::RandomBraidWord(rng, 10, 300));
    TContractionStats full, refused;
    ContractBracket(code, {}, &full);
    TContractionLimits tight;
    tight.MaxBytes = full.PeakBytes / 18 * 10;
    ASSERT_LT(full.EstimatedBytes, EstimateMargin * static_cast<double>(tight.MaxBytes));
    EXPECT_THROW(ContractBracket(code, tight, &refused), TTooComplex);
    EXPECT_GT(refused.Steps, 0u);
    EXPECT_LT(refused.Steps, full.Steps / 2);
    EXPECT_LT(refused.PeakBytes, tight.MaxBytes);
    EXPECT_GT(refused.ProjectedBytes, ProjectionMargin * static_cast<double>(tight.MaxBytes));
}

// A watched contraction gives the same terms and ends with all of its work
// told done; a cancelled one stops before its first step, and the plan a
// window makes before asking gives the same terms again.
TEST(Contraction, ProgressIsToldAndCancellingStops) {
    std::mt19937 rng(55);
    const TKnot code = testing::RandomPortCode(rng, 30, 0);
    const TLaurent plain = ContractBracket(code);
    TProgress progress;
    TContractionLimits watched = SharedSteps();
    watched.Progress = &progress;
    EXPECT_EQ(ContractBracket(code, watched), plain);
    EXPECT_EQ(progress.Done(), 1.0);

    TProgress cancelled;
    cancelled.Cancel();
    watched.Progress = &cancelled;
    TContractionStats stats;
    EXPECT_THROW(ContractBracket(code, watched, &stats), TCancelled);
    EXPECT_EQ(stats.Steps, 0u);
    EXPECT_EQ(cancelled.Done(), 0.0);

    const TBracketPlan plan = PlanBracket(code);
    EXPECT_FALSE(BeyondReach(plan));
    EXPECT_EQ(ContractBracket(plan), plain);
    TContractionLimits tight;
    tight.MaxBytes = static_cast<std::size_t>(plan.EstimatedBytes / EstimateMargin / 2);
    EXPECT_TRUE(BeyondReach(plan, tight));
}

TEST(Contraction, RefusesIncompleteCodes) {
    // A port without an edge, an edge into no crossing, an edge from a port to itself.
    const std::vector<TKnot> incomplete = {
        MakeCode({{1, 2}}, {{1, 3, 1, 2}}),
        MakeCode({{1, 2}}, {{1, 3, 1, 2}, {1, 4, 0, 0}, {1, 1, 0, 0}}),
        MakeCode({{1, 2}}, {{1, 3, 1, 2}, {1, 4, 1, 4}, {1, 1, 0, 0}}),
        MakeCode({{5, 2}}, {{1, 3, 1, 2}, {1, 4, 1, 1}}),
    };
    for (const TKnot& k : incomplete) {
        TPoly p(0);
        EXPECT_THROW(k.Bracket(p), std::logic_error);
        EXPECT_THROW(k.Jones(p), std::logic_error);
    }
}

}  // namespace
}  // namespace ravelon
