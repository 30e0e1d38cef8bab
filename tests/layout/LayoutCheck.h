// SPDX-License-Identifier: GPL-3.0-or-later
// Checks of a drawn code for the layout tests, written apart from the layout.
//
// Data model: two codes are the same diagram when a one-to-one map of their
// crossings, each turned by some number of ports, carries the edges of one
// onto the edges of the other and every over- and under-entry onto the same
// kind: the numbering of crossings and edges may differ, the clockwise order
// of the ports (the mirror image) and the directions may not. A fault is a
// sentence saying what is wrong; empty when nothing is.
#pragma once

#include <string>

#include "knot/Knot.h"
#include "layout/DrawCode.h"

namespace ravelon::testing {

// Empty when A and B, complete codes, are the same diagram.
std::string SameDiagramFault(const TKnot& A, const TKnot& B);

// Empty when the drawing keeps the rules for a diagram a person edits: every
// group closed; crossings at least 16 pixels from each other and from every
// corner, corners at least 16 apart; exactly two lines through a crossing,
// no corner on another line, no collinear lines overlapping, no corner
// between two collinear lines; everything inside the canvas, at most
// 999 x 999, and centred on it; the default 400 x 300 canvas for up to 12
// crossings.
std::string SpacingFault(const TDrawing& D);

}  // namespace ravelon::testing
