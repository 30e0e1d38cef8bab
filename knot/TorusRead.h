// SPDX-License-Identifier: GPL-3.0-or-later
// Reading torus knot and link names: "T(p, q)" as the closure of a braid.
//
// Data model: a line holds "T(p, q)" with integers p and q, spaces anywhere;
// for example "T(2, 3)" is the trefoil of writhe 3, the table's 3_1, and
// "T(2,-3)" its mirror image. T(p, q) with p, q > 0 is the closure of
// (sigma_1 ... sigma_(s-1))^t on s = min(p, q) strands with t = max(p, q)
// (knot/BraidClosure.h), so that T(p, q) and T(q, p) give one code; it is
// a knot when p and q are coprime and a link of gcd(p, q) components
// otherwise. A negative p or q (not both) gives the mirror image, with every
// generator inverted; T(-p, -q) is T(p, q). T(1, q) and T(p, 1) are the
// unknot (a circle without crossings). p or q of 0 is refused, and so is an
// absolute value above MaxTorusIndex.
#pragma once

#include <string>

#include "knot/BraidRead.h"
#include "knot/Knot.h"

namespace ravelon {

// The largest |p| and |q| of a torus knot name.
inline constexpr int MaxTorusIndex = 100;

// The crossing code of T(p, q).
TKnot TorusKnot(int P, int Q);

// The crossing code of the torus knot or link named in Text. Throws
// TBraidError for text that is not such a name, p or q of 0, or |p| or |q|
// above MaxTorusIndex.
TKnot ReadTorusName(const std::string& Text);

}  // namespace ravelon
