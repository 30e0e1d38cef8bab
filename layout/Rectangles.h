// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting every face of an orthogonal graph into rectangles, so that lengths
// can be given to its edges one axis at a time.
//
// Data model: the graph gains vertices and edges only. Inside a face, a
// right turn (three right angles inside) followed by two left turns is cut
// off by an edge from the right turn's corner straight on, to a new vertex on
// the edge after the second left turn; the piece cut off is a rectangle.
// When no face has such a run, the corners left on the outer face are joined
// straight on to a frame of new vertices around the whole, one side for
// each direction. Then every face but the one outside the frame is a
// rectangle: four left turns, every other vertex straight on.
#pragma once

#include "layout/OrthoGraph.h"

namespace ravelon {

// Refines the connected graph G into rectangles. Throws std::logic_error
// when G's directions do not describe a plane drawing.
void CutIntoRectangles(TOrthoGraph& G);

}  // namespace ravelon
