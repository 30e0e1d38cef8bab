// SPDX-License-Identifier: GPL-3.0-or-later
#include "examples/generator/ExampleKnots.h"

#include <algorithm>
#include <stdexcept>

namespace ravelon::examples {

namespace {

// Layout of a closed braid on the canvas, in pixels.
constexpr int kColumn = 60;  // between neighbouring strand positions
constexpr int kRow = 50;     // height of the row of one generator
constexpr int kLane = 30;    // between the closing paths of neighbouring strands
constexpr int kMargin = 40;

// Draws one closed polygon through the given corners.
void DrawGroup(TDraw& d, const std::vector<TPoint>& corners) {
    d.BeginGroup(corners.front());
    for (std::size_t i = 1; i < corners.size(); ++i) d.ExtendGroup(corners[i]);
    if (!d.CloseGroup()) throw std::logic_error("example polygon with fewer than 3 corners");
}

// +1 when the crossing of lines A and B, with the over/under they have now, is
// positive by the right-hand rule as seen on the screen (Y down).
int CrossingSign(const TDraw& d, int a, int b) {
    const int over = d.FOver[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] ? a : b;
    const int under = over == a ? b : a;
    auto direction = [&](int l) {
        const TDrawLine& line = d.FLines[static_cast<std::size_t>(l)];
        const TPoint s = d.PointAt(line.StartIndex), e = d.PointAt(line.EndIndex);
        return std::pair<long, long>{e.X - s.X, e.Y - s.Y};
    };
    const auto [ox, oy] = direction(over);
    const auto [ux, uy] = direction(under);
    return ox * uy - oy * ux < 0 ? 1 : -1;
}

}  // namespace

TExample BraidExample(const std::string& FileName, const std::string& Description, int Strands,
                      const std::vector<int>& Word) {
    const int top = kMargin + kLane * Strands;
    const int bottom = top + kRow * static_cast<int>(Word.size());
    auto column = [&](int position) { return kMargin + kColumn * (position - 1); };
    const int right = column(Strands) + kLane;

    // Follow each strand through the word: the corners it passes in every
    // crossing row, then its closing path back to the top of its new position.
    std::vector<bool> used(static_cast<std::size_t>(Strands) + 1, false);
    TExample ex{FileName, Description, TDraw(), 0, 0};
    for (int start = 1; start <= Strands; ++start) {
        if (used[static_cast<std::size_t>(start)]) continue;
        std::vector<TPoint> corners;
        auto add = [&](TPoint p) {
            if (corners.empty() || !(corners.back() == p)) corners.push_back(p);
        };
        int position = start;
        do {
            used[static_cast<std::size_t>(position)] = true;
            add({column(position), top});
            for (std::size_t r = 0; r < Word.size(); ++r) {
                const int g = Word[r] < 0 ? -Word[r] : Word[r];
                const int y = top + kRow * static_cast<int>(r);
                if (position == g || position == g + 1) {
                    const int to = position == g ? g + 1 : g;
                    add({column(position), y});
                    add({column(to), y + kRow});
                    position = to;
                }
            }
            const int lane = kLane * (Strands - position + 1);
            add({column(position), bottom});
            add({column(position), bottom + lane});
            add({right + lane, bottom + lane});
            add({right + lane, top - lane});
            add({column(position), top - lane});
        } while (position != start);
        DrawGroup(ex.Draw, corners);
    }

    // Every crossing lies in the middle of one generator's row: give it the
    // sign of that generator.
    const int n = ex.Draw.FLineCount();
    for (int b = 0; b < n; ++b)
        for (int a = 0; a < b; ++a) {
            const TPoint c = ex.Draw.FCross[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)];
            if (!IsCrossing(c)) continue;
            const std::size_t row = static_cast<std::size_t>((c.Y - top) / kRow);
            const int wanted = Word.at(row) > 0 ? 1 : -1;
            if (CrossingSign(ex.Draw, a, b) != wanted) ex.Draw.SwapCrossing(a, b);
        }
    ex.Width = right + kLane * Strands + kMargin;
    ex.Height = bottom + kLane * Strands + kMargin;
    return ex;
}

std::vector<TExample> AllExamples() {
    std::vector<TExample> all;

    TExample triangle{"unknot.rvd", "the unknot, drawn as a triangle", TDraw(), 300, 300};
    DrawGroup(triangle.Draw, {{100, 100}, {200, 100}, {150, 200}});
    all.push_back(std::move(triangle));

    TExample curl{"unknot-curl.rvd", "the unknot with one curl", TDraw(), 300, 300};
    DrawGroup(curl.Draw, {{100, 100}, {200, 200}, {200, 100}, {100, 200}});
    all.push_back(std::move(curl));

    all.push_back(BraidExample("trefoil-right.rvd", "right-handed trefoil 3_1", 2, {1, 1, 1}));
    all.push_back(BraidExample("trefoil-left.rvd", "left-handed trefoil 3_1", 2, {-1, -1, -1}));
    all.push_back(BraidExample("figure-eight.rvd", "figure-eight knot 4_1", 3, {1, -2, 1, -2}));
    all.push_back(BraidExample("5_1.rvd", "cinquefoil 5_1", 2, {1, 1, 1, 1, 1}));
    all.push_back(BraidExample("5_2.rvd", "three-twist knot 5_2", 3, {1, 1, 1, 2, -1, 2}));
    all.push_back(BraidExample("6_1.rvd", "stevedore knot 6_1", 4, {1, 1, 2, -1, -3, 2, -3}));
    all.push_back(BraidExample("6_2.rvd", "knot 6_2", 3, {1, 1, 1, -2, 1, -2}));
    all.push_back(BraidExample("6_3.rvd", "knot 6_3", 3, {1, 1, -2, 1, -2, -2}));
    all.push_back(BraidExample("hopf-link.rvd", "Hopf link", 2, {1, 1}));
    all.push_back(BraidExample("whitehead-link.rvd", "Whitehead link", 3, {1, 1, -2, 1, -2}));
    all.push_back(BraidExample("borromean-rings.rvd", "Borromean rings", 3, {1, -2, 1, -2, 1, -2}));
    all.push_back(BraidExample("8_19.rvd", "(3, 4) torus knot 8_19", 3, {1, 2, 1, 2, 1, 2, 1, 2}));
    return all;
}

}  // namespace ravelon::examples
