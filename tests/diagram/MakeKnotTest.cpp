// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "diagram/Draw.h"
#include "tests/diagram/DiagramSupport.h"

namespace ravelon {
namespace {

using testing::CompletenessFault;
using testing::CountedCrossings;
using testing::DrawPolygon;
using testing::JonesOf;
using testing::TRandomShape;
using testing::TTerms;

TKnot CodeOf(const TDraw& D) {
    TKnot k;
    D.MakeKnot(k);
    return k;
}

std::vector<TEdge> Edges(const TKnot& K) { return {K.FEdges.begin() + 1, K.FEdges.end()}; }
std::vector<TCrossing> Crossings(const TKnot& K) { return {K.FCrossings.begin() + 1, K.FCrossings.end()}; }

TEST(MakeKnot, SmallDiagrams) {
    TDraw d;
    EXPECT_EQ(CodeOf(d).FCrossingCount(), 0);
    EXPECT_EQ(CodeOf(d).FEdgeCount(), 0);

    DrawPolygon(d, {{100, 100}, {200, 100}, {150, 200}});
    EXPECT_EQ(Edges(CodeOf(d)), (std::vector<TEdge>{{0, 0, 0, 0}}));
    DrawPolygon(d, {{300, 100}, {400, 100}, {350, 200}});
    EXPECT_EQ(CodeOf(d).FCrossingCount(), 0);
    EXPECT_EQ(Edges(CodeOf(d)), (std::vector<TEdge>{{0, 0, 0, 0}, {0, 0, 0, 0}}));

    TDraw bow;
    DrawPolygon(bow, {{100, 100}, {200, 200}, {200, 100}, {100, 200}});
    const TDraw before = bow;
    TKnot k = CodeOf(bow);
    EXPECT_EQ(bow, before);
    EXPECT_EQ(Crossings(k), (std::vector<TCrossing>{{2, 1}}));
    EXPECT_EQ(Edges(k), (std::vector<TEdge>{{1, 1, 1, 4}, {1, 2, 1, 3}}));
    bow.SwapCrossing(0, 2);
    k = CodeOf(bow);
    EXPECT_EQ(Crossings(k), (std::vector<TCrossing>{{1, 2}}));
    EXPECT_EQ(Edges(k), (std::vector<TEdge>{{1, 1, 1, 4}, {1, 2, 1, 3}}));

    // The same bow-tie moved so that its crossing lies on the canvas's left
    // edge (X = 0), or beyond: a crossing all the same.
    for (const int shift : {-150, -100}) {
        TDraw edge;
        DrawPolygon(edge, {{shift + 50, 100}, {shift + 150, 200}, {shift + 150, 100}, {shift + 50, 200}});
        EXPECT_EQ(edge.FCross[2][0], (TPoint{shift + 100, 150}));
        EXPECT_EQ(Crossings(CodeOf(edge)), (std::vector<TCrossing>{{2, 1}}));
        EXPECT_EQ(Edges(CodeOf(edge)), (std::vector<TEdge>{{1, 1, 1, 4}, {1, 2, 1, 3}}));
    }
    // A crossing at the canvas's corner is kept off the marker (0, 0).
    TDraw corner;
    DrawPolygon(corner, {{-100, -100}, {100, 100}, {100, -100}, {-100, 100}});
    EXPECT_EQ(corner.FCross[2][0], (TPoint{1, 0}));
    EXPECT_EQ(CodeOf(corner).FCrossingCount(), 1);
}

TEST(MakeKnot, ThreeGroupsNumberingAndOrder) {
    TDraw d;
    DrawPolygon(d, {{100, 100}, {200, 100}, {200, 200}, {100, 200}});
    DrawPolygon(d, {{150, 150}, {250, 150}, {250, 250}, {150, 250}});
    DrawPolygon(d, {{400, 400}, {450, 400}, {420, 450}});
    const TKnot k = CodeOf(d);
    EXPECT_EQ(d.FCross[4][1], (TPoint{200, 150}));
    EXPECT_EQ(d.FCross[7][2], (TPoint{150, 200}));
    EXPECT_EQ(Crossings(k), (std::vector<TCrossing>{{4, 1}, {2, 1}}));
    EXPECT_EQ(Edges(k), (std::vector<TEdge>{{1, 1, 2, 3}, {1, 2, 2, 2}, {1, 3, 2, 1}, {1, 4, 2, 4}, {0, 0, 0, 0}}));

    // The crossing of lines 1 and 4 is numbered before that of lines 0 and 5;
    // the first is swapped so that the two can be told apart.
    TDraw n;
    DrawPolygon(n, {{100, 100}, {300, 100}, {200, 300}});
    DrawPolygon(n, {{260, 50}, {350, 130}, {260, 130}});
    ASSERT_EQ(CountedCrossings(n), (std::vector<std::pair<int, int>>{{1, 4}, {0, 5}}));
    n.SwapCrossing(1, 4);
    const TKnot kn = CodeOf(n);
    EXPECT_EQ(kn.FCrossings[1].FirstPort, 1);
    EXPECT_EQ(kn.FCrossings[2].SecondPort, 1);
    EXPECT_EQ(CompletenessFault(kn), "");
}

// The crossing code built the plain way: crossings recognised on a line by
// their rounded point, ordered by the squared distance of that point from the
// line's start (selection sort), ports found by the points they lead toward.
// Valid when all groups are closed and the rounded points are far enough
// apart to keep their true order.
TKnot PointOrderCode(const TDraw& D) {
    struct Row { TPoint Point; int A, B; std::array<std::array<int, 4>, 5> Port; int First, Second; };  // Toward, From, Link, LinkPort
    std::vector<Row> rows;
    const int L = D.FLineCount();
    for (int b = 0; b < L; ++b)
        for (int a = 0; a < b; ++a)
            if (IsCrossing(D.FCross[b][a])) rows.push_back({D.FCross[b][a], a, b, {}, 0, 0});
    std::vector<int> visit;
    for (int l = 0; l < L; ++l) {
        std::vector<std::pair<int, long long>> s;
        for (int m = 0; m < L; ++m)
            if (IsCrossing(D.FCross[l][m]))
                for (int r = 0; r < static_cast<int>(rows.size()); ++r)
                    if (rows[r].Point == D.FCross[l][m])
                        s.emplace_back(r, SquaredDistance(D.PointAt(D.FLines[l].StartIndex), rows[r].Point));
        for (std::size_t i = 0; i + 1 < s.size(); ++i) {
            std::size_t best = i;
            for (std::size_t j = i + 1; j < s.size(); ++j)
                if (s[j].second < s[best].second) best = j;
            std::swap(s[i], s[best]);
        }
        for (const auto& e : s) visit.push_back(e.first);
    }
    for (Row& r : rows) {
        const int a = D.FLines[r.A].StartIndex, b = D.FLines[r.A].EndIndex, c = D.FLines[r.B].StartIndex, d = D.FLines[r.B].EndIndex;
        const TPoint pa = D.PointAt(a), pb = D.PointAt(b), pc = D.PointAt(c);
        const long long t = 1LL * (pb.X - pa.X) * (pc.Y - pa.Y) - 1LL * (pb.Y - pa.Y) * (pc.X - pa.X);
        const std::array<int, 5> to = t < 0 ? std::array<int, 5>{0, a, c, b, d} : std::array<int, 5>{0, a, d, b, c};
        for (int p = 1; p <= 4; ++p) r.Port[p] = {to[p], to[OppositePort(p)], -1, 0};
        const int toC = t < 0 ? 2 : 4;
        r.First = D.FOver[r.A][r.B] ? 1 : toC;
        r.Second = D.FOver[r.A][r.B] ? toC : 1;
    }
    auto join = [&](int r1, int p1, int r2, int p2) {
        rows[r1].Port[p1][2] = r2, rows[r1].Port[p1][3] = p2;
        rows[r2].Port[p2][2] = r1, rows[r2].Port[p2][3] = p1;
    };
    const int P = D.FPointCount();
    auto group = [&](int j) { return j == P ? D.FGroupCount : D.FPoints[j].Group; };
    bool pending = true;
    int groupStart = 0, current = 0, loops = 0, prev = 0, prevExit = 0, first = 0, firstEntry = 0;
    std::size_t pos = 0;
    for (int j = 0; j <= P; ++j) {
        if (group(j) > current) {
            if (pending) ++loops; else join(prev, prevExit, first, firstEntry);
            pending = true, groupStart = j, current = group(j);
        }
        if (j == P) break;
        while (pos < visit.size()) {
            const int next = group(j + 1) == group(j) ? j + 1 : groupStart;
            const int r = visit[pos];
            int p = 0;
            for (int q = 1; q <= 4; ++q)
                if (rows[r].Port[q][1] == j && rows[r].Port[q][0] == next) p = q;
            if (p == 0) break;
            rows[r].Port[p][0] = rows[r].Port[p][1] = -1;
            const int e = OppositePort(p);
            if (!pending) join(prev, prevExit, r, e);
            prev = r, prevExit = p;
            if (pending) first = r, firstEntry = e, pending = false;
            ++pos;
        }
    }
    TKnot k;
    for (const Row& r : rows) k.FCrossings.push_back({r.First, r.Second});
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int p = 1; p <= 4; ++p)
            if (rows[r].Port[p][2] >= 0) {
                k.FEdges.push_back({r + 1, p, rows[r].Port[p][2] + 1, rows[r].Port[p][3]});
                rows[rows[r].Port[p][2]].Port[rows[r].Port[p][3]][2] = -1;
            }
    for (int i = 0; i < loops; ++i) k.FEdges.push_back({});
    return k;
}

TEST(MakeKnot, MatchesPointOrderWhereCrossingsAreApart) {
    std::mt19937 rng(5);
    int compared = 0, crossings = 0;
    while (compared < 150) {
        const TDraw d = testing::RandomDiagram(rng, {std::uniform_int_distribution<int>(1, 3)(rng), 3, 14, 999, false});
        const auto counted = CountedCrossings(d);
        bool apart = true;
        for (std::size_t i = 0; i < counted.size() && apart; ++i)
            for (std::size_t j = 0; j < i && apart; ++j)
                apart = SquaredDistance(d.FCross[counted[i].second][counted[i].first],
                                        d.FCross[counted[j].second][counted[j].first]) > 9;
        if (!apart) continue;
        const TKnot mine = CodeOf(d), plain = PointOrderCode(d);
        ASSERT_EQ(Crossings(mine), Crossings(plain));
        ASSERT_EQ(Edges(mine), Edges(plain));
        ++compared;
        crossings += mine.FCrossingCount();
    }
    EXPECT_GT(crossings, 1000);
}

// Sign of a crossing straight from the screen: the over line's direction
// turned to the under line's direction; Y points down, so a clockwise turn on
// the screen (positive cross product) is a negative crossing; 0 for lines
// drawn along each other.
int ScreenSign(const TDraw& D, int A, int B) {
    auto dir = [&](int l) {
        const TPoint s = D.PointAt(D.FLines[l].StartIndex), e = D.PointAt(D.FLines[l].EndIndex);
        return std::array<long long, 2>{static_cast<long long>(e.X) - s.X, static_cast<long long>(e.Y) - s.Y};
    };
    const bool aOver = D.FOver[A][B];
    const auto over = dir(aOver ? A : B), under = dir(aOver ? B : A);
    const long long cross = over[0] * under[1] - over[1] * under[0];
    return cross > 0 ? -1 : (cross < 0 ? 1 : 0);
}

// Closed groups that have no counted crossing.
int FreeLoops(const TDraw& D) {
    std::vector<bool> touched(static_cast<std::size_t>(D.FGroupCount), false);
    for (const auto& [a, b] : CountedCrossings(D)) {
        touched[static_cast<std::size_t>(D.FLines[a].Group)] = true;
        touched[static_cast<std::size_t>(D.FLines[b].Group)] = true;
    }
    return static_cast<int>(std::count(touched.begin(), touched.end(), false));
}

// Every code is complete, its crossings are the counted ones with the writhe
// read off the screen, its loops are the curves without crossings, and
// MakeKnot changes nothing -- on random diagrams including crowded ones where
// crossings round to the same pixel, true triple points, and crossings on the
// canvas's edges that do not count.
TEST(MakeKnot, RandomDiagramsGiveCompleteCodesWithScreenWrithe) {
    std::mt19937 rng(2024);
    const std::array<TRandomShape, 5> shapes{{
        {1, 3, 12, 999, false},
        {3, 3, 7, 999, false},
        {2, 8, 20, 12, false},   // crowded: many crossings share a pixel
        {2, 3, 6, 400, true},    // three lines through one lattice point
        {3, 3, 9, 40, false},
    }};
    int coincident = 0, total = 0;
    for (const TRandomShape& shape : shapes) {
        for (int round = 0; round < 60; ++round) {
            TDraw d = testing::RandomDiagram(rng, shape);
            if (shape.Canvas == 40)  // shift so that some crossings fall on or beyond the edges
                for (int i = 0; i < d.FPointCount(); ++i) d.MovePoint(i, {d.FPoints[i].X - 10, d.FPoints[i].Y - 5});
            const TDraw before = d;
            const TKnot k = CodeOf(d);
            ASSERT_EQ(d, before);
            ASSERT_EQ(CompletenessFault(k), "");
            const auto counted = CountedCrossings(d);
            ASSERT_EQ(k.FCrossingCount(), static_cast<int>(counted.size()));
            ASSERT_EQ(k.FEdgeCount(), 2 * k.FCrossingCount() + FreeLoops(d));
            // Lines drawn along each other take their sign from the moved
            // drawing, which the oracle of PerturbationTest checks.
            int writhe = 0;
            bool alongEachOther = false;
            for (const auto& [a, b] : counted) {
                const int s = ScreenSign(d, a, b);
                alongEachOther = alongEachOther || s == 0;
                writhe += s;
            }
            if (!alongEachOther) {
                ASSERT_EQ(k.Writhe(), writhe);
            }
            for (std::size_t i = 0; i < counted.size(); ++i)
                for (std::size_t j = 0; j < i; ++j)
                    if (d.FCross[counted[i].second][counted[i].first] == d.FCross[counted[j].second][counted[j].first])
                        ++coincident;
            total += k.FCrossingCount();
        }
    }
    EXPECT_GT(coincident, 50);  // the crowded shapes did produce shared pixels
    EXPECT_GT(total, 2000);
}

// The curve (X(t), Y(t), Z(t)), t in [0, 2 pi), drawn as a closed polygon of N
// points; at every crossing the line with the greater height Z passes over.
TDraw SpaceCurve(int N, const std::function<std::array<double, 3>(double)>& Curve) {
    TDraw d;
    std::vector<std::array<double, 3>> p;
    std::vector<TPoint> pts;
    for (int k = 0; k < N; ++k) {
        p.push_back(Curve(2 * M_PI * k / N));
        pts.push_back({static_cast<int>(std::lround(500 + 100 * p.back()[0])),
                       static_cast<int>(std::lround(500 + 100 * p.back()[1]))});
    }
    DrawPolygon(d, pts);
    auto height = [&](int l, TPoint c) {
        const TPoint s = pts[l], e = pts[(l + 1) % N];
        const double len = std::hypot(e.X - s.X, e.Y - s.Y), u = std::hypot(c.X - s.X, c.Y - s.Y) / len;
        return p[l][2] + u * (p[(l + 1) % N][2] - p[l][2]);
    };
    for (const auto& [a, b] : CountedCrossings(d)) {
        const bool aOver = height(a, d.FCross[b][a]) > height(b, d.FCross[b][a]);
        if (d.FOver[a][b] != aOver) d.SwapCrossing(a, b);
    }
    return d;
}

TEST(MakeKnot, TrefoilAndFigureEightHaveTheirJonesPolynomials) {
    TDraw trefoil = SpaceCurve(48, [](double t) {
        return std::array<double, 3>{std::sin(t) + 2 * std::sin(2 * t), std::cos(t) - 2 * std::cos(2 * t), -std::sin(3 * t)};
    });
    TKnot k = CodeOf(trefoil);
    ASSERT_EQ(k.FCrossingCount(), 3);
    if (k.Writhe() < 0) trefoil.ReverseAll();  // take the right-handed one
    EXPECT_EQ(CodeOf(trefoil).Writhe(), 3);
    EXPECT_EQ(JonesOf(trefoil), (TTerms{{{4, 1}, -1}, {{3, 1}, 1}, {{1, 1}, 1}}));
    trefoil.ReverseAll();
    EXPECT_EQ(JonesOf(trefoil), (TTerms{{{-4, 1}, -1}, {{-3, 1}, 1}, {{-1, 1}, 1}}));

    const TDraw eight = SpaceCurve(64, [](double t) {
        return std::array<double, 3>{(2 + std::cos(2 * t)) * std::cos(3 * t) / 3, (2 + std::cos(2 * t)) * std::sin(3 * t) / 3,
                                     std::sin(4 * t)};
    });
    EXPECT_LE(CodeOf(eight).FCrossingCount(), 10);
    EXPECT_EQ(JonesOf(eight), (TTerms{{{2, 1}, 1}, {{1, 1}, -1}, {{0, 1}, 1}, {{-1, 1}, -1}, {{-2, 1}, 1}}));
}

TEST(MakeKnot, ReverseAllMirrorsTheJonesPolynomial) {
    std::mt19937 rng(99);
    int tested = 0;
    while (tested < 30) {
        TDraw d = testing::RandomDiagram(rng, {std::uniform_int_distribution<int>(1, 3)(rng), 3, 6, 999, false});
        if (CountedCrossings(d).size() > 8) continue;
        const TTerms v = JonesOf(d);
        d.ReverseAll();
        TTerms mirrored;
        for (const auto& [e, c] : JonesOf(d)) mirrored[{-e.first, e.second}] = c;
        ASSERT_EQ(mirrored, v);
        ++tested;
    }
}

TEST(MakeKnot, OpenGroupAndHandEditedCrossingsStayComplete) {
    TDraw bow;
    DrawPolygon(bow, {{100, 100}, {200, 200}, {200, 100}, {100, 200}});
    const TKnot closedOnly = CodeOf(bow);
    // A group still being drawn, crossing the bow-tie twice, is left out.
    bow.BeginGroup({150, 50});
    bow.ExtendGroup({150, 250});
    bow.ExtendGroup({300, 250});
    TKnot k = CodeOf(bow);
    EXPECT_EQ(Crossings(k), Crossings(closedOnly));
    EXPECT_EQ(Edges(k), Edges(closedOnly));
    // An open group alone gives an empty code.
    TDraw open;
    open.BeginGroup({10, 10});
    open.ExtendGroup({50, 10});
    EXPECT_EQ(CodeOf(open).FEdgeCount(), 0);

    // Crossings written into the matrix by hand that the points do not bear
    // out (between lines 0 and 1, which share a point, and between 1 and 3,
    // which are parallel) are not the drawing's: the code stays that of the
    // bow-tie.
    TDraw d;
    DrawPolygon(d, {{100, 100}, {200, 200}, {200, 100}, {100, 200}});
    const TKnot plain = CodeOf(d);
    d.FCross[0][1] = d.FCross[1][0] = {120, 120};
    d.FCross[1][3] = d.FCross[3][1] = {150, 190};
    k = CodeOf(d);
    EXPECT_EQ(Crossings(k), Crossings(plain));
    EXPECT_EQ(Edges(k), Edges(plain));
}

}  // namespace
}  // namespace ravelon
