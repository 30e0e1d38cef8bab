// SPDX-License-Identifier: GPL-3.0-or-later
// The DT (Dowker-Thistlethwaite) code of a knot's crossing code.
//
// Data model: the knot is followed from crossing 1 of TKnot, starting on the
// strand that passes over it, in the direction in which that strand enters
// it; the passages are labelled 1, 2, 3, ... in order, and the code lists the
// even label paired with 1, 3, 5, ..., negative where the knot passes over
// the crossing at the even label (knot/DtRead.h). For example the table's
// trefoil X[1,5,2,4] X[3,1,4,6] X[5,3,6,2] is "4 6 2". The code forgets
// which way the strands cross: read back (ReadDtCode) it is the same knot or
// its mirror image. The unknot without crossings is "[]".
#pragma once

#include <string>

#include "knot/Knot.h"

namespace ravelon {

// The DT code of a complete crossing code of one component, the numbers
// separated by spaces. Throws std::invalid_argument when the code has a
// crossing with no over- and under-strand, more than one component, or a
// crossing whose two labels are both odd or both even (no plane diagram),
// and std::logic_error when a port is not the end of exactly one edge.
std::string DtCode(const TKnot& Knot);

}  // namespace ravelon
