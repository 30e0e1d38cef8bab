// SPDX-License-Identifier: GPL-3.0-or-later
// The crossing code of a knot or link diagram, and its invariants.
//
// Data model: crossings 1 to n and edges 1 to m (entry 0 of both arrays holds
// nothing). The four ports of a crossing are numbered 1 to 4 in rotational
// order around it (clockwise as the diagram is seen on the canvas); ports p
// and p + 2 lie on one strand. A crossing names the port through which the
// strand passing over enters it (FirstPort) and the port through which the
// strand passing under enters it (SecondPort).
//
// An edge is an arc of the diagram from a port of one crossing to a port of the
// same or another crossing; either end may be end 1. Every port of every
// crossing is an end of exactly one edge. An edge joins two opposite ports of
// one crossing only when a curve meets that crossing on one strand alone, which
// a drawn diagram gives only when some of its crossings are not counted;
// smoothing accepts it. An edge whose ends name no existing crossing is a closed
// loop: a curve without crossings is stored as (0, 0, 0, 0), and smoothing
// leaves loops whose ends name the crossing it removed. With no crossings left,
// the number of edges is the number of closed loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "arith/Poly.h"
#include "knot/Ports.h"

namespace ravelon {

class TProgress;

// One crossing: the entry ports of the over-strand and of the under-strand.
struct TCrossing {
    std::int32_t FirstPort = 0;
    std::int32_t SecondPort = 0;
    friend bool operator==(const TCrossing&, const TCrossing&) = default;
};

// One arc, joining (Crossing1, Port1) with (Crossing2, Port2).
struct TEdge {
    std::int32_t Crossing1 = 0;
    std::int32_t Port1 = 0;
    std::int32_t Crossing2 = 0;
    std::int32_t Port2 = 0;
    friend bool operator==(const TEdge&, const TEdge&) = default;
};

// The sign of a crossing: +1 when the strand passing over enters at the port
// after the one where the strand passing under enters (a right-handed
// crossing), -1 when at the port before it, 0 when the two entries are not
// neighbours (no over- and under-strand).
constexpr int SignOf(const TCrossing& X) {
    const std::int32_t d = X.FirstPort - X.SecondPort;
    return d == 1 || d == -3 ? 1 : (d == -1 || d == 3 ? -1 : 0);
}

// The ports of knot/Ports.h in TKnot's numbering from 1: the successor of
// port p in rotational order (1 -> 2 -> 3 -> 4 -> 1), its predecessor, and
// the port on the same strand, across the crossing.
constexpr std::int32_t NextPort(std::int32_t p) { return Clockwise(p - 1) + 1; }
constexpr std::int32_t PrevPort(std::int32_t p) { return Across(Clockwise(p - 1)) + 1; }
constexpr std::int32_t OppositePort(std::int32_t p) { return Across(p - 1) + 1; }

// A crossing code: the combinatorial diagram on which invariants are computed.
class TKnot {
public:
    TKnot();

    int FCrossingCount() const { return static_cast<int>(FCrossings.size()) - 1; }
    int FEdgeCount() const { return static_cast<int>(FEdges.size()) - 1; }

    // Copies the crossings and the edges of Source.
    void Assign(const TKnot& Source);
    // Removes the last crossing by the smoothing of Kind (1 or 2), rejoining
    // its four edges: kind 1 joins FirstPort with its successor, kind 2 with
    // its predecessor, and the other two ports with each other. Throws
    // std::logic_error naming the crossing when a port of it is not the end of
    // exactly one edge, or when there is no crossing or Kind is not 1 or 2.
    void Smooth(int Kind);

    // The Kauffman bracket in the variable A, by contraction along a small
    // boundary (ContractBracket): its non-zero terms, largest exponent first,
    // or the single term 0 * A^0 when the value is 0. A code without
    // crossings gets exactly the state sum's polynomial. Throws TTooComplex
    // when the code needs more memory than MemoryLimit bytes (0: a share of
    // the memory free when the computation starts), and
    // std::logic_error when the code is not complete: a port that is not the
    // end of exactly one edge, or an edge from a port into no crossing.
    // Progress, when given, is told how far the contraction has got, and
    // its cancellation stops it with TCancelled (knot/Progress.h).
    void Bracket(TPoly& Result, TProgress* Progress = nullptr, std::size_t MemoryLimit = 0) const;
    // The writhe: +1 for every crossing whose SecondPort precedes its
    // FirstPort, -1 for every one whose SecondPort follows it.
    int Writhe() const;
    // The Jones polynomial in t: the bracket times (-A^3)^(-w), with
    // A = t^(-1/4); from the contraction, so its non-zero terms come largest
    // exponent of t first, or the single term 0 when the value is 0.
    void Jones(TPoly& Result, TProgress* Progress = nullptr, std::size_t MemoryLimit = 0) const;

    // The reference computations, by the full state sum over all 2^n
    // smoothings: A times the bracket of the kind-1 smoothing of the last
    // crossing plus A^-1 times that of the kind-2 smoothing, and
    // d^(loops - 1) with d = -A^2 - A^-2 once no crossing is left. The terms
    // come in the order the arithmetic makes them, zero coefficients kept.
    void StateSumBracket(TPoly& Result) const;
    // The Jones polynomial from StateSumBracket.
    void StateSumJones(TPoly& Result) const;

    // Entries 1 to n; entry 0 holds nothing.
    std::vector<TCrossing> FCrossings;
    // Entries 1 to m; entry 0 holds nothing.
    std::vector<TEdge> FEdges;
};

// The value of a closed loop, d = -A^2 - A^-2, built as 0*A^0 - A^2 - A^-2.
TPoly LoopValue();

}  // namespace ravelon
