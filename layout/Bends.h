// SPDX-License-Identifier: GPL-3.0-or-later
// The shape of one piece drawn with horizontal and vertical lines: how many
// times each edge turns, found as a cheapest flow between the faces (after
// Tamassia's orthogonal representations).
//
// Data model: every corner of a crossing is a right angle. A face with k
// corners at crossings needs its bends to turn it by 4 - k quarter turns
// toward its inside (-4 - k for the outer face), and a bend turns one of the
// two faces of its edge inward and the other outward: a unit of flow from
// face g to face f across an edge is one bend turning toward f. Turns[d]
// counts the bends of the edge leaving dart d as it is walked from d: left
// turns positive, right turns negative, so Turns[Mate[d]] = -Turns[d].
// The total is the fewest bends that draw the piece with that outer face;
// among those, the bends of a twist region (a chain of bigons) go on one
// edge of each bigon, so that the chain lies in a row, and other bends are
// spread over the edges.
#pragma once

#include <vector>

#include "layout/CodeMap.h"

namespace ravelon {

// The turns of every dart of Piece (0 for the darts of other pieces) with
// OuterFace, a face of Piece, outside.
std::vector<int> BendsOf(const TCodeMap& Map, int Piece, int OuterFace);

}  // namespace ravelon
