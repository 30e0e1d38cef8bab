// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "arith/Fraction.h"

namespace ravelon {
namespace {

void ExpectFraction(TFraction f, int num, int den) {
    EXPECT_EQ(f.Num, num);
    EXPECT_EQ(f.Den, den);
}

// Euclid by repeated subtraction, the textbook definition the fast GCD must match.
int SubtractionGcd(int a, int b) {
    if (a == 0 || b == 0) return 1;
    int x = a < 0 ? -a : a, y = b < 0 ? -b : b;
    while (x != y) {
        if (y > x) y -= x;
        else x -= y;
    }
    return x;
}

TEST(Fraction, GcdAndReduceKeepTheirRules) {
    EXPECT_EQ(GCD(0, 5), 1);
    EXPECT_EQ(GCD(5, 0), 1);
    EXPECT_EQ(GCD(-12, 18), 6);
    EXPECT_EQ(GCD(7, 7), 7);

    ExpectFraction(Reduce(MakeFraction(6, -4)), -3, 2);
    ExpectFraction(Reduce(MakeFraction(-4, -4)), 1, 1);
    ExpectFraction(Reduce(MakeFraction(0, -4)), 0, 4);
    ExpectFraction(MakeFraction(6, -4), 6, -4);  // built unreduced
}

TEST(Fraction, FastGcdMatchesRepeatedSubtraction) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> d(-2000, 2000);
    for (int i = 0; i < 5000; ++i) {
        const int a = d(rng), b = d(rng);
        ASSERT_EQ(GCD(a, b), SubtractionGcd(a, b)) << a << " " << b;
    }
}

TEST(Fraction, CompareAndAdd) {
    EXPECT_EQ(CompareFractions(MakeFraction(1, 2), MakeFraction(1, 3)), 1);
    EXPECT_EQ(CompareFractions(MakeFraction(0, 4), MakeFraction(0, 1)), 0);
    EXPECT_LT(CompareFractions(MakeFraction(-1, 2), MakeFraction(1, 4)), 0);

    ExpectFraction(AddFractions(MakeFraction(1, 2), MakeFraction(-1, 2)), 0, 4);
    ExpectFraction(AddFractions(MakeFraction(1, 4), MakeFraction(1, 4)), 1, 2);
    ExpectFraction(AddFractions(MakeFraction(3, 1), MakeFraction(-5, 1)), -2, 1);

    ExpectFraction(DivideFraction(MakeFraction(4, 1), -4), -1, 1);
    ExpectFraction(DivideFraction(MakeFraction(6, 1), -4), -3, 2);
    ExpectFraction(DivideFraction(MakeFraction(0, 1), -4), 0, 4);
}

TEST(Fraction, LargeOperandsAreExactOrRefused) {
    // The cross products of 32-bit fractions are formed in 64 bits.
    const TFraction big = MakeFraction(2000000000, 3);
    const TFraction big2 = MakeFraction(2000000001, 3);
    EXPECT_LT(CompareFractions(big, big2), 0);
    EXPECT_GT(CompareFractions(big2, big), 0);
    ExpectFraction(AddFractions(MakeFraction(1999999999, 2), MakeFraction(-1999999999, 2)), 0, 4);
    // A sum whose reduced form leaves 32 bits is refused, never wrapped.
    EXPECT_THROW(AddFractions(MakeFraction(2000000000, 1), MakeFraction(2000000000, 1)), std::overflow_error);
    EXPECT_THROW(AddFractions(MakeFraction(1, 65537), MakeFraction(1, 65539)), std::overflow_error);
}

}  // namespace
}  // namespace ravelon
