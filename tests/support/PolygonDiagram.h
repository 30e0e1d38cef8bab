// SPDX-License-Identifier: GPL-3.0-or-later
// Random one-polygon diagrams for the benchmarks: a single closed group whose
// corners are random points of a 999 x 999 canvas, with random over/under at
// every crossing. The same target and seed always give the same diagram.
#pragma once

#include "diagram/Draw.h"

namespace ravelon::testing {

// A diagram of one closed polygon with about Crossings crossings (within a
// tenth), drawn with the editing operations.
TDraw RandomPolygon(int Crossings, unsigned Seed);

}  // namespace ravelon::testing
