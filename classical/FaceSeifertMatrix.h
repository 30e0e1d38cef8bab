// SPDX-License-Identifier: GPL-3.0-or-later
// The Seifert matrix of a crossing code in a basis of its faces: a few
// non-zero entries for every crossing, for diagrams of thousands of them.
//
// Data model: the surface is the one of classical/SeifertMatrix.h. A face of the
// diagram (a cycle of corners, classical/SeifertCircles.h) passes through the band
// of a crossing at each of its middle corners (between the two entry ports or
// the two exit ports) and, between two of them, runs along one circle past
// the corners that circle cuts: a closed curve on the surface. The faces of
// one region of the plane cut by the circles sum to a sum of circles, each of
// which bounds its disk; the faces left when one face of every region is left
// out (the one of most corners) are a basis of the surface's first homology
// over the integers. The matrix is thus congruent to the one of
// SeifertMatrixOf by a unimodular change of basis: the same Alexander
// polynomial and the same signature. Entry (i, j) is the linking number of
// face i with face j pushed off the surface (classical/SeifertLinking.h); it is 0
// unless the two faces meet at a crossing.
#pragma once

#include "knot/Knot.h"
#include "classical/SparseMatrix.h"

namespace ravelon {

// A sparse Seifert matrix and the number of pieces of the diagram it comes
// from (closed loops without crossings counted): one block for every piece
// with crossings.
struct TFaceSeifertMatrix {
    TSparseMatrix V;
    int Pieces = 0;
};

// The Seifert matrix of a complete crossing code, in the basis of its faces.
// Throws as SeifertMatrixOf does.
TFaceSeifertMatrix FaceSeifertMatrixOf(const TKnot& Code);

}  // namespace ravelon
