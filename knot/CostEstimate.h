// The cost of contracting along an order, estimated before any step is taken,
// so that a code beyond reach is refused at once.
//
// Data model: after step k of an order of width w the contraction holds at
// most one state per pairing of the w boundary ends; for a planar code whose
// taken part is a disc these are the non-crossing pairings, Catalan(w / 2) of
// them. Each state holds its key (w + 1 bytes), its polynomial record, two
// places of the hash index and a block of 64-bit coefficients, about one for
// every two crossings taken (the exponents of a state span the smoothings of
// the taken crossings in steps of 4). A step holds the table before it and
// the one it builds.
#pragma once

#include <cstddef>

#include "knot/CrossingOrder.h"

namespace ravelon {

// The estimate may be up to about twice what a code needs (a closed braid's
// boundary holds fewer pairings than a disc's): a code is refused at once
// only when its estimate passes the bound by this factor.
constexpr double EstimateMargin = 2;

// What contracting along an order is expected to cost.
struct TCostEstimate {
    // The most states held after one step.
    double PeakStates = 0;
    // The most bytes held at once, by the two tables of one step.
    double PeakBytes = 0;
};

TCostEstimate EstimateCost(const TCrossingOrder& Order);

}  // namespace ravelon
