// SPDX-License-Identifier: GPL-3.0-or-later
// Local improvement of a crossing order: one crossing at a time is moved to
// another place of the order when that lowers the estimated states.
//
// Data model: the order is the permutation of TCrossingOrder with its
// boundary widths. Moving the crossing at position i to position j changes
// only the boundaries of the steps between them, each by the arcs from the
// moved crossing into the part taken at that step: those widths are computed
// along the way, with nothing else measured again. A move is kept when no
// width passes the widest boundary so far and the sum of the states over the
// steps, each times its coefficients (OrderWork), does not grow. The moves
// are drawn from a generator with a fixed seed, so a code always gets the
// same order.
#pragma once

#include <cstdint>

#include "bracket/order/Order.h"
#include "knot/PortGraph.h"

namespace ravelon {

// Order improved by Moves tries of moving one crossing at most Reach places.
TCrossingOrder RefineOrder(const TPortGraph& Graph, TCrossingOrder Order, std::int64_t Moves, std::int32_t Reach);

}  // namespace ravelon
