// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <random>
#include <set>
#include <vector>

#include "knot/Knot.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"

namespace ravelon {
namespace {

using testing::BraidClosure;
using testing::RandomBraidWord;

using testing::NonZero;
using Terms = testing::TTermMap;

using testing::MakeCode;

TPoly BracketOf(const TKnot& k) {
    TPoly p(0);
    k.Bracket(p);
    return p;
}
TPoly JonesOf(const TKnot& k) {
    TPoly p(0);
    k.Jones(p);
    return p;
}

TEST(Invariants, CodesWithoutCrossings) {
    const TKnot empty;
    const TPoly b0 = BracketOf(empty);
    EXPECT_EQ(b0.FCount(), 1);
    EXPECT_EQ(b0.FTerms[0].Coefficient, 0);
    EXPECT_EQ(empty.Writhe(), 0);
    const TPoly j0 = JonesOf(empty);
    EXPECT_EQ(j0.FCount(), 1);
    EXPECT_EQ(j0.FTerms[0].Coefficient, 0);

    const TKnot one = MakeCode({}, {{0, 0, 0, 0}});
    EXPECT_EQ(NonZero(BracketOf(one)), (Terms{{{0, 1}, 1}}));
    EXPECT_EQ(NonZero(JonesOf(one)), (Terms{{{0, 1}, 1}}));

    const TKnot two = MakeCode({}, {{0, 0, 0, 0}, {0, 0, 0, 0}});
    EXPECT_EQ(NonZero(BracketOf(two)), (Terms{{{2, 1}, -1}, {{-2, 1}, -1}}));
    EXPECT_EQ(NonZero(JonesOf(two)), (Terms{{{1, 2}, -1}, {{-1, 2}, -1}}));
}

// The values of these codes are checked with the contraction's worked
// examples; here what only the state sum and the writhe show.
TEST(Invariants, StateSumZeroTermsAndWrithes) {
    const TKnot curl = MakeCode({{1, 2}}, {{1, 3, 1, 2}, {1, 4, 1, 1}});
    // The state sum keeps the zero terms its arithmetic made.
    TPoly reference(0);
    curl.StateSumBracket(reference);
    EXPECT_EQ(NonZero(reference), (Terms{{{-3, 1}, -1}}));
    std::set<int> stored;
    for (const TTerm& t : reference.FTerms) stored.insert(t.Exponent.Num);
    EXPECT_EQ(stored, (std::set<int>{2, 1, 0, -1, -2, -3}));
    EXPECT_EQ(curl.Writhe(), -1);
    EXPECT_EQ(MakeCode({{1, 4}}, {{1, 3, 1, 4}, {1, 2, 1, 1}}).Writhe(), 1);
    const TKnot trefoil = MakeCode({{2, 1}, {2, 1}, {2, 1}},
                               {{1, 1, 2, 4}, {1, 3, 3, 2}, {2, 1, 3, 4}, {1, 2, 2, 3}, {1, 4, 3, 1}, {2, 2, 3, 3}});
    EXPECT_EQ(trefoil.Writhe(), 3);
    const TKnot link = MakeCode({{4, 1}, {4, 1}}, {{1, 4, 2, 3}, {1, 2, 2, 1}, {1, 3, 2, 4}, {1, 1, 2, 2}});
    EXPECT_EQ(link.Writhe(), -2);
}

// Independent truth: the state sum with loops counted by union-find over the
// (crossing, port) ends, without any smoothing of the code.
Terms UnionFindBracket(const TKnot& k) {
    const int n = k.FCrossingCount();
    int freeLoops = 0;
    for (int e = 1; e <= k.FEdgeCount(); ++e)
        if (k.FEdges[e].Crossing1 == 0) ++freeLoops;
    std::map<int, TCoefficient> sum;
    for (unsigned long state = 0; state < (1ul << n); ++state) {
        std::vector<int> parent(static_cast<std::size_t>(4 * n));
        std::iota(parent.begin(), parent.end(), 0);
        auto find = [&](int x) {
            while (parent[x] != x) x = parent[x] = parent[parent[x]];
            return x;
        };
        auto unite = [&](int a, int b) { parent[find(a)] = find(b); };
        auto node = [](int c, int p) { return 4 * (c - 1) + (p - 1); };
        for (int e = 1; e <= k.FEdgeCount(); ++e) {
            const TEdge& ed = k.FEdges[e];
            if (ed.Crossing1 != 0) unite(node(ed.Crossing1, ed.Port1), node(ed.Crossing2, ed.Port2));
        }
        int aExp = 0;
        for (int c = 1; c <= n; ++c) {
            const int f = k.FCrossings[c].FirstPort;
            const bool kind1 = (state >> (c - 1)) & 1;
            const int partner = kind1 ? NextPort(f) : PrevPort(f);
            unite(node(c, f), node(c, partner));
            unite(node(c, OppositePort(f)), node(c, OppositePort(partner)));
            aExp += kind1 ? 1 : -1;
        }
        int loops = freeLoops;
        for (int x = 0; x < 4 * n; ++x)
            if (find(x) == x) ++loops;
        testing::AddState(sum, aExp, loops);
    }
    Terms r;
    for (auto& [e, c] : sum)
        if (c != 0) r[{e, 1}] = c;
    return r;
}

TKnot Mirror(const TKnot& k) {
    TKnot m;
    m.Assign(k);
    for (std::size_t i = 1; i < m.FCrossings.size(); ++i) std::swap(m.FCrossings[i].FirstPort, m.FCrossings[i].SecondPort);
    return m;
}

// V(t) -> V(1/t): negate every exponent.
Terms Inverted(const Terms& t) {
    Terms r;
    for (const auto& [e, c] : t) r[{-e.first, e.second}] = c;
    return r;
}

TEST(Invariants, RandomBraidClosuresAgreeWithIndependentTruths) {
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> strands(2, 4), length(0, 8);
    const TPoly d = LoopValue();
    for (int round = 0; round < 150; ++round) {
        const int s = strands(rng);
        const TKnot code = BraidClosure(s, RandomBraidWord(rng, s, length(rng)));

        const TPoly bracket = BracketOf(code);
        ASSERT_EQ(NonZero(bracket), UnionFindBracket(code)) << "round " << round;

        const TPoly jones = JonesOf(code);
        ASSERT_EQ(NonZero(jones), testing::JonesFromBracket(bracket, code.Writhe()));

        // The mirror image negates the writhe and turns V(t) into V(1/t).
        const TKnot mirror = Mirror(code);
        ASSERT_EQ(mirror.Writhe(), -code.Writhe());
        ASSERT_EQ(NonZero(JonesOf(mirror)), Inverted(NonZero(jones)));

        // A separate loop multiplies the bracket by d.
        TKnot more;
        more.Assign(code);
        more.FEdges.push_back(TEdge{0, 0, 0, 0});
        TPoly expected;
        expected.Assign(bracket);
        expected.Multiply(d);
        ASSERT_EQ(NonZero(BracketOf(more)), NonZero(expected));
    }
}

}  // namespace
}  // namespace ravelon
