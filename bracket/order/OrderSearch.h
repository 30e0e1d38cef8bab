// SPDX-License-Identifier: GPL-3.0-or-later
// The search for a crossing order of small cost: the greedy orders of
// bracket/order/CrossingOrder.h, greedy orders whose ties are broken by the
// elimination orders of a tree decomposition of the crossing graph, and the
// sweeps of its Laplacian picture (bracket/order/LaplacianSweep.h).
//
// Data model: the crossing graph has the crossings 0 to n - 1 as vertices and
// an edge between two crossings joined by an arc. An elimination order removes
// the vertices one at a time and joins the neighbours of each removed vertex
// to one another (the fill); min-degree removes the vertex of fewest
// neighbours, min-fill the one whose removal adds the fewest edges. The
// position of a crossing in such an order is its rank: crossings eliminated
// early lie in small separated pockets, so breaking the greedy's ties by rank
// takes a pocket whole before the sweep moves on. Every candidate order is
// scored by its widest boundary and then by its estimated work, as
// BetterOrder compares them (bracket/order/CostModel.h); the best one is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bracket/order/Order.h"
#include "knot/PortGraph.h"

namespace ravelon {

// Which orders the search tries.
enum class TOrderSearch {
    // Only the greedy orders of ChooseOrder.
    Greedy,
    // Those, the greedy orders with elimination ranks and the Laplacian
    // sweeps.
    Decomposition,
};

// The min-degree (MinFill false) or min-fill elimination order of the
// crossing graph, with ties broken by the crossing number.
std::vector<std::int32_t> EliminationOrder(const TPortGraph& Graph, bool MinFill);

// The best order found: the smallest widest boundary, then the least work.
TCrossingOrder SearchOrder(const TPortGraph& Graph, TOrderSearch Search = TOrderSearch::Decomposition);

}  // namespace ravelon
