// SPDX-License-Identifier: GPL-3.0-or-later
// The plane map of a crossing code, as the layout reads it: which port meets
// which, the faces, the pieces and the direction of travel.
//
// Data model: a dart is a port of a crossing, numbered as the nodes of
// knot/Ports.h (KnotNode(c, p) for TKnot's crossing c and port p); the edge
// at dart d leads to Mate[d].
// The corner of dart d is the sector from its port clockwise to the next
// port. Faces are cycles of corners: from corner (c, p) along the edge at port
// p + 1 to its other end (c', q), whose corner (c', q) comes next; walking so
// keeps the face on the left. Face[d] is the face of the corner of d, and a
// face belongs to the piece (connected set of crossings) of its corners.
// Entry[d] tells whether a strand enters its crossing at d.
#pragma once

#include <stdexcept>
#include <vector>

#include "knot/Knot.h"

namespace ravelon {

// A code that cannot be drawn; the message is Japanese.
class TLayoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The ports, faces and pieces of a complete, oriented, planar code.
struct TCodeMap {
    int Crossings = 0;
    std::vector<int> Mate;         // per dart
    std::vector<bool> Entry;       // per dart
    std::vector<int> Face;         // per dart: the face of its corner
    std::vector<int> FaceSize;     // per face: its corners
    std::vector<int> FacePiece;    // per face
    std::vector<int> PieceOf;      // per crossing, from 0
    int Pieces = 0;
    int FreeLoops = 0;             // curves that meet no crossing
};

// The map of Code. Throws TLayoutError for a code with a port not joined
// exactly once, a crossing without an over- and an under-strand, an edge
// against the direction of travel, or a piece that cannot be drawn in the
// plane.
TCodeMap MapOfCode(const TKnot& Code);

}  // namespace ravelon
