// SPDX-License-Identifier: GPL-3.0-or-later
// Drawings that are not in general position: checked against an explicit
// move of the points with exact rational coordinates, written here without
// the program's geometry, and through the drawings a user makes by hand.
#include <gtest/gtest.h>
#include <gmpxx.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "diagram/Draw.h"
#include "tests/diagram/DiagramSupport.h"
#include "tests/support/Planarity.h"

namespace ravelon {
namespace {

using testing::DrawPolygon;
using testing::JonesOf;
using testing::TTerms;

// The drawing with point i at (X + d i, Y + d i^2), d = 2^-60: far below
// anything the coordinates of a small canvas can resolve.
struct TMoved {
    mpq_class X, Y;
};

TMoved Moved(const TDraw& D, int I) {
    const mpq_class d(mpz_class(1), mpz_class(1) << 60);
    return {D.FPoints[I].X + d * I, D.FPoints[I].Y + d * I * I};
}

int SignOf(const mpq_class& V) { return sgn(V); }

mpq_class Turn(const TMoved& A, const TMoved& B, const TMoved& C) {
    return (B.X - A.X) * (C.Y - A.Y) - (B.Y - A.Y) * (C.X - A.X);
}

// The oracle's view of one drawing: which lines cross, and where along a line.
class TOracle {
public:
    explicit TOracle(const TDraw& D) : FD(D) {
        for (int i = 0; i < D.FPointCount(); ++i) FP.push_back(Moved(D, i));
    }
    const TMoved& Start(int L) const { return FP[FD.FLines[L].StartIndex]; }
    const TMoved& End(int L) const { return FP[FD.FLines[L].EndIndex]; }

    bool Cross(int A, int B) const {
        const TDrawLine &a = FD.FLines[A], &b = FD.FLines[B];
        if (a.StartIndex == b.StartIndex || a.StartIndex == b.EndIndex || a.EndIndex == b.StartIndex ||
            a.EndIndex == b.EndIndex)
            return false;
        return SignOf(Turn(Start(A), End(A), Start(B))) * SignOf(Turn(Start(A), End(A), End(B))) < 0 &&
               SignOf(Turn(Start(B), End(B), Start(A))) * SignOf(Turn(Start(B), End(B), End(A))) < 0;
    }
    // How far along line L (0 at its start, 1 at its end) line M crosses it.
    mpq_class Along(int L, int M) const {
        const TMoved &s = Start(L), &e = End(L), &c = Start(M), &d = End(M);
        const mpq_class ex = e.X - s.X, ey = e.Y - s.Y, dx = d.X - c.X, dy = d.Y - c.Y;
        return ((c.X - s.X) * dy - (c.Y - s.Y) * dx) / (ex * dy - ey * dx);
    }

private:
    const TDraw& FD;
    std::vector<TMoved> FP;
};

// True when an end of line A or B lies on the other line as drawn.
bool OnALine(const TDraw& D, int A, int B) {
    auto at = [&](int i) { return TMoved{D.FPoints[i].X, D.FPoints[i].Y}; };
    const TDrawLine &a = D.FLines[A], &b = D.FLines[B];
    return Turn(at(a.StartIndex), at(a.EndIndex), at(b.StartIndex)) == 0 ||
           Turn(at(a.StartIndex), at(a.EndIndex), at(b.EndIndex)) == 0 ||
           Turn(at(b.StartIndex), at(b.EndIndex), at(a.StartIndex)) == 0 ||
           Turn(at(b.StartIndex), at(b.EndIndex), at(a.EndIndex)) == 0;
}

// An edge as an unordered pair of (crossing, port) ends.
using TEnds = std::pair<std::pair<int, int>, std::pair<int, int>>;
TEnds Ends(int C1, int P1, int C2, int P2) {
    return std::minmax(std::pair{C1, P1}, std::pair{C2, P2});
}

// The crossing code of the moved drawing, built from the oracle alone:
// crossings numbered by the higher line, then the lower; each curve walked
// through its crossings in the order the oracle finds along its lines. Empty
// when two crossings coincide even in the moved drawing.
std::optional<std::pair<std::vector<TCrossing>, std::multiset<TEnds>>> OracleCode(const TDraw& D) {
    const TOracle o(D);
    auto closed = [&](int l) { return D.FLines[l].Group < D.FGroupCount; };
    std::vector<std::pair<int, int>> rows;
    std::vector<TCrossing> crossings;
    std::vector<int> entryB;
    for (int b = 0; b < D.FLineCount(); ++b)
        for (int a = 0; a < b; ++a)
            if (closed(a) && closed(b) && o.Cross(a, b)) {
                rows.emplace_back(a, b);
                const int eb = SignOf(Turn(o.Start(a), o.End(a), o.Start(b))) < 0 ? 2 : 4;
                entryB.push_back(eb);
                crossings.push_back(D.FOver[a][b] ? TCrossing{1, eb} : TCrossing{eb, 1});
            }
    std::multiset<TEnds> edges;
    int loops = 0;
    for (int g = 0; g < D.FGroupCount; ++g) {
        std::vector<std::pair<int, int>> passes;  // (row, entry port) along the curve
        for (int l = 0; l < D.FLineCount(); ++l) {
            if (D.FLines[l].Group != g) continue;
            std::vector<std::pair<mpq_class, int>> here;
            for (int r = 0; r < static_cast<int>(rows.size()); ++r)
                if (rows[r].first == l || rows[r].second == l)
                    here.emplace_back(o.Along(l, rows[r].first == l ? rows[r].second : rows[r].first), r);
            std::sort(here.begin(), here.end());
            for (std::size_t k = 1; k < here.size(); ++k)
                if (here[k].first == here[k - 1].first) return std::nullopt;
            for (const auto& [t, r] : here) passes.emplace_back(r, rows[r].first == l ? 1 : entryB[r]);
        }
        if (passes.empty()) ++loops;
        for (std::size_t k = 0; k < passes.size(); ++k) {
            const auto& [r, entry] = passes[k];
            const auto& [nextRow, nextEntry] = passes[(k + 1) % passes.size()];
            edges.insert(Ends(r + 1, OppositePort(entry), nextRow + 1, nextEntry));
        }
    }
    for (int k = 0; k < loops; ++k) edges.insert(Ends(0, 0, 0, 0));
    return std::pair{crossings, edges};
}

// Every exponent of the Jones polynomial of a link of Components curves is
// whole for an odd number of curves and half an odd number for an even one.
bool ExponentsFit(const TTerms& Jones, int Components) {
    return std::all_of(Jones.begin(), Jones.end(),
                       [&](const auto& term) { return term.first.second == (Components % 2 == 1 ? 1 : 2); });
}

#ifdef RAVELON_SANITIZED_TESTS
constexpr int kRounds = 150;
#else
constexpr int kRounds = 1500;
#endif

// Random drawings on a 12 x 12 canvas, where corners on lines, overlapping
// lines, shared places and triple points are everyday: the stored crossings,
// the code and its over/under are those of the explicitly moved drawing, the
// code is planar, and the Jones polynomial has the exponents of a link.
TEST(Degenerate, TinyCanvasDrawingsAreTheirMovedDrawings) {
    std::mt19937 rng(12);
    int crossings = 0, degenerate = 0, coincident = 0;
    for (int round = 0; round < kRounds; ++round) {
        const int groups = std::uniform_int_distribution<int>(1, 3)(rng);
        const TDraw d = testing::RandomDiagram(rng, {groups, 3, 7, 12, false});
        const TOracle o(d);
        for (int b = 0; b < d.FLineCount(); ++b)
            for (int a = 0; a < b; ++a) {
                ASSERT_EQ(IsCrossing(d.FCross[b][a]), o.Cross(a, b)) << "round " << round << " lines " << a << ", " << b;
                if (IsCrossing(d.FCross[b][a]) && OnALine(d, a, b)) ++degenerate;
            }
        const auto expected = OracleCode(d);
        if (!expected) {
            ++coincident;
            continue;
        }
        TKnot k;
        d.MakeKnot(k);
        ASSERT_EQ(std::vector<TCrossing>(k.FCrossings.begin() + 1, k.FCrossings.end()), expected->first) << round;
        std::multiset<TEnds> edges;
        for (int e = 1; e <= k.FEdgeCount(); ++e)
            edges.insert(Ends(k.FEdges[e].Crossing1, k.FEdges[e].Port1, k.FEdges[e].Crossing2, k.FEdges[e].Port2));
        ASSERT_EQ(edges, expected->second) << round;
        ASSERT_EQ(testing::PlanarityFault(k), "") << round;
        crossings += k.FCrossingCount();
        if (k.FCrossingCount() <= 10) {
            ASSERT_TRUE(ExponentsFit(JonesOf(d), groups)) << round;
        }
    }
    EXPECT_GT(crossings, 3 * kRounds);
    EXPECT_GT(degenerate, kRounds / 20);  // the canvas did produce drawings out of general position
    EXPECT_LT(coincident, kRounds / 100 + 1);
}

// Three lines through (200, 200): the newest line passes over both others, so
// the hexagon is a plain loop, as it is with any one point moved by a hair.
TEST(Degenerate, HexagonThroughOnePointIsTheUnknot) {
    const std::vector<TPoint> hexagon{{100, 100}, {300, 300}, {300, 100}, {100, 300}, {200, 50}, {200, 350}};
    TDraw d;
    DrawPolygon(d, hexagon);
    EXPECT_EQ(d.FCross[0][2], (TPoint{200, 200}));
    EXPECT_EQ(d.FCross[0][4], (TPoint{200, 200}));
    EXPECT_EQ(d.FCross[2][4], (TPoint{200, 200}));
    EXPECT_EQ(JonesOf(d), (TTerms{{{0, 1}, 1}}));
    for (std::size_t i = 0; i < hexagon.size(); ++i) {
        std::vector<TPoint> moved = hexagon;
        moved[i].X += 1;
        TDraw m;
        DrawPolygon(m, moved);
        EXPECT_EQ(JonesOf(m), (TTerms{{{0, 1}, 1}})) << i;
    }
}

// A corner of the second curve lies on the square's top line: the curves
// cross twice, and swapping one crossing links them.
TEST(Degenerate, CornerOnALineCountsOnce) {
    TDraw d;
    DrawPolygon(d, {{100, 100}, {400, 100}, {400, 400}, {100, 400}});
    DrawPolygon(d, {{250, 50}, {250, 100}, {250, 250}, {600, 250}, {600, 50}});
    ASSERT_EQ(testing::CountedCrossings(d).size(), 2u);
    EXPECT_EQ(JonesOf(d), (TTerms{{{1, 2}, -1}, {{-1, 2}, -1}}));
    const auto [a, b] = testing::CountedCrossings(d).front();
    d.SwapCrossing(a, b);
    const TTerms hopf = JonesOf(d);
    EXPECT_TRUE(hopf == (TTerms{{{1, 2}, -1}, {{5, 2}, -1}}) || hopf == (TTerms{{{-1, 2}, -1}, {{-5, 2}, -1}}));
}

// A curve doubling back along its own line (and one doubling back across
// another curve) computes as the same drawing with the back-and-forth moved
// apart by a hair, to one side, for every over/under of the crossings there.
TEST(Degenerate, SpikeIsItsDrawingMovedApartByAHair) {
    struct TCase {
        std::vector<std::vector<TPoint>> Curves;
        std::size_t Curve, Point;  // the point where the curve turns back
    };
    const std::vector<TCase> cases{
        {{{{100, 100}, {400, 100}, {400, 300}, {200, 300}, {200, 50}, {200, 200}, {100, 300}}}, 0, 5},
        {{{{100, 100}, {400, 100}, {400, 400}, {100, 400}}, {{50, 250}, {150, 250}, {80, 250}, {80, 300}, {30, 300}}}, 1, 2},
    };
    for (const TCase& c : cases) {
        auto draw = [&](int hair) {
            TDraw d;
            std::vector<std::vector<TPoint>> curves = c.Curves;
            curves[c.Curve][c.Point].X += hair;
            curves[c.Curve][c.Point].Y += hair;
            for (const auto& curve : curves) DrawPolygon(d, curve);
            return d;
        };
        const TDraw spike = draw(0);
        const auto pairs = testing::CountedCrossings(spike);
        ASSERT_GE(pairs.size(), 2u);
        bool sameAsSomeSide = false;
        for (const int hair : {-1, 1}) {
            bool same = true;
            for (unsigned flags = 0; flags < 4; ++flags) {
                TDraw s = spike, h = draw(hair);
                for (int k = 0; k < 2; ++k)
                    if (flags >> k & 1) {
                        s.SwapCrossing(pairs[k].first, pairs[k].second);
                        h.SwapCrossing(pairs[k].first, pairs[k].second);
                    }
                same = same && testing::CountedCrossings(h) == pairs && JonesOf(s) == JonesOf(h);
            }
            sameAsSomeSide = sameAsSomeSide || same;
        }
        EXPECT_TRUE(sameAsSomeSide) << c.Curves[c.Curve][c.Point].X;
    }
}

}  // namespace
}  // namespace ravelon
