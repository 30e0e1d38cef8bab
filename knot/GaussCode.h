// SPDX-License-Identifier: GPL-3.0-or-later
// The oriented Gauss code of a crossing code, in the O/U form.
//
// Data model: every component is followed in its direction and every
// crossing passed is written as O or U (the strand passes over or under it),
// the crossing's number, and its sign: + for a crossing that TKnot::Writhe
// counts +1 (SignOf, a right-handed crossing), - for one it counts -1. Each
// crossing is so written twice, once O and once U, with one sign. The signs
// fix every crossing's local picture, so the code gives the crossing code
// with no search for a drawing. For example the trefoil of writhe 3, the
// table's 3_1 (Jones polynomial t + t^3 - t^4), is
//     O1+U2+O3+U1+O2+U3+
// and its mirror image, of writhe -3 (t^-1 + t^-3 - t^-4), is
//     O1-U2-O3-U1-O2-U3-
// A link is written as its components in brackets, "[O1+U2+], [U1+O2+]" (the
// Hopf link of linking number 1), and a component that meets no crossing as
// "[]": the unknot without crossings is "[]". The forms read are listed in
// knot/GaussRead.h.
#pragma once

#include <string>

#include "knot/Knot.h"

namespace ravelon {

// The oriented Gauss code of a complete crossing code (every port joined
// once, each edge from a strand's exit to a strand's entry): the components
// that meet crossings in the order of the lowest crossing of TKnot they pass,
// each from the entry of that crossing's strand (the one passing over when
// both strands of it lie on the component), then "[]" for every loop without
// crossings; crossings numbered from 1 in the order they are first passed.
// The code read back (ReadOrientedGauss) is the same diagram. Throws
// std::invalid_argument when a crossing has no over- and under-strand or an
// edge does not run from an exit to an entry, and std::logic_error when a
// port is not the end of exactly one edge.
std::string OrientedGaussCode(const TKnot& Knot);

}  // namespace ravelon
