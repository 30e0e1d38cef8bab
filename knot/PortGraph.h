// SPDX-License-Identifier: GPL-3.0-or-later
// The ports of a crossing code as a graph: which port every port is joined to.
//
// Data model: the nodes are those of knot/Ports.h, 4c + p for port p (0 to 3)
// of crossing c (0 to n - 1); TKnot's crossing c port p is node KnotNode(c, p).
// Mate[node] is the node at the other end of the edge that starts at it (the
// node itself never: an edge from a port to the same port is refused). Edges
// whose ends both name no existing crossing are closed loops that meet no
// crossing; only their number is kept.
#pragma once

#include <cstdint>
#include <vector>

#include "knot/Knot.h"

namespace ravelon {

// The edges of a complete crossing code, seen from its ports.
struct TPortGraph {
    int Crossings = 0;
    // The node joined to each node, 4n entries.
    std::vector<std::int32_t> Mate;
    // The number of loops that meet no crossing.
    int FreeLoops = 0;
    // The entry port (0 to 3) of the strand passing over, for each crossing.
    std::vector<std::int32_t> FirstPort;
};

// The crossing at the other end of the edge at port Port of Crossing.
inline std::int32_t Neighbour(const TPortGraph& Graph, std::int32_t Crossing, std::int32_t Port) {
    return CrossingOf(Graph.Mate[static_cast<std::size_t>(NodeOf(Crossing, Port))]);
}

// The port graph of Code. Throws std::logic_error naming the crossing when a
// crossing's first port is not 1 to 4, when a port is not the end of exactly
// one edge, or when an edge joins a port with no existing crossing (an open
// curve): the bracket is defined for complete codes only.
TPortGraph BuildPortGraph(const TKnot& Code);

}  // namespace ravelon
