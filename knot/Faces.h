// SPDX-License-Identifier: GPL-3.0-or-later
// The faces of a crossing code's diagram, and its pieces.
//
// Data model: the corner (c, p) of a complete code lies clockwise from port p
// of crossing c to the next port, and is numbered as the node of (c, p)
// (knot/Ports.h). Leaving a corner along the edge at the next port and
// arriving at the far port q, the face goes on at the corner (c', q): the
// faces are the cycles of corners, numbered from 0 in the order of their first
// corner. A piece is a set of crossings joined by edges. The rotation of the
// ports embeds a code in the plane exactly when every piece of n crossings has
// n + 2 faces.
#pragma once

#include <cstddef>
#include <numeric>
#include <vector>

#include "knot/PortGraph.h"

namespace ravelon {

// Sets of the numbers 0 to n - 1, joined two at a time.
class TUnionFind {
public:
    explicit TUnionFind(std::size_t N) : FParent(N) { std::iota(FParent.begin(), FParent.end(), std::size_t{0}); }
    std::size_t Find(std::size_t X) {
        while (FParent[X] != X) X = FParent[X] = FParent[FParent[X]];
        return X;
    }
    void Join(std::size_t A, std::size_t B) { FParent[Find(A)] = Find(B); }

private:
    std::vector<std::size_t> FParent;
};

// The face of every corner; Faces is set to their number.
std::vector<int> CornerFacesOf(const TPortGraph& Graph, int& Faces);

// The number of pieces with crossings.
int PiecesOf(const TPortGraph& Graph);

// The faces of the diagram and its pieces with crossings: the diagram lies in
// the plane exactly when Faces = Crossings + 2 * PiecesWithCrossings.
struct TDiagramFaces {
    int Faces = 0;
    int PiecesWithCrossings = 0;
};
TDiagramFaces DiagramFacesOf(const TPortGraph& Graph);

}  // namespace ravelon
