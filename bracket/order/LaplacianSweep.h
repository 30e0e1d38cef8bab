// SPDX-License-Identifier: GPL-3.0-or-later
// Crossing orders that sweep a picture of the crossing graph drawn from its
// Laplacian.
//
// Data model: the Laplacian L of the crossing graph (each crossing's number
// of arcs to other crossings on the diagonal, minus the arcs between two
// crossings off it) has the constant vectors as its kernel. Its eigenvectors
// of the next two eigenvalues, x and y, place the crossings in the plane much
// as a drawing of the diagram would: neighbours lie close together. A sweep
// by a line of direction t takes the crossings in the order of
// cos t x + sin t y, and a greedy order with that position as its rank
// (bracket/order/CrossingOrder.h) keeps the boundary it leaves small. x and y are
// found by power iteration on cI - L, kept orthogonal to the constants and to
// each other, from a fixed start, so a code always gets the same orders.
#pragma once

#include <cstdint>

#include "bracket/order/Order.h"
#include "knot/PortGraph.h"

namespace ravelon {

// The best of the sweeps of the picture and of the greedy orders they rank,
// over directions spread around the circle, as many as keep the greedy steps
// (n^2 each) within StepBudget: the smallest widest boundary, then the least
// work (OrderWork). The order of no crossing for a code without crossings.
TCrossingOrder LaplacianSweepOrder(const TPortGraph& Graph, std::int64_t StepBudget);

}  // namespace ravelon
