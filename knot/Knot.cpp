// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/Knot.h"

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>


namespace ravelon {

namespace {

// One end of an edge: a crossing and a port of it.
struct TEnd {
    std::int32_t Crossing = 0;
    std::int32_t Port = 0;
    friend bool operator==(const TEnd&, const TEnd&) = default;
};

constexpr TEdge DeletedEdge{-1, -1, -1, -1};

TEdge MakeEdge(TEnd a, TEnd b) { return TEdge{a.Crossing, a.Port, b.Crossing, b.Port}; }

[[noreturn]] void BadCrossing(std::int32_t c, const std::string& what) {
    throw std::logic_error("crossing " + std::to_string(c) + ": " + what);
}

}  // namespace

TKnot::TKnot() : FCrossings(1), FEdges(1) {}

void TKnot::Assign(const TKnot& Source) {
    FCrossings = Source.FCrossings;
    FEdges = Source.FEdges;
}

namespace {

// The edges at the four ports of a crossing, indexed by TKnot's port: the
// edge, its end at the port (Near) and its other end (Far). An edge with both
// ends on the crossing is recorded at both ports.
struct TPortEdges {
    std::array<std::size_t, 5> Edge{};
    std::array<TEnd, 5> Near{}, Far{};
};

TPortEdges EdgesAt(const std::vector<TEdge>& Edges, std::int32_t c) {
    TPortEdges at;
    std::array<int, 5> seen{};
    auto record = [&](std::size_t k, std::int32_t q, TEnd nearEnd, TEnd farEnd) {
        if (q < 1 || q > 4) BadCrossing(c, "an edge names port " + std::to_string(q));
        const auto uq = static_cast<std::size_t>(q);
        ++seen[uq];
        at.Edge[uq] = k;
        at.Near[uq] = nearEnd;
        at.Far[uq] = farEnd;
    };
    for (std::size_t k = 1; k < Edges.size(); ++k) {
        const TEdge& e = Edges[k];
        if (e.Crossing1 == c) record(k, e.Port1, {e.Crossing1, e.Port1}, {e.Crossing2, e.Port2});
    }
    for (std::size_t k = 1; k < Edges.size(); ++k) {
        const TEdge& e = Edges[k];
        if (e.Crossing2 == c) record(k, e.Port2, {e.Crossing2, e.Port2}, {e.Crossing1, e.Port1});
    }
    for (std::size_t q = 1; q <= 4; ++q) {
        if (seen[q] == 0) BadCrossing(c, "port " + std::to_string(q) + " has no edge");
        if (seen[q] > 1) BadCrossing(c, "port " + std::to_string(q) + " is the end of more than one edge");
    }
    return at;
}

// The one or two edges that replace a crossing smoothed so that its port R0
// meets R1 and R2 meets R3 (the smoothing of knot/Ports.h); the second is
// DeletedEdge when the arcs join into one.
std::array<TEdge, 2> SmoothedEdges(const TPortEdges& At, const std::array<std::int32_t, 4>& R) {
    auto farOf = [&](std::int32_t p) { return At.Far[static_cast<std::size_t>(p)]; };
    auto nearOf = [&](std::int32_t p) { return At.Near[static_cast<std::size_t>(p)]; };
    // An edge between two opposite ports (a curve that meets this crossing on
    // one strand only, which a drawing gives when some of its crossings are not
    // counted) joins the two arcs into one path, or closes one loop when both
    // pairs of opposite ports are joined.
    const bool across02 = farOf(R[0]) == nearOf(R[2]);
    const bool across13 = farOf(R[1]) == nearOf(R[3]);
    if (across02 || across13) {
        return {across02 && across13 ? MakeEdge(nearOf(R[0]), nearOf(R[2]))
                : across02           ? MakeEdge(farOf(R[1]), farOf(R[3]))
                                     : MakeEdge(farOf(R[0]), farOf(R[2])),
                DeletedEdge};
    }
    // An edge from R1 to R2 makes the two arcs one path through it (and,
    // with an edge from R3 to R0 as well, closes one loop); likewise an edge
    // from R3 back to R0 alone.
    if (farOf(R[1]) == nearOf(R[2])) return {MakeEdge(farOf(R[3]), farOf(R[0])), DeletedEdge};
    if (farOf(R[3]) == nearOf(R[0])) return {MakeEdge(farOf(R[1]), farOf(R[2])), DeletedEdge};
    return {MakeEdge(farOf(R[0]), farOf(R[1])), MakeEdge(farOf(R[2]), farOf(R[3]))};
}

}  // namespace

void TKnot::Smooth(int Kind) {
    const std::int32_t c = FCrossingCount();
    if (c < 1) throw std::logic_error("smoothing a code without crossings");
    if (Kind != 1 && Kind != 2) throw std::logic_error("smoothing of unknown kind " + std::to_string(Kind));
    const std::int32_t first = FCrossings[static_cast<std::size_t>(c)].FirstPort;
    if (first < 1 || first > 4) BadCrossing(c, "first port " + std::to_string(first) + " is not 1 to 4");
    const TPortEdges at = EdgesAt(FEdges, c);

    FCrossings.pop_back();
    for (std::size_t q = 1; q <= 4; ++q) FEdges[at.Edge[q]] = DeletedEdge;

    // The pairs the smoothing joins, R0 with R1 and R2 with R3, R0 being the
    // first port (kind 1) or the port after it (kind 2).
    const std::int32_t f = first - 1;
    const std::int32_t r0 = Kind == 1 ? f : Clockwise(f);
    const std::int32_t r2 = Across(r0);
    const std::array<std::int32_t, 4> r{r0 + 1, SmoothingPartner(f, Kind, r0) + 1, r2 + 1,
                                        SmoothingPartner(f, Kind, r2) + 1};
    for (const TEdge& e : SmoothedEdges(at, r)) FEdges.push_back(e);

    // Compact: keep every edge not marked deleted, in order.
    std::vector<TEdge> kept;
    kept.reserve(FEdges.size());
    kept.push_back(FEdges[0]);
    for (std::size_t k = 1; k < FEdges.size(); ++k)
        if (FEdges[k].Crossing1 >= 0) kept.push_back(FEdges[k]);
    FEdges = std::move(kept);
}

TPoly LoopValue() {
    TPoly d(0);
    d.SetTerm(2, -1);
    d.SetTerm(-2, -1);
    return d;
}

void TKnot::StateSumBracket(TPoly& Result) const {
    if (FCrossingCount() == 0) {
        TPoly p = LoopValue();
        p.Power(FEdgeCount() - 1);
        Result.Assign(p);
        return;
    }
    TPoly b1(0), b2(0);
    {
        TKnot k1;
        k1.Assign(*this);
        k1.Smooth(1);
        k1.StateSumBracket(b1);
    }
    {
        TKnot k2;
        k2.Assign(*this);
        k2.Smooth(2);
        k2.StateSumBracket(b2);
    }
    TPoly m(0);
    m.SetTerm(1, 1);
    b1.Multiply(m);
    m.SetConstant(0);
    m.SetTerm(-1, 1);
    b2.Multiply(m);
    b1.Add(b2);
    Result.Assign(b1);
}

int TKnot::Writhe() const {
    int w = 0;
    for (std::size_t i = 1; i < FCrossings.size(); ++i) w += SignOf(FCrossings[i]);
    return w;
}

void TKnot::StateSumJones(TPoly& Result) const {
    TPoly b(0);
    StateSumBracket(b);
    const int w = Writhe();
    TPoly m(0);
    m.SetTerm(-3 * w, w % 2 != 0 ? -1 : 1);
    b.Multiply(m);
    b.DivideExponents(-4);
    Result.Assign(b);
}

}  // namespace ravelon
