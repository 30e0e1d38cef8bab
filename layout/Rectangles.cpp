// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/Rectangles.h"

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace ravelon {

namespace {

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

// The faces of G, each as the walk of its half-edges.
std::vector<std::vector<int>> Faces(const TOrthoGraph& G) {
    std::vector<bool> seen(Ix(G.HalfEdgeCount()), false);
    std::vector<std::vector<int>> faces;
    for (int h = 0; h < G.HalfEdgeCount(); ++h) {
        if (seen[Ix(h)]) continue;
        faces.push_back(G.FaceOf(h));
        for (const int k : faces.back()) seen[Ix(k)] = true;
    }
    return faces;
}

int TotalTurn(const TOrthoGraph& G, const std::vector<int>& Face) {
    int sum = 0;
    for (const int h : Face) sum += G.Turn(h);
    return sum;
}

// Cuts one rectangle off Face when it has a right turn followed by two left
// turns; false when it has none.
bool CutOne(TOrthoGraph& G, const std::vector<int>& Face) {
    std::vector<std::size_t> bent;  // positions of the turning half-edges
    for (std::size_t i = 0; i < Face.size(); ++i)
        if (G.Turn(Face[i]) != 0) bent.push_back(i);
    const std::size_t k = bent.size();
    if (k < 3) return false;
    for (std::size_t j = 0; j < k; ++j) {
        const int r = Face[bent[j]], c1 = Face[bent[(j + 1) % k]], c2 = Face[bent[(j + 2) % k]];
        if (G.Turn(r) != -1 || G.Turn(c1) != 1 || G.Turn(c2) != 1) continue;
        const int after = G.Next(c2);
        const int x = G.SplitEdge(after);
        G.AddEdge(G.To(r), x, G.Dir(r));
        return true;
    }
    return false;
}

// Joins the right turns left on the outer face to a frame around the graph.
void AddFrame(TOrthoGraph& G, const std::vector<int>& Outer) {
    struct THit {
        int Vertex;
        int Side;  // the direction the corner is joined in: the frame's side
    };
    std::vector<THit> hits;
    for (const int h : Outer)
        if (G.Turn(h) == -1) hits.push_back({G.To(h), G.Dir(h)});
    if (hits.empty()) throw std::logic_error("an outer face without corners");
    // The walk goes clockwise around the graph; so does the frame, along side
    // s in direction s + 1, turning at a corner onto side s + 1.
    std::vector<int> ring;
    std::vector<bool> corner;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const int v = G.AddVertex();
        G.AddEdge(hits[i].Vertex, v, hits[i].Side);
        ring.push_back(v);
        corner.push_back(false);
        const int turns = (hits[(i + 1) % hits.size()].Side - hits[i].Side + 4) % 4;
        for (int t = 0; t < turns; ++t) {
            ring.push_back(G.AddVertex());
            corner.push_back(true);
        }
    }
    int side = hits[0].Side;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        G.AddEdge(ring[i], ring[(i + 1) % ring.size()], (side + 1) % 4);
        if (corner[(i + 1) % ring.size()]) side = (side + 1) % 4;
    }
}

bool IsRectangle(const TOrthoGraph& G, const std::vector<int>& Face) {
    int left = 0;
    for (const int h : Face) {
        const int turn = G.Turn(h);
        if (turn == 1) ++left;
        else if (turn != 0) return false;
    }
    return left == 4;
}

}  // namespace

void CutIntoRectangles(TOrthoGraph& G) {
    // One cut per face and pass: a cut leaves the walks of the other faces
    // valid (the new vertex goes straight on in them).
    for (bool cut = true; cut;) {
        cut = false;
        for (const std::vector<int>& face : Faces(G)) cut = CutOne(G, face) || cut;
    }
    const std::vector<std::vector<int>> faces = Faces(G);
    const std::vector<int>* outer = nullptr;
    for (const std::vector<int>& face : faces) {
        const int total = TotalTurn(G, face);
        if (total == -4 && outer == nullptr) outer = &face;
        else if (total != 4) throw std::logic_error("an orthogonal face that does not close");
    }
    if (outer == nullptr) throw std::logic_error("an orthogonal graph without an outer face");
    AddFrame(G, *outer);
    for (const std::vector<int>& face : Faces(G))
        if (!IsRectangle(G, face) && TotalTurn(G, face) != -4)
            throw std::logic_error("an orthogonal face left that is not a rectangle");
}

}  // namespace ravelon
