// SPDX-License-Identifier: GPL-3.0-or-later
// Reading classical Gauss codes of knots: the crossings in the order passed
// along the knot, without their signs.
//
// Data model: a list of crossing numbers (knot/NumberList.h), a number
// where the knot passes over the crossing, minus the number where it passes
// under; every crossing passed once each way. The numbers need not be
// consecutive nor start at 1, but none may be 0. For example the
// trefoil is "1 -2 3 -1 2 -3" or "[-1, 2, -3, 1, -2, 3]", and "[]" the
// unknot. The code does not say which way the strands cross, so the diagram
// is drawn as knot/GaussRealise.h says: the first crossing of the code (and
// of every prime part of it) is right-handed, and the code gives a knot or
// its mirror image, whichever that makes it.
#pragma once

#include <string>

#include "knot/GaussRead.h"
#include "knot/Knot.h"

namespace ravelon {

// The crossing code drawn from the classical Gauss code in Text (crossings
// numbered in the order first passed). Throws TGaussError for text that is
// not such a code (naming the first token out of place), a crossing numbered
// 0 or not passed exactly twice, once over and once under, or a code that
// cannot be drawn in the plane.
TKnot ReadGaussCode(const std::string& Text);

}  // namespace ravelon
