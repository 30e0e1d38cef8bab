// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "arith/Poly.h"

namespace ravelon {
namespace {

// The exponents of P, in storage order, as "num/den".
std::vector<std::string> Exponents(const TPoly& p) {
    std::vector<std::string> r;
    for (const TTerm& t : p.FTerms) r.push_back(std::to_string(t.Exponent.Num) + "/" + std::to_string(t.Exponent.Den));
    return r;
}

std::vector<long> Coefficients(const TPoly& p) {
    std::vector<long> r;
    for (const TTerm& t : p.FTerms) r.push_back(t.Coefficient.get_si());
    return r;
}

using S = std::vector<std::string>;
using C = std::vector<long>;

TEST(Poly, SetTermReplacesOrAppends) {
    TPoly p(0);
    p.SetTerm(0, 1);
    EXPECT_EQ(Exponents(p), S({"0/1"}));
    EXPECT_EQ(Coefficients(p), C({1}));
    p.SetTerm(5, 2);
    p.SetTerm(5, 3);
    EXPECT_EQ(Exponents(p), S({"0/1", "5/1"}));
    EXPECT_EQ(Coefficients(p), C({1, 3}));
    p.SetConstant(-7);
    EXPECT_EQ(p.FCount(), 1);
    EXPECT_EQ(Coefficients(p), C({-7}));
}

TEST(Poly, ProductsKeepFirstAppearanceOrderAndZeros) {
    TPoly one(1), m(0);
    m.SetTerm(1, 1);
    one.Multiply(m);
    EXPECT_EQ(Exponents(one), S({"0/1", "1/1"}));
    EXPECT_EQ(Coefficients(one), C({0, 1}));

    // (A + A^-1) * (A + A^-1): Other's terms outer, Self's inner: A^2, A^0, A^0, A^-2.
    TPoly a(0);
    a.SetTerm(1, 1);
    a.SetTerm(-1, 1);
    TPoly b;
    b.Assign(a);
    a.Multiply(b);
    EXPECT_EQ(Exponents(a), S({"0/1", "1/1", "-1/1", "2/1", "-2/1"}));
    EXPECT_EQ(Coefficients(a), C({2, 0, 0, 1, 1}));

    // Adding appends unknown exponents at the end, after the ones met earlier.
    TPoly x(0), y(3);
    x.SetTerm(2, 1);
    y.SetTerm(-2, 4);
    y.SetTerm(2, -1);
    x.Add(y);
    EXPECT_EQ(Exponents(x), S({"0/1", "2/1", "-2/1"}));
    EXPECT_EQ(Coefficients(x), C({3, 0, 4}));
}

TEST(Poly, PowerDivideAndSort) {
    TPoly p(0);
    p.SetTerm(3, 2);
    p.Power(0);
    EXPECT_EQ(Coefficients(p), C({1}));
    p.SetTerm(1, 1);
    p.Power(-1);
    EXPECT_EQ(p.FCount(), 1);
    EXPECT_EQ(Coefficients(p), C({0}));

    TPoly q(0);
    for (int e : {4, 2, 0, -2, -4}) q.SetTerm(e, e + 10);
    q.DivideExponents(-4);
    EXPECT_EQ(Exponents(q), S({"0/4", "-1/1", "-1/2", "1/2", "1/1"}));

    TPoly r(0);
    for (int e : {0, 2, -2, 4, -4}) r.SetTerm(e, 1);
    r.Sort();
    EXPECT_EQ(Exponents(r), S({"4/1", "2/1", "0/1", "-2/1", "-4/1"}));

    // A zero exponent with another denominator meets the plain zero.
    TPoly h(0);
    h.SetTerm(2, 1);
    h.DivideExponents(-4);       // 0/4, -1/2
    TPoly k(5);                  // 0/1
    h.Add(k);
    EXPECT_EQ(h.FCount(), 2);
    EXPECT_EQ(h.CoefficientOf(MakeFraction(0, 1)), 5);
}

TEST(Poly, CoefficientsAreExactBeyondSixtyFourBits) {
    TPoly p(1);
    p.SetTerm(1, 1);
    p.Power(100);
    EXPECT_EQ(p.CoefficientOf(MakeFraction(50, 1)), TCoefficient("100891344545564193334812497256"));
    TPoly q(1);
    q.SetTerm(1, -1);  // (1 - x)^100 times (1 + x)^100 is (1 - x^2)^100
    q.Power(100);
    p.Multiply(q);
    EXPECT_EQ(p.CoefficientOf(MakeFraction(100, 1)), TCoefficient("100891344545564193334812497256"));
    EXPECT_EQ(p.CoefficientOf(MakeFraction(99, 1)), 0);
}

// Independent truth: a product computed on a map from exponent to coefficient.
TEST(Poly, MultiplyAndAddAgreeWithAMapOracle) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> exp(-6, 6), coef(-5, 5), len(1, 6);
    for (int round = 0; round < 300; ++round) {
        TPoly a(0), b(0);
        std::map<int, long> ma{{0, 0}}, mb{{0, 0}};  // a new polynomial holds 0 * x^0
        for (int i = len(rng); i > 0; --i) {
            const int e = exp(rng), c = coef(rng);
            a.SetTerm(e, c);
            ma[e] = c;
        }
        for (int i = len(rng); i > 0; --i) {
            const int e = exp(rng), c = coef(rng);
            b.SetTerm(e, c);
            mb[e] = c;
        }
        std::map<int, long> prod, sum = ma;
        for (auto [ea, ca] : ma)
            for (auto [eb, cb] : mb) prod[ea + eb] += ca * cb;
        for (auto [eb, cb] : mb) sum[eb] += cb;

        TPoly p;
        p.Assign(a);
        p.Multiply(b);
        TPoly s;
        s.Assign(a);
        s.Add(b);
        for (auto [e, c] : prod) ASSERT_EQ(p.CoefficientOf(MakeFraction(e, 1)), c);
        for (auto [e, c] : sum) ASSERT_EQ(s.CoefficientOf(MakeFraction(e, 1)), c);
        // Distinct exponents, and nothing beyond the oracle's terms.
        std::map<int, int> seen;
        for (const TTerm& t : p.FTerms) {
            ASSERT_EQ(t.Exponent.Den, 1);
            ASSERT_EQ(++seen[t.Exponent.Num], 1);
            ASSERT_TRUE(prod.count(t.Exponent.Num));
        }
    }
}

}  // namespace
}  // namespace ravelon
