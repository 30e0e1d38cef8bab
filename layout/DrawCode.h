// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a crossing code as a diagram a person can edit.
//
// Data model: every component of the code becomes one closed group of
// straight lines, in the order of the first crossing it passes (crossings
// 1, 2, ..., the over-strand first), drawn in its direction of travel;
// curves without crossings come last, as squares. The lines run
// horizontally and vertically on a grid: every crossing and every corner has
// a grid point of its own, at least kMinSpacing pixels from any other, a
// strand runs straight through its crossings, and two lines meet only at a
// corner or where they cross. Each crossing gets the code's over/under and its
// arms in the code's clockwise order, so the drawing's crossing code is the
// code itself up to the numbering of crossings and edges (mirror image and
// directions kept). Pieces that share no crossing are drawn apart, in rows;
// the whole is centred on its canvas (layout/Canvas.h).
#pragma once

#include "diagram/Draw.h"
#include "knot/Knot.h"
#include "layout/CodeMap.h"

namespace ravelon {

// A drawn code and the canvas it is drawn on.
struct TDrawing {
    TDraw Draw;
    int Width = 0;
    int Height = 0;
};

// The drawing of Code. Throws TLayoutError (layout/CodeMap.h) with a
// Japanese message for a code that cannot be drawn: a port not joined
// exactly once, a crossing without an over- and an under-strand, an edge
// against the direction of travel, a piece that cannot be drawn in the plane,
// or a drawing larger than kMaxCanvasSide on a side.
TDrawing DrawCode(const TKnot& Code);

}  // namespace ravelon
