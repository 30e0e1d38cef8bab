// SPDX-License-Identifier: GPL-3.0-or-later
// Torus knots and links of up to 40 crossings against values found without
// either method: the published Jones polynomial of the (p, q) torus knots and
// the bracket of the (2, n) torus links from the twist recursion.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "knot/Knot.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"

namespace ravelon {
namespace {

using testing::NonZero;
using Terms = testing::TTermMap;

// The Jones polynomial of the (p, q) torus knot, p and q coprime:
// t^((p-1)(q-1)/2) (1 - t^(p+1) - t^(q+1) + t^(p+q)) / (1 - t^2).
Terms TorusKnotJones(int p, int q) {
    std::vector<long> num(static_cast<std::size_t>(p + q + 1), 0);
    num[0] += 1;
    num[static_cast<std::size_t>(p + 1)] -= 1;
    num[static_cast<std::size_t>(q + 1)] -= 1;
    num[static_cast<std::size_t>(p + q)] += 1;
    // Dividing by 1 - t^2: quot[k] = num[k] + quot[k - 2].
    std::vector<long> quot(num.size(), 0);
    for (std::size_t k = 0; k < num.size(); ++k) quot[k] = num[k] + (k >= 2 ? quot[k - 2] : 0);
    EXPECT_EQ(quot[num.size() - 1], 0);
    EXPECT_EQ(quot[num.size() - 2], 0);
    Terms r;
    const int shift = (p - 1) * (q - 1) / 2;
    for (std::size_t k = 0; k < quot.size(); ++k)
        if (quot[k] != 0) r[{static_cast<int>(k) + shift, 1}] = quot[k];
    return r;
}

// The bracket of the closure of sigma_1^n. Smoothing one crossing of the twist
// by A leaves the closure of sigma_1^(n-1); smoothing it by A^-1 leaves a
// single loop with n - 1 curls, each of which multiplies the bracket by -A^-3:
// <T_n> = A <T_(n-1)> + A^-1 (-A^-3)^(n-1), with <T_0> = d = -A^2 - A^-2 (the
// closure of the empty braid on two strands is two loops).
std::map<int, long> TwistBracket(int n) {
    std::map<int, long> t = {{2, -1}, {-2, -1}};
    for (int k = 1; k <= n; ++k) {
        std::map<int, long> next;
        for (const auto& [e, c] : t) next[e + 1] += c;
        next[-1 - 3 * (k - 1)] += (k - 1) % 2 ? -1 : 1;
        t = std::move(next);
    }
    return t;
}

Terms AsTerms(const std::map<int, long>& m) {
    Terms r;
    for (const auto& [e, c] : m)
        if (c != 0) r[{e, 1}] = c;
    return r;
}

// The closure of (sigma_1 ... sigma_(p-1))^q.
TKnot TorusBraid(int p, int q) {
    std::vector<int> word;
    for (int i = 0; i < q; ++i)
        for (int g = 1; g < p; ++g) word.push_back(g);
    return testing::BraidClosure(p, word);
}

TEST(TorusCodes, TwistRecursionMatchesTheStateSum) {
    for (int n = 0; n <= 10; ++n) {
        TPoly p(0);
        testing::TorusTwo(n).StateSumBracket(p);
        EXPECT_EQ(NonZero(p), AsTerms(TwistBracket(n))) << "n = " << n;
    }
}

TEST(TorusCodes, TwoStrandKnotsAndLinksUpToFortyCrossings) {
    for (int n = 1; n <= 41; ++n) {
        const TKnot k = testing::TorusTwo(n);
        TPoly bracket(0);
        k.Bracket(bracket);
        EXPECT_EQ(NonZero(bracket), AsTerms(TwistBracket(n))) << "n = " << n;
        if (n % 2 == 1 && n >= 3) {
            TPoly jones(0);
            k.Jones(jones);
            EXPECT_EQ(NonZero(jones), TorusKnotJones(2, n)) << "T(2, " << n << ")";
        }
    }
}

TEST(TorusCodes, KnotsOnMoreStrandsUpToFortyCrossings) {
    const std::vector<std::pair<int, int>> knots = {{3, 4},  {3, 5},  {3, 7}, {3, 8}, {3, 10}, {3, 11}, {3, 13},
                                                    {3, 14}, {3, 16}, {3, 17}, {3, 19}, {3, 20}, {4, 5},
                                                    {4, 7},  {4, 9},  {4, 11}, {4, 13}, {5, 6},  {5, 7},
                                                    {5, 8},  {5, 9},  {6, 7}};
    for (const auto& [p, q] : knots) {
        const TKnot k = TorusBraid(p, q);
        ASSERT_LE(k.FCrossingCount(), 40);
        TPoly jones(0);
        k.Jones(jones);
        EXPECT_EQ(NonZero(jones), TorusKnotJones(p, q)) << "T(" << p << ", " << q << ")";
    }
}

}  // namespace
}  // namespace ravelon
