// SPDX-License-Identifier: GPL-3.0-or-later
// Putting the separate pieces of a drawing side by side, in rows.
//
// Data model: sizes and places are in grid units; a piece W x H placed at P
// covers P to P + (W, H). Pieces keep their order, left to right and row by
// row, kPieceGap apart; rows are about as long as makes the whole roughly
// 4 : 3, and each piece is centred on its row's height.
#pragma once

#include <vector>

#include "diagram/Geometry.h"

namespace ravelon {

constexpr int kPieceGap = 2;

// The places of the pieces.
struct TArrangement {
    std::vector<TPoint> Place;
    int Width = 0;
    int Height = 0;
};

// Places pieces of the given sizes (X width, Y height).
TArrangement Arrange(const std::vector<TPoint>& Sizes);

}  // namespace ravelon
