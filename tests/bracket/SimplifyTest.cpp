// SPDX-License-Identifier: GPL-3.0-or-later
// The simplification by moves I and II against the state sum and the
// contraction without it: the factor of a curl, the crossings removed from
// braids with cancelling letters, clasps that must stay, and random codes on
// which it may never change the bracket or the Jones polynomial.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bracket/Contraction.h"
#include "knot/Knot.h"
#include "bracket/Simplify.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/RandomCode.h"

namespace ravelon {
namespace {

using testing::MakeCode;
using testing::NonZero;

#ifdef RAVELON_SANITIZED_TESTS
constexpr int Rounds = 40;
constexpr int LargeRounds = 4;
#else
constexpr int Rounds = 400;
constexpr int LargeRounds = 40;
#endif

// The bracket of the contraction as a polynomial, with or without simplifying.
TPoly ContractedBracket(const TKnot& Code, bool Simplified) {
    TContractionLimits limits;
    limits.Simplify = Simplified;
    return testing::BracketPoly(ContractBracket(Code, limits));
}

// The simplified and the plain contraction agree on bracket and Jones
// polynomial (with the writhe of the whole code), and with the state sum when
// it is given.
void ExpectUnchanged(const TKnot& Code, const std::string& What, const TPoly* StateSum = nullptr) {
    const TPoly simplified = ContractedBracket(Code, true), plain = ContractedBracket(Code, false);
    EXPECT_EQ(NonZero(simplified), NonZero(plain)) << What;
    const int w = Code.Writhe();
    EXPECT_EQ(testing::JonesFromBracket(simplified, w), testing::JonesFromBracket(plain, w))
        << What;
    if (StateSum) {
        EXPECT_EQ(NonZero(simplified), NonZero(*StateSum)) << What;
    }
}

TEST(Simplify, CurlsGoWithTheirFactor) {
    // A curl of either sign alone: no crossing left, one loop, -A^(-+3).
    const TKnot curl = MakeCode({{1, 2}}, {{1, 3, 1, 2}, {1, 4, 1, 1}});
    const TKnot mirror = MakeCode({{1, 4}}, {{1, 3, 1, 4}, {1, 2, 1, 1}});
    for (const auto& [code, shift] : {std::pair{curl, -3}, std::pair{mirror, 3}}) {
        const TSimplified s = Simplify(BuildPortGraph(code));
        EXPECT_EQ(s.Graph.Crossings, 0);
        EXPECT_EQ(s.Graph.FreeLoops, 1);
        EXPECT_EQ(s.Sign, -1);
        EXPECT_EQ(s.Shift, shift);
    }
    // The (2, n) torus links have no curl and no bigon of move II.
    for (int n = 2; n <= 7; ++n) EXPECT_EQ(Simplify(BuildPortGraph(testing::TorusTwo(n))).Graph.Crossings, n);
}

TEST(Simplify, CancellingBraidLettersGoAndClaspsStay) {
    std::mt19937 rng(1515);
    std::uniform_int_distribution<int> strands(2, 5), length(0, 8);
    for (int round = 0; round < Rounds; ++round) {
        const int s = strands(rng);
        std::vector<int> word = testing::RandomBraidWord(rng, s, length(rng));
        const int kept = static_cast<int>(word.size());
        // A letter followed by its inverse: a bigon with one strand over at both.
        std::uniform_int_distribution<int> generator(1, s - 1);
        std::uniform_int_distribution<std::size_t> at(0, word.size());
        const int g = generator(rng);
        const auto place = word.begin() + static_cast<std::ptrdiff_t>(at(rng));
        word.insert(place, {g, -g});
        const TKnot code = testing::BraidClosure(s, word);
        const TSimplified simple = Simplify(BuildPortGraph(code));
        EXPECT_LE(simple.Graph.Crossings, kept) << "round " << round;
        // A fixed point: nothing is left to remove.
        EXPECT_EQ(Simplify(simple.Graph).Graph.Crossings, simple.Graph.Crossings) << "round " << round;
        TPoly stateSum(0);
        code.StateSumBracket(stateSum);
        ExpectUnchanged(code, "braid round " + std::to_string(round), &stateSum);
        if (HasFailure()) return;
    }
    // A clasp (the Hopf link) and the trefoil keep every crossing.
    EXPECT_EQ(Simplify(BuildPortGraph(testing::BraidClosure(2, {1, 1}))).Graph.Crossings, 2);
    EXPECT_EQ(Simplify(BuildPortGraph(testing::BraidClosure(2, {1, 1, 1}))).Graph.Crossings, 3);
}

// Ports paired at random, curls and edges across a crossing among them: the
// factors are found from the smoothings, so they hold for codes of no planar
// diagram as well.
TEST(Simplify, RandomPortCodesKeepTheirBracket) {
    std::mt19937 rng(2626);
    std::uniform_int_distribution<int> crossings(1, 9);
    for (int round = 0; round < Rounds; ++round) {
        const TKnot code = testing::RandomPortCode(rng, crossings(rng), 2);
        TPoly stateSum(0);
        code.StateSumBracket(stateSum);
        ExpectUnchanged(code, "random ports, round " + std::to_string(round), &stateSum);
        if (HasFailure()) return;
    }
}

// Long braids with many cancelling letters, beyond the state sum: the
// simplified contraction against the plain one.
TEST(Simplify, LongBraidsKeepTheirJonesPolynomial) {
    std::mt19937 rng(3737);
    int removed = 0;
    for (int round = 0; round < LargeRounds; ++round) {
        const int s = 3 + round % 4;
        std::vector<int> word;
        std::uniform_int_distribution<int> generator(1, s - 1);
        std::bernoulli_distribution cancel(0.3), sign(0.5);
        while (word.size() < 60) {
            const int g = generator(rng) * (sign(rng) ? 1 : -1);
            word.push_back(g);
            if (cancel(rng)) word.push_back(-g);
        }
        const TKnot code = testing::BraidClosure(s, word);
        removed += code.FCrossingCount() - Simplify(BuildPortGraph(code)).Graph.Crossings;
        ExpectUnchanged(code, "long braid, round " + std::to_string(round));
        if (HasFailure()) return;
    }
    EXPECT_GT(removed, 10 * LargeRounds);
}

}  // namespace
}  // namespace ravelon
