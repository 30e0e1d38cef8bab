// SPDX-License-Identifier: GPL-3.0-or-later
// The classical invariants of diagrams drawn with the editing operations:
// the sparse computations against the dense reference on knots and links a
// user can draw, crossings crowded on a small canvas included.
#include <gtest/gtest.h>

#include <random>

#include "classical/ClassicalInvariants.h"
#include "tests/diagram/DiagramSupport.h"

namespace ravelon {
namespace {

#ifdef RAVELON_SANITIZED_TESTS
constexpr int kDiagrams = 150;
#else
constexpr int kDiagrams = 300;
#endif

TEST(DrawnClassical, SparseAndDenseAgree) {
    std::mt19937 rng(616);
    std::uniform_int_distribution<int> groups(1, 3), canvas(0, 3);
    int links = 0, largest = 0;
    for (int drawn = 0; drawn < kDiagrams; ++drawn) {
        testing::TRandomShape shape;
        shape.Groups = groups(rng);
        shape.MaxPoints = 18 - 4 * shape.Groups;
        shape.Canvas = canvas(rng) == 0 ? 40 : 999;
        const TDraw d = testing::RandomDiagram(rng, shape);
        TKnot k;
        d.MakeKnot(k);
        largest = std::max(largest, k.FCrossingCount());
        links += shape.Groups > 1 ? 1 : 0;
        ASSERT_EQ(testing::NonZero(AlexanderPolynomial(k)), testing::NonZero(DenseAlexanderPolynomial(k))) << drawn;
        ASSERT_EQ(Signature(k), DenseSignature(k)) << drawn;
    }
    EXPECT_GT(largest, 40);
    EXPECT_GT(links, kDiagrams / 3);
}

}  // namespace
}  // namespace ravelon
