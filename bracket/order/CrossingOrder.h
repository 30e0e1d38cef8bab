// SPDX-License-Identifier: GPL-3.0-or-later
// The greedy crossing orders: at every step the crossing that leaves the
// smallest boundary (bracket/order/Order.h).
#pragma once

#include <cstdint>
#include <vector>

#include "bracket/order/Order.h"
#include "knot/PortGraph.h"

namespace ravelon {

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
// order): the best by BetterOrder (bracket/order/CostModel.h).
TCrossingOrder ChooseOrder(const TPortGraph& Graph);

}  // namespace ravelon
