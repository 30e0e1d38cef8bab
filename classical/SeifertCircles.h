// SPDX-License-Identifier: GPL-3.0-or-later
// The Seifert circles of a crossing code and how they lie in the plane.
//
// Data model: at crossing c the strand entering at SecondPort s leaves the
// smoothing at the port opposite FirstPort f, and the strand entering at f at
// the port opposite s. Arc alpha (s -> f + 2) runs from the under- to the
// over-strand side of the band, arc beta (f -> s + 2) from the over- to the
// under-strand side. Circles are numbered from 0; each lists the crossings it
// passes in its direction, and every crossing knows its place on both
// circles. The faces of the diagram are the cycles of corners (the corner
// (c, p) lies clockwise from port p to the next port); the regions of the
// plane cut by the circles join the two faces at each crossing that meet in
// the band. One region of every piece of the diagram is taken as the outside;
// a circle is counter-clockwise when the outside lies on its right. A band is
// inner for a circle when it lies inside that circle.
#pragma once

#include <cstdint>
#include <vector>

#include "knot/Knot.h"
#include "knot/Faces.h"
#include "knot/PortGraph.h"

namespace ravelon {

// One crossing seen by the two circles it joins.
struct TSeifertCrossing {
    int Sign = 0;               // +1 or -1
    int Alpha = 0, Beta = 0;    // the circles of the arcs alpha and beta
    int AlphaPlace = 0, BetaPlace = 0;  // the crossing's index along each circle
    bool InnerAlpha = false, InnerBeta = false;  // the band lies inside that circle
};

// The circles of a code, the crossings between them and the pieces of the diagram.
struct TSeifertCircles {
    int Circles = 0;
    std::vector<int> Turn;  // per circle: +1 counter-clockwise, -1 clockwise
    std::vector<TSeifertCrossing> Crossings;  // crossings 1 to n at 0 to n - 1
    int Pieces = 0;         // pieces of the diagram, loops without crossings included
    int Faces = 0;          // faces of the diagram (of all pieces)
    // The face of every corner (the corner of crossing c from port p is
    // numbered as the port node 4(c - 1) + p - 1), and the region of the
    // plane cut by the circles that every face lies in (numbered from 0).
    std::vector<int> CornerFace;
    std::vector<int> FaceRegion;
};

// The circles of a complete crossing code whose edges run from exit to entry
// ports. Throws std::invalid_argument for a crossing without an over- and
// under-strand or an edge against the orientation, std::logic_error for an
// incomplete code.
TSeifertCircles SeifertCirclesOf(const TKnot& Code);

}  // namespace ravelon
