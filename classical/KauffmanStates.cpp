// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/KauffmanStates.h"

#include <queue>
#include <stdexcept>
#include <utility>
#include <vector>

#include "classical/SeifertCircles.h"
#include "classical/SymmetricElimination.h"

namespace ravelon {

namespace {

// The colour of every face: the faces of the corners on either side of an
// edge (corners p and p + 1 of a crossing) differ.
std::vector<int> FaceColours(const std::vector<int>& CornerFace, int Faces) {
    std::vector<std::vector<int>> across(static_cast<std::size_t>(Faces));
    for (std::size_t corner = 0; corner < CornerFace.size(); ++corner) {
        const std::size_t next = corner - corner % 4 + (corner + 1) % 4;
        across[static_cast<std::size_t>(CornerFace[corner])].push_back(CornerFace[next]);
        across[static_cast<std::size_t>(CornerFace[next])].push_back(CornerFace[corner]);
    }
    std::vector<int> colour(static_cast<std::size_t>(Faces), -1);
    for (std::size_t root = 0; root < colour.size(); ++root) {
        if (colour[root] >= 0) continue;
        colour[root] = 0;
        std::queue<std::size_t> todo;
        todo.push(root);
        while (!todo.empty()) {
            const std::size_t f = todo.front();
            todo.pop();
            for (const int g : across[f]) {
                int& c = colour[static_cast<std::size_t>(g)];
                if (c < 0) {
                    c = 1 - colour[f];
                    todo.push(static_cast<std::size_t>(g));
                } else if (c == colour[f]) {
                    throw std::logic_error("a diagram whose faces do not take two colours");
                }
            }
        }
    }
    return colour;
}

}  // namespace

mpz_class KauffmanStates(const TPortGraph& Graph, TProgress* Progress, double Done, double Share) {
    if (Graph.Crossings == 0) return 1;
    int faces = 0;
    const std::vector<int> cornerFace = CornerFacesOf(Graph, faces);
    const std::vector<int> colour = FaceColours(cornerFace, faces);
    int ofColour[2] = {0, 0};
    for (const int c : colour) ++ofColour[c];
    const int tait = ofColour[1] < ofColour[0] ? 1 : 0;
    // The faces of the colour of fewer faces, the last one left out.
    std::vector<int> vertex(static_cast<std::size_t>(faces), -1);
    int vertices = 0;
    for (std::size_t f = 0; f < vertex.size(); ++f)
        if (colour[f] == tait) vertex[f] = vertices++;
    const int size = vertices - 1;
    std::vector<std::int64_t> degree(static_cast<std::size_t>(vertices), 0);
    TSparseMatrix laplacian{size, {}};
    for (std::size_t corner = 0; corner < cornerFace.size(); ++corner) {
        const int f = cornerFace[corner];
        if (colour[static_cast<std::size_t>(f)] != tait || corner % 4 >= 2) continue;
        const int a = vertex[static_cast<std::size_t>(f)];
        const int b = vertex[static_cast<std::size_t>(cornerFace[corner + 2])];
        if (a == b) continue;
        ++degree[static_cast<std::size_t>(a)];
        ++degree[static_cast<std::size_t>(b)];
        if (a < size && b < size) {
            laplacian.Entries.push_back({a, b, -1});
            laplacian.Entries.push_back({b, a, -1});
        }
    }
    for (int v = 0; v < size; ++v) laplacian.Entries.push_back({v, v, degree[static_cast<std::size_t>(v)]});
    return InertiaOf(Combined(laplacian, 1, 0), Progress, Done, Share).Determinant;
}

}  // namespace ravelon
