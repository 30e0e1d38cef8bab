// The ports of a crossing code as a graph: which port every port is joined to.
//
// Data model: port p (1 to 4) of crossing c (1 to n) is the node 4(c - 1) + p - 1.
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
    // The entry port of the strand passing over, for each crossing from 0.
    std::vector<std::int32_t> FirstPort;
};

constexpr std::int32_t PortNode(std::int32_t Crossing, std::int32_t Port) { return 4 * (Crossing - 1) + Port - 1; }
constexpr std::int32_t CrossingOfNode(std::int32_t Node) { return Node / 4 + 1; }
constexpr std::int32_t PortOfNode(std::int32_t Node) { return Node % 4 + 1; }

// The port graph of Code. Throws std::logic_error naming the crossing when a
// crossing's first port is not 1 to 4, when a port is not the end of exactly
// one edge, or when an edge joins a port with no existing crossing (an open
// curve): the bracket is defined for complete codes only.
TPortGraph BuildPortGraph(const TKnot& Code);

}  // namespace ravelon
