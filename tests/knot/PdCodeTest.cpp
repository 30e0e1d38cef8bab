// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <set>

#include "knot/PdCode.h"
#include "knot/Knot.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"

namespace ravelon {
namespace {

// A second reading of a PD code, independent of the crossing code it came
// from: arcs are numbered consecutively along each component, so the
// components are the ranges of arcs joined through the crossings.
struct TPdReading {
    explicit TPdReading(const TPdCode& pd) : Pd(pd), Arcs(static_cast<int>(2 * pd.Crossings.size())) {
        std::vector<int> parent(static_cast<std::size_t>(Arcs) + 1);
        std::iota(parent.begin(), parent.end(), 0);
        auto find = [&](int x) {
            while (parent[x] != x) x = parent[x] = parent[parent[x]];
            return x;
        };
        for (const auto& x : pd.Crossings) {
            parent[find(x[0])] = find(x[2]);
            parent[find(x[1])] = find(x[3]);
        }
        Low.assign(parent.size(), Arcs + 1);
        High.assign(parent.size(), 0);
        for (int a = 1; a <= Arcs; ++a) {
            Low[find(a)] = std::min(Low[find(a)], a);
            High[find(a)] = std::max(High[find(a)], a);
        }
        Root.resize(parent.size());
        for (int a = 1; a <= Arcs; ++a) Root[a] = find(a);
    }
    int Next(int a) const { return a == High[Root[a]] ? Low[Root[a]] : a + 1; }

    // +1 when the over-strand runs from d to b, -1 when from b to d, 0 when
    // the numbering cannot tell (a component of two arcs passing over twice).
    int Sign(const std::array<int, 4>& x) const {
        EXPECT_EQ(Next(x[0]), x[2]) << "under-strand does not run from a to c";
        if (std::set<int>{x[1], x[3]} == std::set<int>{x[0], x[2]}) return x[3] == x[2] ? 1 : -1;
        const bool forward = Next(x[3]) == x[1], backward = Next(x[1]) == x[3];
        EXPECT_TRUE(forward || backward) << "over-strand arcs are not consecutive";
        return forward == backward ? 0 : forward ? 1 : -1;
    }
    // The writhe, or nothing when a crossing's sign cannot be read.
    std::optional<int> Writhe() const {
        int w = 0;
        for (const auto& x : Pd.Crossings) {
            const int s = Sign(x);
            if (s == 0) return std::nullopt;
            w += s;
        }
        return w;
    }
    // The state sum on the PD code: the A-smoothing of X[a, b, c, d] joins
    // a with b and c with d, the other smoothing a with d and b with c.
    std::map<int, TCoefficient> Bracket() const {
        const std::size_t n = Pd.Crossings.size();
        std::map<int, TCoefficient> sum;
        for (unsigned long s = 0; s < (1ul << n); ++s) {
            std::vector<int> parent(static_cast<std::size_t>(Arcs) + 1);
            std::iota(parent.begin(), parent.end(), 0);
            auto find = [&](int x) {
                while (parent[x] != x) x = parent[x] = parent[parent[x]];
                return x;
            };
            int aExp = 0;
            for (std::size_t i = 0; i < n; ++i) {
                const auto& x = Pd.Crossings[i];
                const bool a = (s >> i) & 1;
                parent[find(x[0])] = find(a ? x[1] : x[3]);
                parent[find(x[2])] = find(a ? x[3] : x[1]);
                aExp += a ? 1 : -1;
            }
            int loops = Pd.LoopsLeftOut;
            for (int arc = 1; arc <= Arcs; ++arc)
                if (find(arc) == arc) ++loops;
            testing::AddState(sum, aExp, loops);
        }
        std::erase_if(sum, [](const auto& kv) { return kv.second == 0; });
        return sum;
    }
    const TPdCode& Pd;
    int Arcs;
    std::vector<int> Low, High, Root;
};

std::map<int, TCoefficient> NonZeroBracket(const TKnot& k) {
    TPoly p(0);
    k.Bracket(p);
    std::map<int, TCoefficient> r;
    for (const TTerm& t : p.FTerms) r[t.Exponent.Num] += t.Coefficient;
    std::erase_if(r, [](const auto& kv) { return kv.second == 0; });
    return r;
}

TEST(PdCode, TrefoilAndHopfLink) {
    const TKnot trefoil = testing::TorusTwo(3);
    const TPdCode pd = MakePdCode(trefoil);
    EXPECT_EQ(pd.Components, 1);
    EXPECT_EQ(PdText(pd), "PD[X[4, 2, 5, 1], X[2, 6, 3, 5], X[6, 4, 1, 3]]");
    EXPECT_EQ(TPdReading(pd).Writhe(), std::optional<int>(3));

    const TPdCode hopf = MakePdCode(testing::TorusTwo(2));
    EXPECT_EQ(hopf.Components, 2);
    EXPECT_EQ(hopf.Crossings.size(), 2u);

    // A strand that meets no crossing is counted but has no arcs.
    const TPdCode apart = MakePdCode(testing::BraidClosure(3, {1, 1, 1}));
    EXPECT_EQ(apart.Components, 2);
    EXPECT_EQ(apart.LoopsLeftOut, 1);
    EXPECT_EQ(PdText(MakePdCode(TKnot())), "PD[]");
}

TEST(PdCode, SecondReadingAgreesOnWritheAndBracket) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> strands(2, 5), length(1, 9);
    int writhesRead = 0;
    for (int round = 0; round < 300; ++round) {
        const int s = strands(rng);
        const TKnot k = testing::BraidClosure(s, testing::RandomBraidWord(rng, s, length(rng)));
        const TPdCode pd = MakePdCode(k);
        const TPdReading reading(pd);
        // Every arc appears exactly twice.
        std::map<int, int> uses;
        for (const auto& x : pd.Crossings)
            for (int a : x) ++uses[a];
        for (int a = 1; a <= reading.Arcs; ++a) ASSERT_EQ(uses[a], 2) << "arc " << a;
        if (const auto w = reading.Writhe()) {
            ASSERT_EQ(*w, k.Writhe()) << "round " << round;
            ++writhesRead;
        }
        ASSERT_EQ(reading.Bracket(), NonZeroBracket(k)) << "round " << round;
    }
    EXPECT_GT(writhesRead, 200);
}

TEST(PdCode, RefusesIncompleteCodes) {
    TKnot k = testing::TorusTwo(3);
    k.FEdges.pop_back();
    EXPECT_THROW(MakePdCode(k), std::invalid_argument);
    TKnot flat = testing::TorusTwo(3);
    flat.FCrossings[2].SecondPort = flat.FCrossings[2].FirstPort;
    EXPECT_THROW(MakePdCode(flat), std::invalid_argument);
}

}  // namespace
}  // namespace ravelon
