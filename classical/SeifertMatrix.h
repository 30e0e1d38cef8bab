// SPDX-License-Identifier: GPL-3.0-or-later
// The Seifert matrix of a crossing code, from the surface of Seifert's
// algorithm.
//
// Data model: the crossings are smoothed along the orientation into Seifert
// circles; every circle bounds a disk, a circle inside another (seen from a
// region chosen as the outside) lies above it, and every crossing becomes a
// half-twisted band between the two circles it joins. The first homology of
// the surface has one generator for every crossing outside a spanning forest
// of the Seifert graph (circles joined by crossings): the cycle through that
// crossing and back along the forest. Inside a disk a generator runs along
// just inside the circle, in the circle's direction, each generator at its
// own distance from the circle and through every band at its own place.
// V[i][j] is the linking number of generator i with generator j pushed off
// the surface to its positive side, counted as half the signed crossings of
// the two curves in the projection: in the disks, where a curve turns in from
// or out to a band, and under the bands to inner circles; and once in every
// band both pass through.
//
// A code whose diagram falls into several pieces (parts without a crossing in
// common, closed loops without crossings counted) gets one block of V for
// every piece; Pieces says how many there are.
#pragma once

#include "classical/IntMatrix.h"
#include "knot/Knot.h"

namespace ravelon {

// A Seifert matrix and the number of pieces of the diagram it comes from.
struct TSeifertMatrix {
    TIntMatrix V;
    int Pieces = 0;
};

// The Seifert matrix of a complete crossing code whose every edge runs from
// the exit port of a strand to an entry port. Throws std::invalid_argument
// when the code has a crossing without an over- and under-strand or an edge
// against the orientation, and std::logic_error for an incomplete code.
TSeifertMatrix SeifertMatrixOf(const TKnot& Code);

}  // namespace ravelon
