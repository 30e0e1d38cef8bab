// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/diagram/DiagramSupport.h"

#include <cstddef>

namespace ravelon::testing {

void DrawPolygon(TDraw& D, const std::vector<TPoint>& Points) {
    D.BeginGroup(Points.front());
    for (std::size_t i = 1; i < Points.size(); ++i) D.ExtendGroup(Points[i]);
    D.CloseGroup();
}

TDraw RandomDiagram(std::mt19937& Rng, const TRandomShape& Shape) {
    TDraw d;
    std::uniform_int_distribution<int> coord(0, Shape.Canvas - 1);
    std::uniform_int_distribution<int> count(Shape.MinPoints, Shape.MaxPoints);
    for (int g = 0; g < Shape.Groups; ++g) {
        std::vector<TPoint> pts;
        if (Shape.TriplePoint && g == 0) {
            // Lines C+v -> C-v all pass through the lattice point C.
            const TPoint c{Shape.Canvas / 2, Shape.Canvas / 2};
            std::uniform_int_distribution<int> off(-Shape.Canvas / 2 + 1, Shape.Canvas / 2 - 1);
            for (int k = 0; k < 3; ++k) {
                const int vx = off(Rng), vy = off(Rng);
                pts.push_back({c.X + vx, c.Y + vy});
                pts.push_back({c.X - vx, c.Y - vy});
            }
        } else {
            const int n = count(Rng);
            for (int k = 0; k < n; ++k) pts.push_back({coord(Rng), coord(Rng)});
        }
        DrawPolygon(d, pts);
    }
    std::bernoulli_distribution flip(0.5);
    for (int b = 0; b < d.FLineCount(); ++b)
        for (int a = 0; a < b; ++a)
            if (flip(Rng)) d.SwapCrossing(a, b);
    return d;
}

std::string CompletenessFault(const TKnot& Knot) {
    const int n = Knot.FCrossingCount();
    std::vector<int> uses(static_cast<std::size_t>(4 * n), 0);
    for (int k = 1; k <= Knot.FEdgeCount(); ++k) {
        const TEdge& e = Knot.FEdges[static_cast<std::size_t>(k)];
        for (const auto& [c, p] : {std::pair{e.Crossing1, e.Port1}, std::pair{e.Crossing2, e.Port2}}) {
            if (c == 0 && p == 0) continue;
            if (c < 1 || c > n || p < 1 || p > 4) return "edge " + std::to_string(k) + " names no port";
            ++uses[static_cast<std::size_t>(4 * (c - 1) + p - 1)];
        }
    }
    for (int i = 0; i < 4 * n; ++i)
        if (uses[static_cast<std::size_t>(i)] != 1)
            return "crossing " + std::to_string(i / 4 + 1) + " port " + std::to_string(i % 4 + 1) + " has " +
                   std::to_string(uses[static_cast<std::size_t>(i)]) + " edges";
    return "";
}

std::vector<std::pair<int, int>> CountedCrossings(const TDraw& D) {
    std::vector<std::pair<int, int>> r;
    for (int b = 0; b < D.FLineCount(); ++b)
        for (int a = 0; a < b; ++a) {
            const TPoint c = D.FCross[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)];
            if (D.FLines[static_cast<std::size_t>(a)].Group < D.FGroupCount &&
                D.FLines[static_cast<std::size_t>(b)].Group < D.FGroupCount && IsCrossing(c))
                r.emplace_back(a, b);
        }
    return r;
}

TTerms JonesOf(const TDraw& D) {
    TKnot k;
    D.MakeKnot(k);
    TPoly p(0);
    k.Jones(p);
    return NonZero(p);
}

}  // namespace ravelon::testing
