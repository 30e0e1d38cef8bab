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

}  // namespace

void TDraw::MakeKnot(TKnot& Knot) const {
    const std::int32_t lineCount = FLineCount();
    auto closed = [&](std::int32_t l) { return FLines[Ix(l)].Group < FGroupCount; };

    // The crossings, numbered by the higher line first, then the lower. Lines
    // of the group still being drawn are left out. A pair counts when the
    // crossing matrix holds it and the points bear it out, which the editing
    // operations and the loader always keep so.
    auto start = [&](std::int32_t l) { return SiteAt(FLines[Ix(l)].StartIndex); };
    auto end = [&](std::int32_t l) { return SiteAt(FLines[Ix(l)].EndIndex); };
    std::vector<TCrossingInfo> rows;
    for (std::int32_t b = 0; b < lineCount; ++b) {
        if (!closed(b)) continue;
        for (std::int32_t a = 0; a < b; ++a)
            if (closed(a) && IsCrossing(FCross[Ix(b)][Ix(a)]) && MovedLinesCross(start(a), end(a), start(b), end(b)))
                rows.push_back({a, b, {}, 0, 0, 0});
    }
    const std::int32_t n = static_cast<std::int32_t>(rows.size());

    // The crossings along every line, from its start to its end, as rows.
    std::vector<std::vector<std::int32_t>> along(Ix(lineCount));
    for (std::int32_t r = 0; r < n; ++r) {
        along[Ix(rows[Ix(r)].LineA)].push_back(r);
        along[Ix(rows[Ix(r)].LineB)].push_back(r);
    }
    for (std::int32_t l = 0; l < lineCount; ++l) {
        auto other = [&](std::int32_t r) { return rows[Ix(r)].LineA == l ? rows[Ix(r)].LineB : rows[Ix(r)].LineA; };
        std::sort(along[Ix(l)].begin(), along[Ix(l)].end(), [&](std::int32_t x, std::int32_t y) {
            const std::int32_t ox = other(x), oy = other(y);
            const int c = CompareAlong(start(l), end(l), start(ox), end(ox), start(oy), end(oy));
            return c != 0 ? c < 0 : x < y;  // 0 only where the moved lines still meet in one point
        });
    }

    // Ports and over/under. LineA enters at port 1 and leaves at port 3.
    // LineB enters on the side of its start point: port 2 when that lies on
    // the left of LineA's direction (ports 1 to 4 lead toward LineA's start,
    // LineB's start, LineA's end, LineB's end), port 4 otherwise (the same
    // with LineB's ends exchanged). Only FOver[LineA][LineB] is read.
    for (TCrossingInfo& row : rows) {
        const TDrawLine& la = FLines[Ix(row.LineA)];
        const TDrawLine& lb = FLines[Ix(row.LineB)];
        const bool startOfBOnLeft = MovedSide(SiteAt(la.StartIndex), SiteAt(la.EndIndex), SiteAt(lb.StartIndex)) < 0;
        row.EntryB = startOfBOnLeft ? 2 : 4;
        if (FOver[Ix(row.LineA)][Ix(row.LineB)]) {
            row.FirstPort = 1;
            row.SecondPort = row.EntryB;
        } else {
            row.FirstPort = row.EntryB;
            row.SecondPort = 1;
        }
    }

    // Walk every closed curve: leave each crossing by the exit port of the
    // line being walked and join it to the entry port of the next crossing.
    std::int32_t loops = 0;
    std::int32_t l = 0;
    while (l < lineCount && closed(l)) {
        const std::int32_t group = FLines[Ix(l)].Group;
        bool pending = true;
        std::int32_t prev = 0, prevExit = 0, first = 0, firstEntry = 0;
        for (; l < lineCount && FLines[Ix(l)].Group == group; ++l) {
            for (const std::int32_t r : along[Ix(l)]) {
                const TCrossingInfo& row = rows[Ix(r)];
                const std::int32_t entry = l == row.LineA ? 1 : row.EntryB;
                const std::int32_t exit = OppositePort(entry);
                if (!pending) Join(rows, prev, prevExit, r, entry);
                prev = r;
                prevExit = exit;
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
            Join(rows, prev, prevExit, first, firstEntry);
    }

    // The code: crossings in row order, then the arcs in the order of their
    // first (crossing, port), then one edge for every curve without crossings.
    Knot.FCrossings.assign(1, TCrossing{});
    Knot.FEdges.assign(1, TEdge{});
    for (const TCrossingInfo& row : rows) Knot.FCrossings.push_back({row.FirstPort, row.SecondPort});
    for (std::int32_t r = 0; r < n; ++r) {
        for (std::int32_t p = 1; p <= 4; ++p) {
            TPortInfo& port = rows[Ix(r)].Ports[Ix(p)];
            if (port.LinkCrossing < 0) continue;
            Knot.FEdges.push_back({r + 1, p, port.LinkCrossing + 1, port.LinkPort});
            rows[Ix(port.LinkCrossing)].Ports[Ix(port.LinkPort)].LinkCrossing = -1;
        }
    }
    for (std::int32_t k = 0; k < loops; ++k) Knot.FEdges.push_back({});
}

}  // namespace ravelon

