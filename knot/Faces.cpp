// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/Faces.h"

namespace ravelon {

std::vector<int> CornerFacesOf(const TPortGraph& Graph, int& Faces) {
    std::vector<int> face(Graph.Mate.size(), -1);
    Faces = 0;
    for (std::size_t start = 0; start < Graph.Mate.size(); ++start) {
        if (face[start] != -1) continue;
        std::size_t corner = start;
        while (face[corner] == -1) {
            face[corner] = Faces;
            const auto node = static_cast<std::int32_t>(corner);
            corner = static_cast<std::size_t>(Graph.Mate[static_cast<std::size_t>(NodeOf(CrossingOf(node), Clockwise(PortOf(node))))]);
        }
        ++Faces;
    }
    return face;
}

int PiecesOf(const TPortGraph& Graph) {
    TUnionFind pieces(static_cast<std::size_t>(Graph.Crossings));
    for (std::size_t v = 0; v < Graph.Mate.size(); ++v)
        pieces.Join(static_cast<std::size_t>(CrossingOf(static_cast<std::int32_t>(v))),
                    static_cast<std::size_t>(CrossingOf(Graph.Mate[v])));
    int count = 0;
    for (std::size_t c = 0; c < static_cast<std::size_t>(Graph.Crossings); ++c)
        if (pieces.Find(c) == c) ++count;
    return count;
}

TDiagramFaces DiagramFacesOf(const TPortGraph& Graph) {
    int faces = 0;
    CornerFacesOf(Graph, faces);
    return {faces, PiecesOf(Graph)};
}

}  // namespace ravelon
