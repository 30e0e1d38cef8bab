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

void TKnot::Smooth(int Kind) {
    const std::int32_t c = FCrossingCount();
    if (c < 1) throw std::logic_error("smoothing a code without crossings");
    if (Kind != 1 && Kind != 2) throw std::logic_error("smoothing of unknown kind " + std::to_string(Kind));
    const std::int32_t first = FCrossings[static_cast<std::size_t>(c)].FirstPort;
    if (first < 1 || first > 4) BadCrossing(c, "first port " + std::to_string(first) + " is not 1 to 4");

    // The edges at the four ports of crossing c, indexed by port: the edge,
    // its end at the port (Near) and its other end (Far). An edge with both
    // ends on c is recorded at both ports.
    std::array<std::size_t, 5> edgeAt{};
    std::array<TEnd, 5> nearEnd{}, farEnd{};
    std::array<int, 5> seen{};
    const std::size_t m = FEdges.size() - 1;
    auto record = [&](std::size_t k, std::int32_t q, TEnd nearE, TEnd farE) {
        if (q < 1 || q > 4) BadCrossing(c, "an edge names port " + std::to_string(q));
        ++seen[static_cast<std::size_t>(q)];
        edgeAt[static_cast<std::size_t>(q)] = k;
        nearEnd[static_cast<std::size_t>(q)] = nearE;
        farEnd[static_cast<std::size_t>(q)] = farE;
    };
    for (std::size_t k = 1; k <= m; ++k) {
        const TEdge& e = FEdges[k];
        if (e.Crossing1 == c) record(k, e.Port1, {e.Crossing1, e.Port1}, {e.Crossing2, e.Port2});
    }
    for (std::size_t k = 1; k <= m; ++k) {
        const TEdge& e = FEdges[k];
        if (e.Crossing2 == c) record(k, e.Port2, {e.Crossing2, e.Port2}, {e.Crossing1, e.Port1});
    }
    for (std::size_t q = 1; q <= 4; ++q) {
        if (seen[q] == 0) BadCrossing(c, "port " + std::to_string(q) + " has no edge");
        if (seen[q] > 1) BadCrossing(c, "port " + std::to_string(q) + " is the end of more than one edge");
    }

    FCrossings.pop_back();
    for (std::size_t q = 1; q <= 4; ++q) FEdges[edgeAt[q]] = DeletedEdge;

    // The port cycle from FirstPort, and the pairs the smoothing joins:
    // R0 with R1 and R2 with R3.
    std::array<std::int32_t, 4> s{first, 0, 0, 0};
    for (std::size_t i = 1; i < 4; ++i) s[i] = NextPort(s[i - 1]);
    const std::array<std::int32_t, 4> r =
        Kind == 1 ? s : std::array<std::int32_t, 4>{s[1], s[2], s[3], s[0]};
    auto farOf = [&](std::int32_t p) { return farEnd[static_cast<std::size_t>(p)]; };
    auto nearOf = [&](std::int32_t p) { return nearEnd[static_cast<std::size_t>(p)]; };

    TEdge e1 = MakeEdge(farOf(r[0]), farOf(r[1]));
    TEdge e2 = MakeEdge(farOf(r[2]), farOf(r[3]));
    // An edge from R3 back to R0 makes the two arcs one path through it.
    if (farOf(r[3]) == nearOf(r[0])) {
        e1 = MakeEdge(farOf(r[1]), farOf(r[2]));
        e2 = DeletedEdge;
    }
    // Likewise an edge from R1 to R2; when both apply, this closes one loop.
    if (farOf(r[1]) == nearOf(r[2])) {
        e1 = MakeEdge(farOf(r[3]), farOf(r[0]));
        e2 = DeletedEdge;
    }
    // An edge between two opposite ports (a curve that meets this crossing on
    // one strand only, which a drawing gives when some of its crossings are not
    // counted) joins the two arcs into one path, or closes one loop when both
    // pairs of opposite ports are joined.
    const bool across02 = farOf(r[0]) == nearOf(r[2]);
    const bool across13 = farOf(r[1]) == nearOf(r[3]);
    if (across02 || across13) {
        e1 = across02 && across13 ? MakeEdge(nearOf(r[0]), nearOf(r[2]))
             : across02           ? MakeEdge(farOf(r[1]), farOf(r[3]))
                                  : MakeEdge(farOf(r[0]), farOf(r[2]));
        e2 = DeletedEdge;
    }
    FEdges.push_back(e1);
    FEdges.push_back(e2);

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
    for (std::size_t i = 1; i < FCrossings.size(); ++i) {
        const std::int32_t d = FCrossings[i].FirstPort - FCrossings[i].SecondPort;
        if (d == 1 || d == -3) ++w;
        else if (d == -1 || d == 3) --w;
    }
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
