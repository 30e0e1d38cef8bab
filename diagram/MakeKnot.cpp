// SPDX-License-Identifier: GPL-3.0-or-later
// Translation of the diagram into its crossing code.
//
// Every crossing of two lines of closed groups becomes a crossing of the code;
// the crossings, their order along each line and the sides of the ports are
// those of the drawing with its points moved by the one fixed infinitesimal
// move (diagram/Perturbation.h), so every drawing gives the code of a generic
// one. Its four ports are its four arms, numbered clockwise as seen on
// the canvas (Y down): port 1 leads back toward the start of the lower-numbered
// line (LineA), port 3 toward its end; ports 2 and 4 belong to the other line
// (LineB), 2 on the left-hand side of LineA's direction of travel and 4 on its
// right. Walking every closed curve line by line, crossing by crossing, joins
// the ports into arcs.
#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "diagram/Draw.h"
#include "diagram/Perturbation.h"

namespace ravelon {

namespace {

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

// One arm of a crossing: the (crossing row, port) at the other end of the arc
// through it; LinkCrossing is -1 while the arm is not joined.
struct TPortInfo {
    std::int32_t LinkCrossing = -1;
    std::int32_t LinkPort = 0;
};

// One crossing while the code is built: its lines and its ports.
struct TCrossingInfo {
    std::int32_t LineA = 0;  // the lower line index
    std::int32_t LineB = 0;  // the higher line index
    std::array<TPortInfo, 5> Ports{};  // 1 to 4; entry 0 unused
    std::int32_t FirstPort = 0;        // entry port of the strand passing over
    std::int32_t SecondPort = 0;       // entry port of the strand passing under
    std::int32_t EntryB = 0;           // entry port of LineB: 2 or 4
};

void Join(std::vector<TCrossingInfo>& Rows, std::int32_t R1, std::int32_t P1, std::int32_t R2, std::int32_t P2) {
    Rows[Ix(R1)].Ports[Ix(P1)].LinkCrossing = R2;
    Rows[Ix(R1)].Ports[Ix(P1)].LinkPort = P2;
    Rows[Ix(R2)].Ports[Ix(P2)].LinkCrossing = R1;
    Rows[Ix(R2)].Ports[Ix(P2)].LinkPort = P1;
}

// A line of a closed group (lines of the group being drawn are left out).
bool Closed(const TDraw& D, std::int32_t L) { return D.FLines[Ix(L)].Group < D.FGroupCount; }
TSite StartOf(const TDraw& D, std::int32_t L) { return D.SiteAt(D.FLines[Ix(L)].StartIndex); }
TSite EndOf(const TDraw& D, std::int32_t L) { return D.SiteAt(D.FLines[Ix(L)].EndIndex); }

// The crossings, numbered by the higher line first, then the lower. A pair
// counts when the crossing matrix holds it and the points bear it out, which
// the editing operations and the loader always keep so.
std::vector<TCrossingInfo> CrossingRows(const TDraw& D) {
    std::vector<TCrossingInfo> rows;
    for (std::int32_t b = 0; b < D.FLineCount(); ++b) {
        if (!Closed(D, b)) continue;
        for (std::int32_t a = 0; a < b; ++a)
            if (Closed(D, a) && IsCrossing(D.FCross[Ix(b)][Ix(a)]) &&
                MovedLinesCross(StartOf(D, a), EndOf(D, a), StartOf(D, b), EndOf(D, b)))
                rows.push_back({a, b, {}, 0, 0, 0});
    }
    return rows;
}

// The crossings along every line, from its start to its end, as rows.
std::vector<std::vector<std::int32_t>> CrossingsAlong(const TDraw& D, const std::vector<TCrossingInfo>& Rows) {
    std::vector<std::vector<std::int32_t>> along(Ix(D.FLineCount()));
    for (std::size_t r = 0; r < Rows.size(); ++r) {
        along[Ix(Rows[r].LineA)].push_back(static_cast<std::int32_t>(r));
        along[Ix(Rows[r].LineB)].push_back(static_cast<std::int32_t>(r));
    }
    for (std::int32_t l = 0; l < D.FLineCount(); ++l) {
        auto other = [&](std::int32_t r) { return Rows[Ix(r)].LineA == l ? Rows[Ix(r)].LineB : Rows[Ix(r)].LineA; };
        std::sort(along[Ix(l)].begin(), along[Ix(l)].end(), [&](std::int32_t x, std::int32_t y) {
            const std::int32_t ox = other(x), oy = other(y);
            const int c = CompareAlong(StartOf(D, l), EndOf(D, l), StartOf(D, ox), EndOf(D, ox), StartOf(D, oy), EndOf(D, oy));
            return c != 0 ? c < 0 : x < y;  // 0 only where the moved lines still meet in one point
        });
    }
    return along;
}

// Ports and over/under. LineA enters at port 1 and leaves at port 3. LineB
// enters on the side of its start point: port 2 when that lies on the left of
// LineA's direction (ports 1 to 4 lead toward LineA's start, LineB's start,
// LineA's end, LineB's end), port 4 otherwise (the same with LineB's ends
// exchanged). Only FOver[LineA][LineB] is read.
void SetPorts(const TDraw& D, std::vector<TCrossingInfo>& Rows) {
    for (TCrossingInfo& row : Rows) {
        const bool startOfBOnLeft = MovedSide(StartOf(D, row.LineA), EndOf(D, row.LineA), StartOf(D, row.LineB)) < 0;
        row.EntryB = startOfBOnLeft ? 2 : 4;
        const bool aOver = D.FOver[Ix(row.LineA)][Ix(row.LineB)];
        row.FirstPort = aOver ? 1 : row.EntryB;
        row.SecondPort = aOver ? row.EntryB : 1;
    }
}

// Walks every closed curve: leaves each crossing by the exit port of the line
// being walked and joins it to the entry port of the next crossing. Gives the
// number of curves without crossings.
std::int32_t JoinAlongCurves(const TDraw& D, const std::vector<std::vector<std::int32_t>>& Along,
                             std::vector<TCrossingInfo>& Rows) {
    std::int32_t loops = 0;
    std::int32_t l = 0;
    while (l < D.FLineCount() && Closed(D, l)) {
        const std::int32_t group = D.FLines[Ix(l)].Group;
        bool pending = true;
        std::int32_t prev = 0, prevExit = 0, first = 0, firstEntry = 0;
        for (; l < D.FLineCount() && D.FLines[Ix(l)].Group == group; ++l) {
            for (const std::int32_t r : Along[Ix(l)]) {
                const TCrossingInfo& row = Rows[Ix(r)];
                const std::int32_t entry = l == row.LineA ? 1 : row.EntryB;
                if (!pending) Join(Rows, prev, prevExit, r, entry);
                prev = r;
                prevExit = OppositePort(entry);
                if (pending) {
                    first = r;
                    firstEntry = entry;
                    pending = false;
                }
            }
        }
        if (pending)
            ++loops;
        else
            Join(Rows, prev, prevExit, first, firstEntry);
    }
    return loops;
}

}  // namespace

void TDraw::MakeKnot(TKnot& Knot) const {
    std::vector<TCrossingInfo> rows = CrossingRows(*this);
    SetPorts(*this, rows);
    const std::int32_t loops = JoinAlongCurves(*this, CrossingsAlong(*this, rows), rows);

    // The code: crossings in row order, then the arcs in the order of their
    // first (crossing, port), then one edge for every curve without crossings.
    Knot.FCrossings.assign(1, TCrossing{});
    Knot.FEdges.assign(1, TEdge{});
    for (const TCrossingInfo& row : rows) Knot.FCrossings.push_back({row.FirstPort, row.SecondPort});
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::int32_t p = 1; p <= 4; ++p) {
            TPortInfo& port = rows[r].Ports[Ix(p)];
            if (port.LinkCrossing < 0) continue;
            Knot.FEdges.push_back({static_cast<std::int32_t>(r) + 1, p, port.LinkCrossing + 1, port.LinkPort});
            rows[Ix(port.LinkCrossing)].Ports[Ix(port.LinkPort)].LinkCrossing = -1;
        }
    }
    for (std::int32_t k = 0; k < loops; ++k) Knot.FEdges.push_back({});
}

}  // namespace ravelon
