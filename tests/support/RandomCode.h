// SPDX-License-Identifier: GPL-3.0-or-later
// Crossing codes built without a diagram, for tests and benchmarks.
#pragma once

#include <random>

#include "knot/Knot.h"

namespace ravelon::testing {

// A complete code of Crossings crossings whose ports are paired at random: not
// always a planar diagram, and edges may join two ports of one crossing, also
// opposite ones. Each crossing has a random FirstPort and a SecondPort next to
// it; up to FreeLoops loops that meet no crossing are added.
TKnot RandomPortCode(std::mt19937& Rng, int Crossings, int FreeLoops);

// The connected sum of Pieces copies of Code (which has at least one
// crossing): the first edge of every copy is cut, and the copies are joined
// in a ring through the cut ends. Its bracket is the product of theirs.
TKnot ConnectedSum(const TKnot& Code, int Pieces);

}  // namespace ravelon::testing
