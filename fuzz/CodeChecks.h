// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets require of every crossing code they are given.
#pragma once

#include "knot/Knot.h"

namespace ravelon::fuzz {

// Ends the run (a finding) unless Condition holds.
void Check(bool Condition);

// Every port of every crossing is the end of exactly one edge, and every
// edge end names a port of an existing crossing or is a loop's (0, 0).
void CheckComplete(const TKnot& Knot);

}  // namespace ravelon::fuzz
