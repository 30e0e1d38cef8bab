// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/layout/LayoutCheck.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace ravelon::testing {

namespace {

using TEnd = std::pair<int, int>;  // (crossing, port)

// For every (crossing, port) the (crossing, port) its edge leads to; free
// loops counted apart.
struct TPorts {
    std::map<TEnd, TEnd> Mate;
    int Loops = 0;
};

TPorts PortsOf(const TKnot& K) {
    TPorts p;
    for (int e = 1; e <= K.FEdgeCount(); ++e) {
        const TEdge& ed = K.FEdges[static_cast<std::size_t>(e)];
        if (ed.Crossing1 < 1 || ed.Crossing2 < 1) {
            ++p.Loops;
            continue;
        }
        p.Mate[{ed.Crossing1, ed.Port1}] = {ed.Crossing2, ed.Port2};
        p.Mate[{ed.Crossing2, ed.Port2}] = {ed.Crossing1, ed.Port1};
    }
    return p;
}

int Turned(int Port, int By) { return (Port - 1 + By + 400) % 4 + 1; }

// Tries the map that sends crossing Ca to Cb turned by Turn, grown along the
// edges; on success adds it to Used and returns true.
bool Grow(const TKnot& A, const TPorts& Pa, const TKnot& B, const TPorts& Pb, int Ca, int Cb, int Turn,
          std::vector<int>& Used) {
    std::map<int, std::pair<int, int>> to;  // crossing of A -> (crossing of B, turn)
    std::vector<int> taken = Used;
    std::vector<int> todo;
    auto add = [&](int a, int b, int turn) {
        const TCrossing& x = A.FCrossings[static_cast<std::size_t>(a)];
        const TCrossing& y = B.FCrossings[static_cast<std::size_t>(b)];
        if (Turned(x.FirstPort, turn) != y.FirstPort || Turned(x.SecondPort, turn) != y.SecondPort) return false;
        if (taken[static_cast<std::size_t>(b)] != 0) return false;
        taken[static_cast<std::size_t>(b)] = 1;
        to[a] = {b, turn};
        todo.push_back(a);
        return true;
    };
    if (!add(Ca, Cb, Turn)) return false;
    while (!todo.empty()) {
        const int a = todo.back();
        todo.pop_back();
        const auto [b, turn] = to[a];
        for (int p = 1; p <= 4; ++p) {
            const TEnd ea = Pa.Mate.at({a, p});
            const TEnd eb = Pb.Mate.at({b, Turned(p, turn)});
            const int wanted = (eb.second - ea.second + 4) % 4;
            if (const auto it = to.find(ea.first); it != to.end()) {
                if (it->second != std::pair{eb.first, wanted}) return false;
            } else if (!add(ea.first, eb.first, wanted)) {
                return false;
            }
        }
    }
    Used = taken;
    return true;
}

// The pieces of a code: crossings joined by edges, by their smallest crossing.
std::vector<int> PieceStarts(const TKnot& K, const TPorts& P) {
    std::vector<int> seen(static_cast<std::size_t>(K.FCrossingCount()) + 1, 0), starts;
    for (int c = 1; c <= K.FCrossingCount(); ++c) {
        if (seen[static_cast<std::size_t>(c)] != 0) continue;
        starts.push_back(c);
        std::vector<int> todo{c};
        seen[static_cast<std::size_t>(c)] = 1;
        while (!todo.empty()) {
            const int x = todo.back();
            todo.pop_back();
            for (int p = 1; p <= 4; ++p) {
                const int y = P.Mate.at({x, p}).first;
                if (seen[static_cast<std::size_t>(y)] == 0) {
                    seen[static_cast<std::size_t>(y)] = 1;
                    todo.push_back(y);
                }
            }
        }
    }
    return starts;
}

}  // namespace

std::string SameDiagramFault(const TKnot& A, const TKnot& B) {
    if (A.FCrossingCount() != B.FCrossingCount())
        return std::to_string(A.FCrossingCount()) + " crossings against " + std::to_string(B.FCrossingCount());
    const TPorts pa = PortsOf(A), pb = PortsOf(B);
    if (pa.Loops != pb.Loops) return std::to_string(pa.Loops) + " free loops against " + std::to_string(pb.Loops);
    std::vector<int> used(static_cast<std::size_t>(B.FCrossingCount()) + 1, 0);
    // Pieces that are the same diagram can be matched in any order.
    for (const int start : PieceStarts(A, pa)) {
        bool found = false;
        for (int b = 1; b <= B.FCrossingCount() && !found; ++b)
            for (int turn = 0; turn < 4 && !found; ++turn) found = used[static_cast<std::size_t>(b)] == 0 &&
                                                                   Grow(A, pa, B, pb, start, b, turn, used);
        if (!found) return "no crossing of the drawing matches the piece of crossing " + std::to_string(start);
    }
    return {};
}

std::string SpacingFault(const TDrawing& D) {
    const TDraw& d = D.Draw;
    if (D.Width < 1 || D.Height < 1 || D.Width > 999 || D.Height > 999)
        return "canvas " + std::to_string(D.Width) + " x " + std::to_string(D.Height);
    for (const TDrawLine& l : d.FLines)
        if (l.Group >= d.FGroupCount) return "an open group";
    auto text = [](TPoint p) { return "(" + std::to_string(p.X) + ", " + std::to_string(p.Y) + ")"; };
    auto start = [&](const TDrawLine& l) { return d.PointAt(l.StartIndex); };
    auto end = [&](const TDrawLine& l) { return d.PointAt(l.EndIndex); };
    auto onLine = [&](TPoint p, const TDrawLine& l) {
        const TPoint s = start(l), e = end(l);
        return Side(s, e, p) == 0 && std::min(s.X, e.X) <= p.X && p.X <= std::max(s.X, e.X) &&
               std::min(s.Y, e.Y) <= p.Y && p.Y <= std::max(s.Y, e.Y);
    };

    std::vector<TPoint> corners, crossings;
    for (const TDrawPoint& p : d.FPoints) corners.push_back({p.X, p.Y});
    for (std::size_t a = 0; a < d.FCross.size(); ++a)
        for (std::size_t b = 0; b < a; ++b)
            if (IsCrossing(d.FCross[a][b])) crossings.push_back(d.FCross[a][b]);
    for (std::size_t i = 0; i < corners.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (SquaredDistance(corners[i], corners[j]) < 256) return "corners " + text(corners[i]) + " and " + text(corners[j]);
    for (std::size_t i = 0; i < crossings.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j)
            if (SquaredDistance(crossings[i], crossings[j]) < 256)
                return "crossings " + text(crossings[i]) + " and " + text(crossings[j]);
        for (const TPoint& c : corners)
            if (SquaredDistance(crossings[i], c) < 256) return "crossing " + text(crossings[i]) + " and corner " + text(c);
        int through = 0;
        for (const TDrawLine& l : d.FLines) through += onLine(crossings[i], l) ? 1 : 0;
        if (through != 2) return std::to_string(through) + " lines through crossing " + text(crossings[i]);
    }
    for (std::size_t l = 0; l < d.FLines.size(); ++l) {
        const TDrawLine& line = d.FLines[l];
        for (std::size_t i = 0; i < corners.size(); ++i)
            if (static_cast<int>(i) != line.StartIndex && static_cast<int>(i) != line.EndIndex && onLine(corners[i], line))
                return "corner " + text(corners[i]) + " on a line";
        for (std::size_t k = 0; k < l; ++k) {
            const TDrawLine& other = d.FLines[k];
            if (Side(start(line), end(line), start(other)) != 0 || Side(start(line), end(line), end(other)) != 0) continue;
            // Collinear: they may share an end, never a stretch.
            const bool shareEnd = line.StartIndex == other.EndIndex || line.EndIndex == other.StartIndex;
            if (!shareEnd && (onLine(start(other), line) || onLine(start(line), other)))
                return "collinear lines overlapping at " + text(start(line));
            if (shareEnd) return "no corner between collinear lines at " + text(start(line));
        }
    }
    int minX = D.Width, minY = D.Height, maxX = 0, maxY = 0;
    for (const TPoint& p : corners) {
        if (p.X < 16 || p.Y < 16 || p.X > D.Width - 16 || p.Y > D.Height - 16) return "corner " + text(p) + " near the edge";
        minX = std::min(minX, p.X);
        minY = std::min(minY, p.Y);
        maxX = std::max(maxX, p.X);
        maxY = std::max(maxY, p.Y);
    }
    if (!corners.empty() && (std::abs(minX + maxX - D.Width) > 1 || std::abs(minY + maxY - D.Height) > 1))
        return "not centred";
    const bool standard = D.Width == 400 && D.Height == 300;
    const std::string canvas = "canvas " + std::to_string(D.Width) + " x " + std::to_string(D.Height) + " for " +
                               std::to_string(crossings.size()) + " crossings";
    if (crossings.size() <= 12 && !standard) return canvas;
    // A larger canvas is the smallest that holds the drawing with its margins.
    if (!standard && !corners.empty() &&
        (D.Width != std::max(400, maxX - minX + 32) || D.Height != std::max(300, maxY - minY + 32)))
        return canvas + ", larger than needed";
    return {};
}

}  // namespace ravelon::testing
