// SPDX-License-Identifier: GPL-3.0-or-later
// The planarity of a crossing code: whether it is the code of a diagram drawn
// in the plane.
//
// The faces of a code are traced by leaving a crossing through a port, arriving
// at the other end of the edge, and leaving there through the next port in
// rotational order. A code is planar when, for every connected part of its
// crossings, vertices - edges + faces = 2 (the surface the faces trace is a
// sphere). Loop edges without crossings are planar by themselves.
#pragma once

#include <string>

#include "knot/Knot.h"

namespace ravelon::testing {

// Empty when every connected part of the complete code Knot has Euler
// characteristic 2; otherwise a description of the first part that has not.
std::string PlanarityFault(const TKnot& Knot);

}  // namespace ravelon::testing
