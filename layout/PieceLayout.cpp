// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/PieceLayout.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <stdexcept>
#include <tuple>

#include "layout/Bends.h"
#include "layout/Canvas.h"
#include "layout/Compaction.h"
#include "layout/OrthoGraph.h"
#include "layout/Rectangles.h"

namespace ravelon {

namespace {

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

int Mod4(int V) { return ((V % 4) + 4) % 4; }

// At most this many outer faces are tried, the ones with most corners;
// fewer on pieces with many crossings, whose drawings take longer.
constexpr std::size_t kOuterTrials = 16;
constexpr std::size_t kLargeOuterTrials = 4;
constexpr int kLargePiece = 60;

// Shapes are judged first by the spacing at which they fit the default
// canvas, up to a spacing beyond which the fewer bends count more.
constexpr int kComfort = 28;

// The direction of the arm at port 1 of every crossing of Piece, from the
// turns of its edges: the arm at port p points in direction Rot + p - 1.
std::vector<int> Rotations(const TCodeMap& Map, int Piece, const std::vector<int>& Turns) {
    std::vector<int> rot(Ix(Map.Crossings), -1);
    int first = 0;
    while (Map.PieceOf[Ix(first)] != Piece) ++first;
    rot[Ix(first)] = 0;
    std::vector<int> todo{first};
    while (!todo.empty()) {
        const int c = todo.back();
        todo.pop_back();
        for (int p = 1; p <= 4; ++p) {
            const int d = KnotNode(c + 1, p), m = Map.Mate[Ix(d)];
            const int arrive = rot[Ix(c)] + p - 1 - Turns[Ix(d)];
            const int other = KnotCrossingOf(m) - 1;
            const int wanted = Mod4(arrive + 2 - (KnotPortOf(m) - 1));
            if (rot[Ix(other)] < 0) {
                rot[Ix(other)] = wanted;
                todo.push_back(other);
            } else if (rot[Ix(other)] != wanted) {
                throw std::logic_error("bends that do not fit the crossings' arms");
            }
        }
    }
    return rot;
}

// The piece drawn with Outer outside.
TPieceLayout Shape(const TCodeMap& Map, int Piece, int Outer) {
    const std::vector<int> turns = BendsOf(Map, Piece, Outer);
    const std::vector<int> rot = Rotations(Map, Piece, turns);
    TOrthoGraph g;
    std::vector<int> vertex(Ix(Map.Crossings), -1);
    for (int c = 0; c < Map.Crossings; ++c)
        if (Map.PieceOf[Ix(c)] == Piece) vertex[Ix(c)] = g.AddVertex();
    std::vector<std::vector<int>> bends(Ix(4 * Map.Crossings));
    int bendCount = 0;
    for (int d = 0; d < 4 * Map.Crossings; ++d) {
        const int c = KnotCrossingOf(d) - 1, m = Map.Mate[Ix(d)];
        if (vertex[Ix(c)] < 0 || m < d) continue;
        const int turn = turns[Ix(d)] > 0 ? -1 : 1;  // a left turn goes one direction back
        int at = vertex[Ix(c)], dir = Mod4(rot[Ix(c)] + KnotPortOf(d) - 1);
        for (int k = 0; k < std::abs(turns[Ix(d)]); ++k) {
            const int b = g.AddVertex();
            g.AddEdge(at, b, dir);
            bends[Ix(d)].push_back(b);
            at = b;
            dir = Mod4(dir + turn);
        }
        g.AddEdge(at, vertex[Ix(KnotCrossingOf(m) - 1)], dir);
        bends[Ix(m)].assign(bends[Ix(d)].rbegin(), bends[Ix(d)].rend());
        bendCount += std::abs(turns[Ix(d)]);
    }

    TOrthoGraph cut = g;
    CutIntoRectangles(cut);
    std::vector<TPoint> grid = GridOf(cut);
    grid.resize(Ix(g.VertexCount()));
    Compact(g, grid);

    TPieceLayout out;
    out.BendCount = bendCount;
    for (const TPoint& p : grid) {
        out.Width = std::max(out.Width, p.X);
        out.Height = std::max(out.Height, p.Y);
    }
    if (out.Height > out.Width) {
        // A quarter turn, which keeps the sense of rotation.
        for (TPoint& p : grid) p = {out.Height - p.Y, p.X};
        std::swap(out.Width, out.Height);
    }
    out.Crossing.resize(Ix(Map.Crossings));
    for (int c = 0; c < Map.Crossings; ++c)
        if (vertex[Ix(c)] >= 0) out.Crossing[Ix(c)] = grid[Ix(vertex[Ix(c)])];
    out.Bends.resize(bends.size());
    for (std::size_t d = 0; d < bends.size(); ++d)
        for (const int b : bends[d]) out.Bends[d].push_back(grid[Ix(b)]);
    return out;
}

}  // namespace

TPieceLayout LayOutPiece(const TCodeMap& Map, int Piece) {
    std::vector<int> faces;
    for (int f = 0; f < static_cast<int>(Map.FaceSize.size()); ++f)
        if (Map.FacePiece[Ix(f)] == Piece) faces.push_back(f);
    std::stable_sort(faces.begin(), faces.end(),
                     [&](int a, int b) { return Map.FaceSize[Ix(a)] > Map.FaceSize[Ix(b)]; });
    const std::size_t trials = faces.size() > kLargePiece + 2 ? kLargeOuterTrials : kOuterTrials;
    if (faces.size() > trials) faces.resize(trials);
    TPieceLayout best;
    auto key = [](const TPieceLayout& l) {
        return std::tuple{-SpacingOnDefault(l.Width, l.Height, kComfort), l.BendCount, l.Width * l.Height};
    };
    for (std::size_t i = 0; i < faces.size(); ++i) {
        TPieceLayout l = Shape(Map, Piece, faces[i]);
        if (i == 0 || key(l) < key(best)) best = std::move(l);
    }
    return best;
}

}  // namespace ravelon
