// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/OrthoGraph.h"

#include <cstddef>
#include <stdexcept>

namespace ravelon {

namespace {

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

}  // namespace

int TOrthoGraph::AddVertex() {
    FSlot.push_back({-1, -1, -1, -1});
    return VertexCount() - 1;
}

int TOrthoGraph::AddEdge(int From, int To, int Dir) {
    const int back = (Dir + 2) % 4;
    if (Slot(From, Dir) >= 0 || Slot(To, back) >= 0 || From == To)
        throw std::logic_error("an orthogonal edge into a taken slot");
    const int h = HalfEdgeCount();
    FTo.push_back(To);
    FDir.push_back(Dir);
    FTo.push_back(From);
    FDir.push_back(back);
    FSlot[Ix(From)][Ix(Dir)] = h;
    FSlot[Ix(To)][Ix(back)] = h + 1;
    return h;
}

int TOrthoGraph::SplitEdge(int H) {
    const int end = To(H), dir = Dir(H);
    const int x = AddVertex();
    // H now ends at x, its twin starts there; a new pair runs on from x.
    FTo[Ix(H)] = x;
    FSlot[Ix(x)][Ix((dir + 2) % 4)] = H ^ 1;
    FSlot[Ix(end)][Ix((dir + 2) % 4)] = -1;
    AddEdge(x, end, dir);
    return x;
}

int TOrthoGraph::Next(int H) const {
    const int v = To(H), in = (Dir(H) + 2) % 4;
    for (int k = 1; k <= 4; ++k)
        if (const int out = Slot(v, (in + k) % 4); out >= 0) return out;
    return -1;  // not reached: H ^ 1 leaves v
}

int TOrthoGraph::Turn(int H) const {
    const int change = (Dir(Next(H)) - Dir(H) + 4) % 4;  // 3 left, 0 straight, 1 right, 2 back
    return change == 3 ? 1 : (change == 0 ? 0 : (change == 1 ? -1 : -2));
}

std::vector<int> TOrthoGraph::FaceOf(int H) const {
    std::vector<int> walk;
    int h = H;
    do {
        walk.push_back(h);
        h = Next(h);
    } while (h != H);
    return walk;
}

}  // namespace ravelon
