// SPDX-License-Identifier: GPL-3.0-or-later
// One piece of a code drawn on a grid with horizontal and vertical lines:
// every crossing and every bend at a grid point of its own.
//
// Data model: coordinates are grid units, from 0 to Width and to Height.
// Crossing[c - 1] is where crossing c stands (for the crossings of the
// piece); Bends[d] lists the corners of the edge leaving dart d, in the order
// they are met walking from d (for the darts of the piece). The arms of a
// crossing point along its ports clockwise, so the drawing has the code's
// rotation at every crossing, and a strand goes straight through. Of the
// faces tried as the outer one, the drawing kept is the one that fits the
// default canvas at the widest spacing, then the one with the fewest bends,
// then the smallest; it is turned a quarter so that it is no taller than wide.
#pragma once

#include <vector>

#include "diagram/Geometry.h"
#include "layout/CodeMap.h"

namespace ravelon {

// The grid drawing of one piece.
struct TPieceLayout {
    std::vector<TPoint> Crossing;
    std::vector<std::vector<TPoint>> Bends;
    int Width = 0;
    int Height = 0;
    int BendCount = 0;
};

// The drawing of Piece of Map.
TPieceLayout LayOutPiece(const TCodeMap& Map, int Piece);

}  // namespace ravelon
