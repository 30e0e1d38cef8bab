// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "diagram/Draw.h"
#include "tests/diagram/DiagramSupport.h"

namespace ravelon {
namespace {

using testing::DrawPolygon;

class Editing : public ::testing::Test {
protected:
    void SetUp() override { ResetEditState(); }
};

TEST_F(Editing, TriangleDrawnClosedAndUndone) {
    TDraw d;
    d.BeginGroup({100, 100});
    EXPECT_FALSE(d.CloseGroup());
    d.ExtendGroup({200, 100});
    EXPECT_FALSE(d.CloseGroup());
    EXPECT_EQ(d.FLineCount(), 1);
    d.ExtendGroup({150, 200});
    EXPECT_TRUE(d.CloseGroup());
    EXPECT_EQ(d.FGroupCount, 1);
    ASSERT_EQ(d.FLineCount(), 3);
    EXPECT_EQ(d.FLines[2], (TDrawLine{2, 0, 0}));
    EXPECT_TRUE(d.FOver[1][0] && d.FOver[2][0] && d.FOver[2][1]);
    EXPECT_FALSE(d.FOver[0][1] || d.FOver[0][2] || d.FOver[1][2] || d.FOver[0][0]);

    d.Undo();  // removes the closing line only: the group is open again
    EXPECT_EQ(DrawMode, TDrawMode::Drawing);
    EXPECT_EQ(d.FPointCount(), 3);
    EXPECT_EQ(d.FLineCount(), 2);
    EXPECT_EQ(d.FGroupCount, 0);
    EXPECT_EQ(OpenGroupStart, 0);
    EXPECT_EQ(StartPoint, (TPoint{100, 100}));
    EXPECT_EQ(LastPoint, (TPoint{150, 200}));
    d.Undo();
    EXPECT_EQ(d.FPointCount(), 2);
    EXPECT_EQ(d.FLineCount(), 1);
    EXPECT_EQ(LastPoint, (TPoint{200, 100}));
    d.Undo();
    EXPECT_EQ(d.FPointCount(), 1);
    EXPECT_EQ(d.FLineCount(), 0);
    EXPECT_EQ(DrawMode, TDrawMode::Drawing);
    d.Undo();
    EXPECT_EQ(d.FPointCount(), 0);
    EXPECT_EQ(DrawMode, TDrawMode::Idle);
    EXPECT_EQ(LastPoint, (TPoint{100, 100}));  // kept
    d.Undo();  // nothing left: nothing happens
    EXPECT_EQ(d, TDraw{});

    // Undo of an open group's only point returns to idle.
    DrawPolygon(d, {{10, 10}, {90, 10}, {50, 90}});
    d.BeginGroup({300, 300});
    d.Undo();
    EXPECT_EQ(DrawMode, TDrawMode::Idle);
    EXPECT_EQ(d.FPointCount(), 3);
    EXPECT_EQ(LastPoint, (TPoint{50, 90}));
}

TEST_F(Editing, NewLinesPassOverAndSwapsSurvive) {
    TDraw d;
    d.BeginGroup({100, 100});
    d.ExtendGroup({200, 200});  // line 0
    d.ExtendGroup({200, 100});  // line 1, shares an end with line 0
    d.ExtendGroup({100, 200});  // line 2 crosses line 0
    EXPECT_EQ(d.FCross[2][0], (TPoint{150, 150}));
    EXPECT_EQ(d.FCross[0][2], (TPoint{150, 150}));
    EXPECT_EQ(d.FCross[1][0], (TPoint{}));
    EXPECT_TRUE(d.FOver[2][0]);
    d.SwapCrossing(0, 2);
    EXPECT_TRUE(d.FOver[0][2]);
    EXPECT_FALSE(d.FOver[2][0]);
    EXPECT_TRUE(d.CloseGroup());
    d.Undo();  // the closing line goes, the swap between 0 and 2 stays
    EXPECT_TRUE(d.FOver[0][2]);

    const TDraw before = d;
    d.ReverseAll();
    EXPECT_FALSE(d.FOver[0][2]);
    EXPECT_FALSE(d.FOver[1][1]);
    d.ReverseAll();
    EXPECT_EQ(d, before);
    TDraw empty;
    empty.ReverseAll();
    EXPECT_EQ(empty, TDraw{});
}

TEST_F(Editing, MovingKeepsOverUnderAndRecomputesCrossings) {
    TDraw d;
    DrawPolygon(d, {{100, 100}, {200, 100}, {200, 200}, {100, 200}});  // lines 0..3
    DrawPolygon(d, {{300, 120}, {400, 120}, {350, 180}});             // lines 4..6
    d.SwapCrossing(1, 4);
    EXPECT_EQ(d.FCross[4][1], (TPoint{}));
    TPoint next{-1, -1}, prev{-1, -1};
    d.GetNeighbours(5, next, prev);
    EXPECT_EQ(next, (TPoint{350, 180}));
    EXPECT_EQ(prev, (TPoint{300, 120}));
    d.MovePoint(4, {150, 150});  // line 4 (150,150)->(400,120) and line 6 now cross line 1
    EXPECT_EQ(d.FCross[4][1], d.CrossPoint(4, 1));
    EXPECT_GT(d.FCross[4][1].X, 0);
    EXPECT_GT(d.FCross[6][1].X, 0);
    EXPECT_TRUE(d.FOver[1][4]);  // the swapped value was kept
    d.MovePoint(4, {300, 120});
    EXPECT_EQ(d.FCross[4][1], (TPoint{}));
    EXPECT_EQ(d.FCross[1][4], (TPoint{}));

    // An open group's first point has no incoming line and its last point no
    // outgoing one: that side is left alone.
    d.BeginGroup({500, 500});
    d.ExtendGroup({600, 500});
    next = prev = {-1, -1};
    d.GetNeighbours(7, next, prev);
    EXPECT_EQ(next, (TPoint{600, 500}));
    EXPECT_EQ(prev, (TPoint{-1, -1}));
    next = prev = {-1, -1};
    d.GetNeighbours(8, next, prev);
    EXPECT_EQ(next, (TPoint{-1, -1}));
    EXPECT_EQ(prev, (TPoint{500, 500}));
    d.MovePoint(8, {150, 50});
    d.MovePoint(7, {150, 250});  // line 7 now runs straight through the square
    EXPECT_EQ(d.FCross[7][0], (TPoint{150, 100}));
    EXPECT_EQ(d.FCross[7][2], (TPoint{150, 200}));
}

// Property: after any sequence of editing operations the matrices agree with
// the geometry and with each other.
TEST_F(Editing, RandomEditsKeepMatricesConsistent) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-50, 1050), op(0, 9);
    for (int round = 0; round < 16; ++round) {
        TDraw d;
        ResetEditState();
        for (int step = 0; step < 90; ++step) {
            const int o = op(rng);
            const TPoint p{coord(rng), coord(rng)};
            if (DrawMode == TDrawMode::Idle && (o < 4 || d.FPointCount() == 0)) {
                d.BeginGroup(p);
                DrawMode = TDrawMode::Drawing;
            } else if (DrawMode == TDrawMode::Drawing && o < 6) {
                d.ExtendGroup(p);
            } else if (DrawMode == TDrawMode::Drawing && o < 7) {
                if (d.CloseGroup()) DrawMode = TDrawMode::Idle;
            } else if (o < 8 && d.FPointCount() > 0) {
                d.Undo();
            } else if (DrawMode == TDrawMode::Idle && o < 9 && d.FPointCount() > 0) {
                d.MovePoint(std::uniform_int_distribution<int>(0, d.FPointCount() - 1)(rng), p);
            } else if (d.FLineCount() > 1) {
                d.SwapCrossing(0, d.FLineCount() - 1);
            }
            if (step % 3 != 0) continue;
            const int l = d.FLineCount();
            ASSERT_EQ(static_cast<int>(d.FOver.size()), l);
            ASSERT_EQ(static_cast<int>(d.FCross.size()), l);
            for (int a = 0; a < l; ++a) {
                ASSERT_EQ(static_cast<int>(d.FOver[a].size()), l);
                ASSERT_EQ(static_cast<int>(d.FCross[a].size()), l);
                ASSERT_FALSE(d.FOver[a][a]);
                for (int b = 0; b < l; ++b) {
                    ASSERT_EQ(d.FCross[a][b], d.CrossPoint(a, b));
                    if (a != b) {
                        ASSERT_NE(d.FOver[a][b], d.FOver[b][a]);
                    }
                }
                ASSERT_EQ(d.FLines[a].StartIndex, a);
            }
        }
    }
}

}  // namespace
}  // namespace ravelon
