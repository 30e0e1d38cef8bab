// SPDX-License-Identifier: GPL-3.0-or-later
// The number of Kauffman states of a connected diagram, which bounds the
// coefficients of its Alexander polynomial.
//
// Data model: the faces of a planar diagram take two colours, the two faces
// on either side of an edge different ones; the faces of one colour with an
// edge for every crossing (between its two corners of that colour) are its
// Tait graph. A Kauffman state gives every crossing one of its corners, no
// two crossings a corner of the same face, and two faces that meet at an
// edge none; the states are as many as the spanning trees of the Tait graph
// (of either colour), which the matrix-tree theorem counts as the
// determinant of its Laplacian without one row and column. Alexander's
// determinant of the crossings against the faces has one term +-t^k for
// every state, so the absolute values of the coefficients of the Alexander
// polynomial sum to at most that number.
#pragma once

#include <gmpxx.h>

#include "knot/PortGraph.h"
#include "knot/Progress.h"

namespace ravelon {

// The number of Kauffman states of a complete planar code whose crossings
// all lie in one piece (1 without crossings). Throws std::logic_error when its faces do not
// take two colours. Progress is told the share done, from Done on for the
// share Share of the whole work, and looked at for the word to stop.
mpz_class KauffmanStates(const TPortGraph& Graph, TProgress* Progress = nullptr, double Done = 0, double Share = 0);

}  // namespace ravelon
