// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

#include "diagram/Geometry.h"
#include "diagram/Perturbation.h"

namespace ravelon {
namespace {

TEST(Geometry, CrossingPointsRoundHalvesToEven) {
    EXPECT_EQ(CrossPoint({10, 10}, {11, 11}, {10, 11}, {11, 10}), (TPoint{10, 10}));
    EXPECT_EQ(CrossPoint({10, 10}, {13, 13}, {10, 13}, {13, 10}), (TPoint{12, 12}));
    // Parallel lines, and lines that would cross only if extended, never cross.
    EXPECT_EQ(CrossPoint({10, 10}, {50, 10}, {10, 20}, {50, 20}), (TPoint{}));
    EXPECT_EQ(CrossPoint({10, 10}, {50, 10}, {60, 0}, {60, 20}), (TPoint{}));  // would cross if extended
}

// Exact rounding of Num / Den (Den > 0) to the nearest integer, halves to even.
std::int64_t RoundExact(TInt128 Num, TInt128 Den) {
    TInt128 q = Num / Den, r = Num % Den;
    if (r < 0) {
        --q;
        r += Den;
    }
    if (2 * r > Den || (2 * r == Den && q % 2 != 0)) ++q;
    return static_cast<std::int64_t>(q);
}

TEST(Geometry, CrossingPointsAreExactOnTheCanvasAndCloseFarAway) {
    std::mt19937 rng(7);
    int crossings = 0;
    for (int far = 0; far < 2; ++far) {
        const int span = far ? 2'000'000'000 : 999;
        std::uniform_int_distribution<std::int32_t> c(far ? -span / 2 - 100'000'000 : 0, far ? span / 2 : 999);
        for (int i = 0; i < 20000; ++i) {
            const TPoint p1{c(rng), c(rng)}, p2{c(rng), c(rng)}, p3{c(rng), c(rng)}, p4{c(rng), c(rng)};
            const TPoint x = CrossPoint(p1, p2, p3, p4);
            // Independent test of crossing: the parameters of the intersection
            // lie strictly inside both lines.
            const TInt128 d1x = TInt128{p2.X} - p1.X, d1y = TInt128{p2.Y} - p1.Y;
            const TInt128 d2x = TInt128{p4.X} - p3.X, d2y = TInt128{p4.Y} - p3.Y;
            const TInt128 den = d1x * d2y - d1y * d2x;
            const TInt128 ex = TInt128{p3.X} - p1.X, ey = TInt128{p3.Y} - p1.Y;
            TInt128 tn = ex * d2y - ey * d2x, un = ex * d1y - ey * d1x, dd = den;
            if (dd < 0) tn = -tn, un = -un, dd = -dd;
            const bool crosses = dd != 0 && tn > 0 && tn < dd && un > 0 && un < dd;
            if (!crosses) {
                EXPECT_EQ(x, (TPoint{}));
                continue;
            }
            ++crossings;
            // The exact point p1 + t*d1 with t = tn/dd.
            const TInt128 nx = TInt128{p1.X} * dd + tn * d1x, ny = TInt128{p1.Y} * dd + tn * d1y;
            if (!far) {
                EXPECT_EQ(x.X, RoundExact(nx, dd));
                EXPECT_EQ(x.Y, RoundExact(ny, dd));
            } else {
                const TInt128 ox = TInt128{x.X} * dd - nx, oy = TInt128{x.Y} * dd - ny;
                EXPECT_LE(ox < 0 ? -ox : ox, dd) << "more than a pixel off";
                EXPECT_LE(oy < 0 ? -oy : oy, dd) << "more than a pixel off";
            }
        }
    }
    EXPECT_GT(crossings, 5000);
}

TEST(Geometry, DistancesSignsAndFractions) {
    EXPECT_EQ(SquaredDistance({1, 2}, {4, 6}), 25);
    EXPECT_EQ(SquaredDistance({-2'000'000'000, 0}, {2'000'000'000, 0}), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(SquaredDistance({-1'000'000'000, 0}, {1'000'000'000, 0}), 4'000'000'000'000'000'000);
    EXPECT_TRUE(OppositeSigns(-1, 5));
    EXPECT_TRUE(OppositeSigns(3, -7));
    EXPECT_FALSE(OppositeSigns(0, -7));
    EXPECT_FALSE(OppositeSigns(2, 7));
    EXPECT_FALSE(OppositeSigns(-2, -7));

    // Exact comparison agrees with cross-multiplication on small terms and
    // stays exact on terms whose products would not fit 128 bits.
    std::mt19937 rng(3);
    std::uniform_int_distribution<std::int64_t> n(-1000, 1000), d(1, 1000);
    for (int i = 0; i < 5000; ++i) {
        const std::int64_t a = n(rng), b = d(rng), c = n(rng), e = d(rng);
        const TInt128 big = TInt128{1} << 80;
        const int expect = a * e < c * b ? -1 : (a * e > c * b ? 1 : 0);
        EXPECT_EQ(CompareFractions(a, b, c, e), expect);
        EXPECT_EQ(CompareFractions(a * big, b * big, c, e), expect);
        EXPECT_EQ(CompareFractions(a * big + 1, b * big, c * big, e * big), expect == 0 ? 1 : expect);
    }
}

}  // namespace
}  // namespace ravelon
