// The two bracket computations on diagrams drawn with the editing operations:
// the contraction must give the state sum's non-zero terms on every diagram a
// user can draw, curls, links and coincident crossing points included.
#include <gtest/gtest.h>

#include <random>

#include "tests/diagram/DiagramSupport.h"

namespace ravelon {
namespace {

#ifdef RAVELON_SANITIZED_TESTS
constexpr int kDiagrams = 60;  // the state sum is far slower under the sanitizers
#else
constexpr int kDiagrams = 2000;
#endif
constexpr int kMaxCrossings = 12;

TEST(BothBrackets, RandomDrawnDiagramsAgree) {
    std::mt19937 rng(515);
    std::uniform_int_distribution<int> groups(1, 3), canvas(0, 2);
    int compared = 0, largest = 0;
    while (compared < kDiagrams) {
        testing::TRandomShape shape;
        shape.Groups = groups(rng);
        shape.MinPoints = 3;
        shape.MaxPoints = 7 - shape.Groups;
        shape.Canvas = canvas(rng) == 0 ? 40 : 999;  // small canvases crowd crossings together
        const TDraw d = testing::RandomDiagram(rng, shape);
        TKnot k;
        d.MakeKnot(k);
        // Most of the state sum's time goes to the largest codes: keep a third of those.
        if (k.FCrossingCount() > kMaxCrossings || (k.FCrossingCount() > 9 && rng() % 3 != 0)) continue;
        ++compared;
        largest = std::max(largest, k.FCrossingCount());

        TPoly fast(0), reference(0);
        k.Bracket(fast);
        k.StateSumBracket(reference);
        ASSERT_EQ(testing::NonZero(fast), testing::NonZero(reference)) << "diagram " << compared;
        // The state sum's Jones polynomial from the bracket just computed.
        k.Jones(fast);
        ASSERT_EQ(testing::NonZero(fast), testing::NonZero(testing::JonesFromBracket(reference, k.Writhe())))
            << "diagram " << compared;
    }
    EXPECT_GE(largest, 10);
}

}  // namespace
}  // namespace ravelon
