// SPDX-License-Identifier: GPL-3.0-or-later
// The closure of a braid as a crossing code.
//
// Data model: a braid word on s strands lists generators i or -i with
// 1 <= i < s: i is sigma_i, which crosses the strands at positions i and
// i + 1 (counted from the left, from 1), -i its inverse. The strands run
// down and every one is closed by an arc from its bottom back to its top on
// the right of the braid. sigma_i puts the strand from the upper right over
// the one from the upper left: with all strands running down it is a
// positive crossing (writhe +1), so that the closure of sigma_1^3 is the
// trefoil of writhe 3, the table's 3_1 (Jones polynomial t + t^3 - t^4).
// A position that no generator touches closes into a circle of its own,
// unknotted and unlinked from the rest.
//
// Generator k of the word is crossing k + 1 of TKnot, with its ports (run
// clockwise on the screen) 1 at the upper right, 2 at the lower right, 3 at
// the lower left and 4 at the upper left. The edges come position by
// position from the left, top to bottom, the arc closing a position last.
#pragma once

#include <vector>

#include "knot/Knot.h"

namespace ravelon {

// The crossing code of the closure of Word on Strands strands. Throws
// std::invalid_argument when a generator is 0 or not below Strands in size.
TKnot ClosedBraid(int Strands, const std::vector<int>& Word);

}  // namespace ravelon
