// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-number coordinates for the vertices of an orthogonal graph.
//
// Data model: a run is a set of vertices joined by edges along one axis
// (vertical runs for the X coordinates, horizontal ones for Y); all vertices
// of a run share that coordinate. Along the other axis a run covers the
// closed interval from its lowest to its highest vertex. Coordinates are
// grid units from 0; a drawing is valid when every edge has the direction
// the graph gives it and a length of at least 1, and no two runs whose
// intervals meet share a coordinate.
#pragma once

#include <vector>

#include "diagram/Geometry.h"
#include "layout/OrthoGraph.h"

namespace ravelon {

// Coordinates for a graph cut into rectangles (layout/Rectangles.h): every
// edge 1 long or longer, by the longest path along each axis.
std::vector<TPoint> GridOf(const TOrthoGraph& G);

// Moves the runs of a valid drawing of G as far toward 0 as they go while
// every two runs whose intervals meet keep their order, one axis after the
// other until nothing moves. The drawing stays valid and keeps its faces.
void Compact(const TOrthoGraph& G, std::vector<TPoint>& Points);

}  // namespace ravelon
