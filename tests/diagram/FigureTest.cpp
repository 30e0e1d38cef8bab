// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history's snapshots and the geometry of the written figures.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "diagram/DiagramSnapshot.h"
#include "diagram/EditState.h"
#include "diagram/Figure.h"
#include "tests/diagram/DiagramSupport.h"

namespace ravelon {
namespace {

// Random diagrams, some with points moved and a group left open, come back
// exactly from their snapshots (crossings computed again included), with
// the editing state; a snapshot is far smaller than the matrices it spares.
TEST(DiagramSnapshot, RestoresDiagramAndEditingState) {
    std::mt19937 rng(31);
    for (int round = 0; round < 60; ++round) {
        TDraw d = testing::RandomDiagram(rng, {1 + round % 3, 3, 12});
        if (round % 2 == 0) d.MovePoint(static_cast<std::int32_t>(rng() % d.FPoints.size()), {int(rng() % 999), int(rng() % 999)});
        ResetEditState();
        if (round % 3 == 0) {
            d.BeginGroup({int(rng() % 999), int(rng() % 999)});
            d.ExtendGroup({int(rng() % 999), int(rng() % 999)});
            DrawMode = TDrawMode::Drawing;
            StartPoint = d.PointAt(d.FPointCount() - 2);
            LastPoint = CurrentPoint = d.PointAt(d.FPointCount() - 1);
        }
        const TDiagramSnapshot s = TDiagramSnapshot::Take(d, 640 + round, 480);
        const TDrawMode mode = DrawMode;
        const TPoint last = LastPoint;
        ResetEditState();
        TDraw back;
        back.BeginGroup({1, 1});
        s.Restore(back);
        EXPECT_EQ(back, d) << round;
        EXPECT_EQ(DrawMode, mode);
        EXPECT_EQ(LastPoint, last);
        EXPECT_EQ(s.Width(), 640 + round);
        EXPECT_EQ(TDiagramSnapshot::Take(back, 640 + round, 480), s);
        EXPECT_LT(s.Bytes(), 400 + 24 * d.FPoints.size() + d.FLines.size() * d.FLines.size() / 8);
    }
    // A point being moved is taken as at rest.
    ResetEditState();
    DrawMode = TDrawMode::Moving;
    TDraw d;
    TDiagramSnapshot::Take(d, 1, 1).Restore(d);
    EXPECT_EQ(DrawMode, TDrawMode::Idle);
}

// The pieces outside the discs are exactly the points of the segment farther
// than the radius from every centre, sampled along it.
TEST(Figure, PiecesOutsideDiscsAreThePointsOutsideEveryDisc) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> coordinate(0, 100);
    for (int round = 0; round < 300; ++round) {
        const TFigurePoint from{coordinate(rng), coordinate(rng)}, to{coordinate(rng), coordinate(rng)};
        std::vector<TFigurePoint> centres;
        for (int k = 0; k < static_cast<int>(rng() % 5); ++k) centres.push_back({coordinate(rng), coordinate(rng)});
        const std::vector<TFigurePiece> pieces = OutsideDiscs(from, to, centres, 9);
        for (int i = 0; i <= 200; ++i) {
            const double t = i / 200.0;
            const TFigurePoint p{from.X + t * (to.X - from.X), from.Y + t * (to.Y - from.Y)};
            double nearest = 1e9;
            for (const TFigurePoint& c : centres) nearest = std::min(nearest, std::hypot(p.X - c.X, p.Y - c.Y));
            if (std::abs(nearest - 9) < 1e-6) continue;  // on a circle: either way
            bool covered = false;
            for (const TFigurePiece& q : pieces) {
                // p on q: within the piece's bounding box along the same line.
                const double len = std::hypot(q.To.X - q.From.X, q.To.Y - q.From.Y);
                const double along = std::hypot(p.X - q.From.X, p.Y - q.From.Y) + std::hypot(p.X - q.To.X, p.Y - q.To.Y);
                covered = covered || along <= len + 1e-9;
            }
            EXPECT_EQ(covered, nearest > 9) << round << " t=" << t;
        }
    }
}

// The figure of a drawn diagram: one stroke per line, whose pieces end
// outside every gap where it passes under (OutsideDiscs keeps them out of
// the gaps between their ends); arrowheads only when asked.
TEST(Figure, PiecesEndOutsideTheGapsAndArrowheadsComeWhenAsked) {
    std::mt19937 rng(8);
    for (int round = 0; round < 30; ++round) {
        const TDraw d = testing::RandomDiagram(rng, {2, 3, 9});
        const TFigure plain = FigureOf(d, false, 999, 999);
        ASSERT_EQ(plain.Lines.size(), d.FLines.size());
        EXPECT_EQ(plain.Points.size(), d.FPoints.size());
        for (std::size_t i = 0; i < d.FLines.size(); ++i) {
            for (const TFigurePiece& piece : plain.Lines[i].Pieces)
                for (std::size_t j = 0; j < d.FLines.size(); ++j) {
                    const TPoint c = d.FCross[i][j];
                    if (!IsCrossing(c) || d.FOver[i][j]) continue;
                    // No end of a piece lies inside a gap.
                    for (const TFigurePoint& end : {piece.From, piece.To})
                        EXPECT_GE(std::hypot(end.X - c.X, end.Y - c.Y), GapRadius - 1e-6);
                }
        }
        const TFigure arrows = FigureOf(d, true, 999, 999);
        std::size_t without = 0, with = 0;
        for (std::size_t i = 0; i < d.FLines.size(); ++i) {
            EXPECT_GE(arrows.Lines[i].Pieces.size(), plain.Lines[i].Pieces.size());
            without += plain.Lines[i].Pieces.size();
            with += arrows.Lines[i].Pieces.size();
        }
        EXPECT_GT(with, without);
    }
}

}  // namespace
}  // namespace ravelon
