// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/Bends.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "layout/MinCostFlow.h"

namespace ravelon {

namespace {

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

// Every bend costs kBend; the k-th bend of an edge in one direction costs k
// more, up to kSpread, so that bends are spread without adding any.
constexpr std::int64_t kBend = 1 << 20;
constexpr int kSpread = 3;
// A bend on the edge a twist region wants straight costs this much more.
constexpr int kStiff = 4;

// The edges to keep straight in twist regions, marked at both darts. A
// bigon (face of two corners) has two edges; the one kept straight takes no
// bend, so both go on the other. Where a crossing lies in two bigons at
// opposite corners, the straight edges are chosen at opposite ports, so a
// chain of bigons lies in a row. A bigon with corners (c1, a) and (c2, b)
// has the edges at ports a + 1 of c1 and b + 1 of c2, the ports by which its
// walk leaves them; "straight at the leaving port" is true at one of its
// crossings and false at the other.
std::vector<bool> StiffEdges(const TCodeMap& Map, int Piece) {
    const int darts = 4 * Map.Crossings;
    std::vector<int> bigonAt(Ix(darts), -1);                  // per corner dart: its bigon
    std::vector<int> bigonOf(Map.FaceSize.size(), -1);       // per face
    std::vector<std::vector<int>> corners;                    // per bigon: its two corner darts
    for (int d = 0; d < darts; ++d) {
        const int f = Map.Face[Ix(d)];
        if (Map.FaceSize[Ix(f)] != 2 || Map.FacePiece[Ix(f)] != Piece) continue;
        if (bigonOf[Ix(f)] < 0) {
            bigonOf[Ix(f)] = static_cast<int>(corners.size());
            corners.emplace_back();
        }
        corners[Ix(bigonOf[Ix(f)])].push_back(d);
        bigonAt[Ix(d)] = bigonOf[Ix(f)];
    }
    // Leaving[b]: 1 when bigon b is straight at the leaving port of its
    // first corner, 0 when at its second's, -1 while undecided.
    std::vector<int> leaving(corners.size(), -1);
    for (std::size_t start = 0; start < corners.size(); ++start) {
        if (leaving[start] >= 0) continue;
        leaving[start] = 1;
        std::vector<int> todo{static_cast<int>(start)};
        while (!todo.empty()) {
            const int b = todo.back();
            todo.pop_back();
            for (int k = 0; k < 2; ++k) {
                const int corner = corners[Ix(b)][Ix(k)];
                const int across = KnotNode(KnotCrossingOf(corner), OppositePort(KnotPortOf(corner)));
                const int other = bigonAt[Ix(across)];
                if (other < 0 || leaving[Ix(other)] >= 0) continue;
                const bool here = (leaving[Ix(b)] == 1) == (k == 0);  // straight at this corner's leaving port
                leaving[Ix(other)] = here == (corners[Ix(other)][0] == across) ? 1 : 0;
                todo.push_back(other);
            }
        }
    }
    std::vector<bool> stiff(Ix(darts), false);
    for (std::size_t b = 0; b < corners.size(); ++b) {
        const int corner = corners[b][leaving[b] == 1 ? 0 : 1];
        const int d = KnotNode(KnotCrossingOf(corner), NextPort(KnotPortOf(corner)));
        stiff[Ix(d)] = stiff[Ix(Map.Mate[Ix(d)])] = true;
    }
    return stiff;
}

}  // namespace

std::vector<int> BendsOf(const TCodeMap& Map, int Piece, int OuterFace) {
    const int faces = static_cast<int>(Map.FaceSize.size());
    std::vector<std::int64_t> supply(Ix(faces), 0);
    std::int64_t total = 0;
    for (int f = 0; f < faces; ++f) {
        if (Map.FacePiece[Ix(f)] != Piece) continue;
        supply[Ix(f)] = Map.FaceSize[Ix(f)] + (f == OuterFace ? 4 : -4);
        if (supply[Ix(f)] > 0) total += supply[Ix(f)];
    }

    // Across the edge of dart d (leaving its crossing by port p): the face of
    // corner (c, p - 1) lies on its left, that of corner (c, p) on its right.
    const std::vector<bool> stiff = StiffEdges(Map, Piece);
    TMinCostFlow flow(faces);
    struct TAcross {
        int Dart;
        int Arc;
        int Sign;  // +1: the flow turns the walker from Dart left
    };
    std::vector<TAcross> arcs;
    for (int d = 0; d < 4 * Map.Crossings; ++d) {
        const int c = KnotCrossingOf(d);
        if (Map.PieceOf[Ix(c - 1)] != Piece || Map.Mate[Ix(d)] < d) continue;
        const int left = Map.Face[Ix(KnotNode(c, PrevPort(KnotPortOf(d))))];
        const int right = Map.Face[Ix(d)];
        for (int k = 0; k <= kSpread; ++k) {
            const std::int64_t capacity = k < kSpread ? 1 : total;
            const std::int64_t cost = kBend + k + (stiff[Ix(d)] ? kStiff : 0);
            arcs.push_back({d, flow.AddArc(right, left, capacity, cost), 1});
            arcs.push_back({d, flow.AddArc(left, right, capacity, cost), -1});
        }
    }
    if (!flow.Solve(supply)) throw std::logic_error("no orthogonal shape for a planar piece");
    std::vector<int> turns(Ix(4 * Map.Crossings), 0);
    for (const TAcross& a : arcs) {
        const int units = static_cast<int>(flow.Flow(a.Arc));
        turns[Ix(a.Dart)] += a.Sign * units;
        turns[Ix(Map.Mate[Ix(a.Dart)])] -= a.Sign * units;
    }
    return turns;
}

}  // namespace ravelon
