// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of the contraction on their own: the strided polynomial with its
// checked 64-bit and exact coefficients, the pairing table, the buckets of a
// step's smoothings and the crossing order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <vector>

#include "bracket/order/CrossingOrder.h"
#include "bracket/PairingTable.h"
#include "bracket/SmoothingBuckets.h"
#include "knot/Parts.h"
#include "knot/PortGraph.h"
#include "bracket/StridePoly.h"
#include "tests/support/BraidCode.h"
#include "tests/support/RandomCode.h"

namespace ravelon {
namespace {

// The terms of a strided polynomial as (exponent, coefficient), zeros dropped.
template <class C>
std::vector<std::pair<std::int64_t, TCoefficient>> TermsOf(const TStridePoly<C>& p) {
    std::vector<std::pair<std::int64_t, TCoefficient>> r;
    for (std::size_t i = 0; i < p.Coeffs.size(); ++i)
        if (!IsZero(p.Coeffs[i])) r.emplace_back(p.Low + 4 * static_cast<std::int64_t>(i), TCoefficient(p.Coeffs[i]));
    return r;
}

TEST(StridePoly, LoopsShiftsAndExactDivision) {
    // d^2 A = A^5 + 2A + A^-3; plus -A^5 from a second sum on the same stride.
    TStridePoly<std::int64_t> p;
    p.AddTimesLoops(TStridePoly<std::int64_t>::One(), 1, 2, 1);
    using T = std::vector<std::pair<std::int64_t, TCoefficient>>;
    EXPECT_EQ(TermsOf(p), (T{{-3, 1}, {1, 2}, {5, 1}}));
    TStridePoly<std::int64_t> a5;
    a5.Coeffs = {1};
    a5.Low = 5;
    p.AddTimesLoops(a5, 0, 0, -1);
    EXPECT_EQ(TermsOf(p), (T{{-3, 1}, {1, 2}}));
    // Reaching below the lowest exponent keeps the values in place.
    TStridePoly<std::int64_t> far;
    far.Coeffs = {7};
    far.Low = -11;
    p.AddTimesLoops(far, 0, 0, 1);
    EXPECT_EQ(TermsOf(p), (T{{-11, 7}, {-3, 1}, {1, 2}}));
    // Exponents of another class mod 4 cannot share the stride.
    EXPECT_THROW(p.AddTimesLoops(far, 1, 0, 1), std::logic_error);

    // d^3 / d = d^2; a polynomial d does not divide is refused.
    TStridePoly<TCoefficient> d3 = TStridePoly<TCoefficient>::One();
    for (int i = 0; i < 3; ++i) {
        TStridePoly<TCoefficient> next;
        next.AddTimesLoops(d3, 0, 1, 1);
        d3 = next;
    }
    d3.DivideByLoop();
    TStridePoly<TCoefficient> d2;
    d2.AddTimesLoops(TStridePoly<TCoefficient>::One(), 0, 2, 1);
    EXPECT_EQ(TermsOf(d3), TermsOf(d2));
    TStridePoly<TCoefficient> notMultiple;
    notMultiple.Coeffs = {1, 1, 1};
    EXPECT_THROW(notMultiple.DivideByLoop(), std::logic_error);
}

TEST(StridePoly, SixtyFourBitOverflowIsCaughtAndExactValuesAreNot) {
    const std::int64_t big = std::numeric_limits<std::int64_t>::max() / 2 + 1;
    TStridePoly<std::int64_t> huge;
    huge.Coeffs = {big};
    // 2 * big is past the range: d^2 has the coefficient 2.
    TStridePoly<std::int64_t> sum;
    EXPECT_THROW(sum.AddTimesLoops(huge, 0, 2, 1), TCoefficientOverflow);
    // A sum that leaves the range on addition.
    TStridePoly<std::int64_t> twice;
    twice.AddTimesLoops(huge, 0, 0, 1);
    EXPECT_THROW(twice.AddTimesLoops(huge, 0, 0, 1), TCoefficientOverflow);
    // The most negative value is reached exactly, one step more is not.
    TStridePoly<std::int64_t> low;
    low.AddTimesLoops(huge, 0, 0, -1);
    low.AddTimesLoops(huge, 0, 0, -1);
    EXPECT_EQ(low.Coeffs[0], std::numeric_limits<std::int64_t>::min());
    TStridePoly<std::int64_t> one = TStridePoly<std::int64_t>::One();
    EXPECT_THROW(low.AddTimesLoops(one, 0, 0, -1), TCoefficientOverflow);

    // 128 bits hold that sum, and overflow in their turn.
    TStridePoly<TWideCoefficient> wide;
    wide.Coeffs = {static_cast<TWideCoefficient>(big)};
    TStridePoly<TWideCoefficient> wideSum;
    wideSum.AddTimesLoops(wide, 0, 2, 1);
    EXPECT_TRUE(wideSum.Coeffs[1] == static_cast<TWideCoefficient>(big) * 2);
    TStridePoly<TWideCoefficient> top;
    top.Coeffs = {std::numeric_limits<TWideCoefficient>::max() / 2 + 1};
    EXPECT_THROW(wideSum.AddTimesLoops(top, 0, 2, 1), TCoefficientOverflow);
    // A failed sum leaves the coefficient as it was.
    EXPECT_TRUE(wideSum.Coeffs[1] == static_cast<TWideCoefficient>(big) * 2);

    // The exact coefficients hold what 64 bits cannot.
    TStridePoly<TCoefficient> exact;
    exact.Coeffs = {TCoefficient(static_cast<long>(big))};
    TStridePoly<TCoefficient> product;
    product.AddTimesLoops(exact, 0, 2, 1);
    const TStridePoly<TCoefficient> once = product;
    product = TStridePoly<TCoefficient>{};
    product.AddTimesLoops(once, 0, 2, 1);
    // big * d^4: the middle coefficient is 6 * big = 3 * 2^63.
    ASSERT_EQ(product.Coeffs.size(), 5u);
    EXPECT_EQ(product.Coeffs[2], TCoefficient("27670116110564327424"));
}

// The unchecked sums a state whose bound fits its type takes must be the
// checked ones, for every loop count and length (the first and last
// coefficients are summed apart), also from wide sources of narrow values
// and near the edge of the range.
TEST(StridePoly, UncheckedSumsWithinTheBoundAreTheCheckedOnes) {
    std::mt19937_64 rng(17);
    for (int round = 0; round < 600; ++round) {
        const int loops = round % 3;
        const std::size_t length = 1 + static_cast<std::size_t>(round / 3) % 9;
        // Sources below 2^60, so that four of them fit 63 bits.
        const std::int64_t edge = std::int64_t{1} << 60;
        std::uniform_int_distribution<std::int64_t> value(-edge + 1, edge - 1);
        std::vector<std::int64_t> source(length);
        std::vector<TWideCoefficient> wide(length);
        for (std::size_t i = 0; i < length; ++i) wide[i] = source[i] = round % 5 == 0 ? edge - 1 : value(rng);
        std::vector<std::int64_t> checked(length + 2), unchecked(length + 2), fromWide(length + 2);
        for (std::size_t i = 0; i < length + 2; ++i) checked[i] = unchecked[i] = fromWide[i] = value(rng) / 4;
        AddTimesLoops(checked.data(), source.data(), length, loops, 1);
        AddTimesLoopsWithin(unchecked.data(), source.data(), length, loops);
        AddTimesLoopsWithin(fromWide.data(), wide.data(), length, loops);
        ASSERT_EQ(unchecked, checked) << round;
        ASSERT_EQ(fromWide, checked) << round;
    }
}

// A state whose sums may pass 63 bits is laid out wide, one whose sums
// cannot stays narrow: the bound is the largest bit length added, plus
// log2 of the number of sums rounded up.
TEST(PairingTable, LayoutKeepsNarrowOnlyWhatCannotPass63Bits) {
    struct Case {
        std::vector<int> Added;  // the bit length of each polynomial added
        bool Wide;
    };
    const std::vector<Case> cases = {
        {{63}, false}, {{64}, true},     {{62, 62}, false},     {{62, 63}, true},
        {{61, 61, 61}, false}, {{62, 1, 1}, true}, {{61, 61, 61, 61}, false}, {{61, 1, 1, 1, 1}, true},
    };
    TPairingTable table(2);
    for (std::size_t c = 0; c < cases.size(); ++c) {
        // Ends 0 and 1 paired, and a class of its own (a key of 3 bytes).
        std::vector<std::uint8_t> key(16, 0);
        key[0] = 1;
        key[2] = static_cast<std::uint8_t>(c);
        const std::size_t state = table.FindOrAdd(key.data());
        for (const int bits : cases[c].Added) table.Cover(state, 0, 1, bits);
    }
    const TLayoutCounts counts = table.Layout(63);
    std::size_t wide = 0;
    for (std::size_t c = 0; c < cases.size(); ++c) {
        EXPECT_EQ(table.Span(c).Wide, cases[c].Wide) << c;
        wide += cases[c].Wide ? 1 : 0;
    }
    EXPECT_EQ(counts.Wide, wide);
    EXPECT_EQ(counts.Narrow, cases.size() - wide);
}

// With the full hash, with every key colliding (hash 0) and with two hash
// values: equal keys meet, others do not, through the index's growth.
TEST(PairingTable, EqualKeysMeetAndOthersDoNot) {
    for (const std::uint32_t bits : {~std::uint32_t{0}, std::uint32_t{0}, std::uint32_t{1} << 31}) {
        TPairingTable table(8, bits);
        std::mt19937 rng(9);
        std::vector<std::vector<std::uint8_t>> keys;
        std::vector<int> order{0, 1, 2, 3, 4, 5, 6, 7};
        for (int i = 0; i < 3000; ++i) {
            std::shuffle(order.begin(), order.end(), rng);
            std::vector<std::uint8_t> key(9);
            for (std::size_t k = 0; k < 8; k += 2) {
                key[static_cast<std::size_t>(order[k])] = static_cast<std::uint8_t>(order[k + 1]);
                key[static_cast<std::size_t>(order[k + 1])] = static_cast<std::uint8_t>(order[k]);
            }
            key[8] = static_cast<std::uint8_t>(i % 4);
            keys.push_back(key);
        }
        std::vector<std::size_t> found;
        for (const auto& key : keys) found.push_back(table.FindOrAdd(key.data()));
        std::set<std::vector<std::uint8_t>> distinct(keys.begin(), keys.end());
        ASSERT_EQ(table.Count(), distinct.size()) << bits;
        ASSERT_GT(table.Count(), 300u);  // 105 pairings of eight ends, four classes: the index grew
        for (std::size_t i = 0; i < keys.size(); ++i) {
            ASSERT_TRUE(std::equal(keys[i].begin(), keys[i].end(), table.Key(found[i])));
            ASSERT_EQ(table.FindOrAdd(keys[i].data()), found[i]);
        }
    }
}

// The buckets of a step of 40,000 smoothings (every seventh one dead), with
// the full hash, every hash equal and two hash values, placed and numbered on
// one and on four threads: equal keys, and only those, share a state; its
// list holds every live smoothing once, sorted by state and in order within
// one; the states numbered by their first smoothings are those one thread
// taking the keys in order numbers; and they are the same on four threads.
TEST(SmoothingBuckets, NumberTheStatesOfEqualKeysAsOneThreadDoes) {
    constexpr std::size_t Items = 40000, Length = 5;
    std::mt19937 rng(10);
    std::uniform_int_distribution<int> byte(0, 6);
    std::vector<std::uint8_t> keys(Items * Length);
    for (std::uint8_t& b : keys) b = static_cast<std::uint8_t>(byte(rng) / 2);
    const auto live = [](std::size_t i) { return i % 7 != 3; };
    const TPairingTable hasher(static_cast<int>(Length) - 1);
    for (const std::uint32_t mask : {~std::uint32_t{0}, std::uint32_t{0}, std::uint32_t{1} << 31}) {
        std::vector<std::uint32_t> hashes(Items);
        for (std::size_t i = 0; i < Items; ++i) hashes[i] = hasher.Hash(&keys[i * Length]) & mask;
        std::vector<std::uint32_t> oneThread;
        for (const unsigned parts : {1u, 4u}) {
            TSmoothingBuckets buckets;
            buckets.Start(Items, parts);
            RunParts(parts, [&](unsigned Part) {
                buckets.Count(Part, PartBegin(Items, parts, Part), PartBegin(Items, parts, Part + 1), hashes.data(), live);
            });
            ASSERT_EQ(buckets.Lay(), Items - Items / 7);
            RunParts(parts, [&](unsigned Part) {
                buckets.Place(Part, PartBegin(Items, parts, Part), PartBegin(Items, parts, Part + 1), hashes.data(), live);
            });
            std::vector<std::uint32_t> local(Items, ~std::uint32_t{0});
            std::vector<TBucketScratch> scratch(parts);
            RunParts(parts, [&](unsigned Part) {
                for (std::size_t b = Part; b < buckets.Buckets(); b += parts)
                    buckets.Number(b, scratch[Part], keys.data(), Length, hashes.data(),
                                   [&](std::size_t i, std::uint32_t state) { local[i] = state; });
            });
            // The states of the step numbered over the buckets in the order
            // of their first smoothings.
            std::vector<std::uint32_t> state(Items, ~std::uint32_t{0});
            std::map<std::uint32_t, std::pair<std::size_t, std::uint32_t>> firsts;
            for (std::size_t b = 0; b < buckets.Buckets(); ++b)
                for (std::uint32_t j = 0; j < buckets.States(b); ++j) firsts[buckets.Firsts[buckets.Begin(b) + j]] = {b, j};
            std::map<std::pair<std::size_t, std::uint32_t>, std::uint32_t> number;
            for (const auto& [first, local] : firsts) number.emplace(local, static_cast<std::uint32_t>(number.size()));
            std::map<std::vector<std::uint8_t>, std::uint32_t> stateOfKey;
            for (std::size_t b = 0; b < buckets.Buckets(); ++b) {
                for (std::size_t k = buckets.Begin(b); k < buckets.Begin(b + 1); ++k) {
                    const std::uint32_t i = buckets.List[k];
                    ASSERT_TRUE(live(i));
                    ASSERT_EQ(buckets.BucketOf(hashes[i]), b);
                    ASSERT_EQ(state[i], ~std::uint32_t{0}) << "listed twice";
                    ASSERT_LT(local[i], buckets.States(b));
                    state[i] = number.at({b, local[i]});
                    if (k > buckets.Begin(b)) {
                        const std::uint32_t before = buckets.List[k - 1];
                        ASSERT_TRUE(local[before] < local[i] || (local[before] == local[i] && before < i));
                    }
                    // A key met for the first time in the order of the
                    // smoothings opens the next state.
                    const std::vector<std::uint8_t> key(&keys[i * Length], &keys[(i + 1) * Length]);
                    const auto [at, fresh] = stateOfKey.emplace(key, state[i]);
                    ASSERT_EQ(at->second, state[i]);
                    ASSERT_EQ(fresh, buckets.Firsts[buckets.Begin(b) + local[i]] == i);
                }
            }
            // Taken in order, the first smoothings open the states 0, 1, 2...
            std::uint32_t opened = 0;
            for (std::size_t i = 0; i < Items; ++i) {
                if (!live(i)) continue;
                ASSERT_LE(state[i], opened);
                if (state[i] == opened) ++opened;
            }
            ASSERT_EQ(opened, stateOfKey.size());
            for (std::size_t i = 0; i < Items; ++i) ASSERT_EQ(state[i] != ~std::uint32_t{0}, live(i));
            if (parts == 1) oneThread = state;
            else EXPECT_EQ(state, oneThread) << mask;
        }
    }
}

TEST(CrossingOrder, EveryCrossingOnceAndSmallBoundaries) {
    std::mt19937 rng(31);
    for (int round = 0; round < 60; ++round) {
        const int strands = 2 + round % 5;
        const TKnot k = testing::BraidClosure(strands, testing::RandomBraidWord(rng, strands, 1 + round));
        const TPortGraph g = BuildPortGraph(k);
        const TCrossingOrder order = ChooseOrder(g);
        std::vector<std::int32_t> sorted = order.Crossings;
        std::sort(sorted.begin(), sorted.end());
        std::vector<std::int32_t> all(static_cast<std::size_t>(g.Crossings));
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(sorted, all);
        // A closed braid can be swept strand level by level: no order needs
        // more than twice the strands plus a crossing's four ports.
        EXPECT_LE(order.MaxWidth, 2 * strands + 4) << "round " << round;
        EXPECT_EQ(order.Widths.back(), 0);
        EXPECT_EQ(order.MaxWidth, *std::max_element(order.Widths.begin(), order.Widths.end()));
    }
    // The twist of the (2, n) torus codes is taken along its length.
    EXPECT_LE(ChooseOrder(BuildPortGraph(testing::TorusTwo(40))).MaxWidth, 4);
    // Port graphs of random codes: every node's mate's mate is itself.
    for (int round = 0; round < 50; ++round) {
        const TPortGraph g = BuildPortGraph(testing::RandomPortCode(rng, 1 + round % 9, 2));
        for (std::size_t v = 0; v < g.Mate.size(); ++v) {
            EXPECT_NE(g.Mate[v], static_cast<std::int32_t>(v));
            EXPECT_EQ(g.Mate[static_cast<std::size_t>(g.Mate[v])], static_cast<std::int32_t>(v));
        }
    }
}

}  // namespace
}  // namespace ravelon
