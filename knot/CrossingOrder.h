// The order in which the contraction takes the crossings of a code.
//
// Data model: an order is a permutation of the crossings 0 to n - 1 (crossing
// c of the code is c - 1 here). After the first k crossings of the order are
// taken, the boundary is the set of edges with one end on a taken crossing and
// the other on a crossing not yet taken; its size after each step is kept in
// Widths. The contraction keeps one polynomial per pairing of the boundary
// ends, so its cost grows with the widest boundary.
#pragma once

#include <cstdint>
#include <vector>

#include "knot/PortGraph.h"

namespace ravelon {

// A crossing order and the boundary sizes it goes through.
struct TCrossingOrder {
    std::vector<std::int32_t> Crossings;
    // Widths[k]: the number of boundary edges after the first k + 1 crossings.
    std::vector<int> Widths;
    int MaxWidth = 0;
};

// The boundary sizes of taking the crossings in the given order.
TCrossingOrder MeasureOrder(const TPortGraph& Graph, std::vector<std::int32_t> Crossings);

// The greedy order from Start: at every step the crossing that leaves the
// smallest boundary; of equal ones the crossing with most edges into the taken
// part; of those, without Rank the one that first touched the taken part (a
// sweep), with Rank (a number for each crossing) the one of smallest rank.
TCrossingOrder GreedyOrder(const TPortGraph& Graph, std::int32_t Start,
                           const std::vector<std::uint32_t>* Rank = nullptr);

// The best of the greedy orders from a spread of start crossings, taken as
// sweeps and, when those leave a wide boundary, also with the last ties
// broken at random (a fixed seed, so the same code always gets the same
// order): the smallest widest boundary, then the smallest sum of 2^width over
// the steps.
TCrossingOrder ChooseOrder(const TPortGraph& Graph);

}  // namespace ravelon
