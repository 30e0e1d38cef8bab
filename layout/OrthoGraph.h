// SPDX-License-Identifier: GPL-3.0-or-later
// A plane graph whose edges run horizontally or vertically, known by the
// directions of its edges alone (no lengths yet).
//
// Data model: directions 0 east (+X), 1 south (+Y), 2 west, 3 north, in
// clockwise order on the canvas; d + 2 is the opposite of d. Every vertex
// has at most one edge in each direction: Slot[v][d] is the half-edge
// leaving v in direction d, or -1. Half-edges come in pairs h, h ^ 1 running
// both ways along one edge. A face is walked with it on the left: after h the
// walk leaves To(h) by the first edge clockwise from the one it came in by,
// so it turns left (+1, a right angle inside the face), goes straight (0) or
// turns right (-1, three right angles inside the face). An inner face turns
// by +4 in all, the outer face of a connected graph by -4.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace ravelon {

// The directions of a plane graph drawn with horizontal and vertical edges.
class TOrthoGraph {
public:
    int VertexCount() const { return static_cast<int>(FSlot.size()); }
    int HalfEdgeCount() const { return static_cast<int>(FTo.size()); }

    int AddVertex();
    // Adds the edge From -> To leaving From in direction Dir; returns that
    // half-edge. Throws std::logic_error when a slot it needs is taken.
    int AddEdge(int From, int To, int Dir);
    // Puts a new vertex in the middle of the edge of H; H then ends there.
    // Returns the new vertex.
    int SplitEdge(int H);

    int From(int H) const { return FTo[static_cast<std::size_t>(H ^ 1)]; }
    int To(int H) const { return FTo[static_cast<std::size_t>(H)]; }
    int Dir(int H) const { return FDir[static_cast<std::size_t>(H)]; }
    int Slot(int V, int Dir) const { return FSlot[static_cast<std::size_t>(V)][static_cast<std::size_t>(Dir)]; }

    // The half-edge after H on the walk of its face, and the turn into it.
    int Next(int H) const;
    int Turn(int H) const;
    // The half-edges of the walk of H's face, from H.
    std::vector<int> FaceOf(int H) const;

private:
    std::vector<std::array<int, 4>> FSlot;
    std::vector<int> FTo, FDir;
};

}  // namespace ravelon
