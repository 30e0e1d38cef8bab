// SPDX-License-Identifier: GPL-3.0-or-later
// Simplification of a crossing code before the contraction: the crossings
// that a Reidemeister move I (a curl) or II (two crossings of a bigon with one
// strand over at both) takes away are removed, again and again until none is
// left, and what each removal does to the bracket is kept.
//
// Data model: a removal replaces a tangle T of one or two crossings by plain
// arcs. The bracket of T alone, summed over its 2^|T| smoothings, is a
// polynomial for every way its outer ends are paired (a loop inside T counts
// d = -A^2 - A^-2). When exactly one pairing has a non-zero value and that
// value is a single term Sign * A^Shift, the bracket of the code is Sign *
// A^Shift times the bracket of the code with T replaced by the arcs of that
// pairing: a curl gives -A^(+-3), a bigon of move II gives 1. A tangle with no
// outer ends (a whole component) becomes one loop that meets no crossing when
// its value is a single term times d. The test is made on the smoothings
// themselves, so it holds for every complete code, planar or not. The result
// is a port graph (knot/PortGraph.h) with the crossings left renumbered in
// their order, and the factor Sign * A^Shift of the removals.
#pragma once

#include <cstdint>

#include "knot/PortGraph.h"

namespace ravelon {

// A code with the removable crossings taken away: bracket(original) =
// Sign * A^Shift * bracket(Graph).
struct TSimplified {
    TPortGraph Graph;
    int Sign = 1;
    std::int64_t Shift = 0;
};

// Removes from Graph every crossing that moves I and II take away, to a fixed point.
TSimplified Simplify(const TPortGraph& Graph);

}  // namespace ravelon
