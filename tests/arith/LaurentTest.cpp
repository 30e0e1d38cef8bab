// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <stdexcept>
#include <vector>

#include "arith/Laurent.h"

namespace ravelon {
namespace {

// Random sums with repeated exponents and cancelling terms, against a map
// summed term by term; then each through TPoly and back, for divisors of
// both signs, and the exponents of the TPoly checked one by one.
TEST(Laurent, SumsAndTheWayThroughTPoly) {
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> count(0, 12), exponent(-9, 9), coefficient(-3, 3);
    for (int round = 0; round < 500; ++round) {
        std::vector<TLaurent::TTermOf> terms;
        std::map<std::int64_t, TCoefficient> oracle;
        for (int i = count(rng); i > 0; --i) {
            const int e = exponent(rng), c = coefficient(rng);
            terms.emplace_back(e, c);
            oracle[e] += c;
        }
        const TLaurent p(terms);
        std::vector<TLaurent::TTermOf> expected;
        for (auto it = oracle.rbegin(); it != oracle.rend(); ++it)
            if (it->second != 0) expected.push_back(*it);
        ASSERT_EQ(p.Terms(), expected) << "round " << round;

        for (const int divisor : {1, 2, -4}) {
            const TPoly poly = ToPoly(p, divisor);
            ASSERT_EQ(FromPoly(poly, divisor), p) << "round " << round << ", divisor " << divisor;
            if (p.IsZero()) {
                ASSERT_EQ(poly.FCount(), 1);
                EXPECT_EQ(poly.FTerms[0].Coefficient, 0);
                continue;
            }
            ASSERT_EQ(poly.FCount(), static_cast<int>(p.size()));
            for (int i = 0; i < poly.FCount(); ++i) {
                const TFraction e = poly.FTerms[static_cast<std::size_t>(i)].Exponent;
                if (i > 0) {
                    EXPECT_LT(CompareFractions(e, poly.FTerms[static_cast<std::size_t>(i - 1)].Exponent), 0);
                }
                EXPECT_EQ(Reduce(e).Num, e.Num);
            }
        }
        // Times: -x^3 P, term by term.
        const TLaurent moved = p.Times(-1, 3);
        ASSERT_EQ(moved.size(), p.size());
        for (std::size_t i = 0; i < p.size(); ++i) {
            EXPECT_EQ(moved.Terms()[i].first, p.Terms()[i].first + 3);
            EXPECT_EQ(moved.Terms()[i].second, -p.Terms()[i].second);
        }
    }
    TPoly half(0);
    half.FTerms[0].Exponent = MakeFraction(1, 2);
    half.FTerms[0].Coefficient = 1;
    EXPECT_THROW(FromPoly(half), std::invalid_argument);
    EXPECT_EQ(FromPoly(half, 2), TLaurent({{1, 1}}));
    EXPECT_THROW(ToPoly(TLaurent({{std::int64_t{1} << 40, 1}})), std::overflow_error);
}

}  // namespace
}  // namespace ravelon
