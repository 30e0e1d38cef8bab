// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule for drawings that are not in general position: a corner lying
// on another line, lines overlapping along a stretch, two points at one place,
// a line of length zero, three or more lines through one point.
//
// Data model: a TSite is a point of the diagram together with its index in the
// point array. Every question about lines is answered for the drawing whose
// point i stands at (X + e*i, Y + e*i*i), for an infinitesimal e > 0: the same
// fixed move of every point, so all answers belong to one drawing. Points with
// different indices are moved along a parabola, so no three of them lie on one
// line in the moved drawing: every side test has a definite sign, lines cross
// or do not, and the crossings along a line come in a definite order. Where the
// drawing is already in general position the answers are those of the drawing
// itself. Lines that share a point index (neighbours on a curve) never cross.
//
// A side is a polynomial in e of degree at most 2 whose coefficients fit 128
// bits for any 32-bit coordinates and indices; its sign is that of its first
// coefficient that is not zero.
#pragma once

#include <cstdint>

#include "diagram/Geometry.h"

namespace ravelon {

// Whether the line P1 -> P2 and the line P3 -> P4 cross, and where (rounded
// to whole pixels, halves to even; (0, 0) when they do not), with P1 ... P4
// taken as points 0 ... 3 of a drawing and decided as MovedLinesCross and
// MovedCrossPoint below decide it. In general position:
// each line has the two ends of the other strictly on opposite sides.
bool LinesCross(TPoint P1, TPoint P2, TPoint P3, TPoint P4);
TPoint CrossPoint(TPoint P1, TPoint P2, TPoint P3, TPoint P4);

// A point of the diagram and its index, which fixes how the point is moved.
struct TSite {
    TPoint P;
    std::int32_t Index = 0;
};

// -1 or +1 (0 only when two of the sites share an index): the side of Q
// relative to the directed line From -> To in the moved drawing, with the
// sign convention of Side().
int MovedSide(TSite From, TSite To, TSite Q);

// True when the line S -> E and the line C -> D cross in the moved drawing.
bool MovedLinesCross(TSite S, TSite E, TSite C, TSite D);

// Where the lines S -> E and C -> D cross, rounded to whole pixels (halves to
// even), or (0, 0) when they do not cross in the moved drawing. The point is
// the exact intersection of the drawn lines; for lines lying along each other
// it is where the moved crossing tends as the move shrinks to nothing. A
// crossing that rounds to (0, 0) is stored one pixel away, on the nearest
// neighbour of (0, 0), so that it never reads as "no crossing".
TPoint MovedCrossPoint(TSite S, TSite E, TSite C, TSite D);

// For two lines C1 -> D1 and C2 -> D2 that both cross S -> E in the moved
// drawing: -1 when the crossing with the first comes first on the way from S
// to E, +1 when it comes later, 0 only when the two crossings coincide in the
// moved drawing too.
int CompareAlong(TSite S, TSite E, TSite C1, TSite D1, TSite C2, TSite D2);

}  // namespace ravelon
