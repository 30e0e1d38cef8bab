// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/RandomCode.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace ravelon::testing {

TKnot RandomPortCode(std::mt19937& Rng, int Crossings, int FreeLoops) {
    TKnot k;
    std::uniform_int_distribution<std::int32_t> port(1, 4);
    std::bernoulli_distribution coin(0.5);
    for (int c = 1; c <= Crossings; ++c) {
        const std::int32_t f = port(Rng);
        k.FCrossings.push_back(TCrossing{f, coin(Rng) ? NextPort(f) : PrevPort(f)});
    }
    std::vector<int> nodes(static_cast<std::size_t>(4 * Crossings));
    std::iota(nodes.begin(), nodes.end(), 0);
    std::shuffle(nodes.begin(), nodes.end(), Rng);
    for (std::size_t i = 0; i + 1 < nodes.size(); i += 2)
        k.FEdges.push_back(TEdge{nodes[i] / 4 + 1, nodes[i] % 4 + 1, nodes[i + 1] / 4 + 1, nodes[i + 1] % 4 + 1});
    std::uniform_int_distribution<int> loops(0, FreeLoops);
    for (int i = loops(Rng); i > 0; --i) k.FEdges.push_back(TEdge{0, 0, 0, 0});
    return k;
}

TKnot ConnectedSum(const TKnot& Code, int Pieces) {
    const int n = Code.FCrossingCount();
    if (n < 1 || Pieces < 1) throw std::invalid_argument("a connected sum needs crossings");
    TKnot sum;
    if (Code.FEdgeCount() < 1 || Code.FEdges[1].Crossing1 < 1 || Code.FEdges[1].Crossing1 > n)
        throw std::invalid_argument("the first edge must meet a crossing");
    // Loops that meet no crossing keep their ends.
    auto shifted = [n](std::int32_t c, int copy) { return c >= 1 && c <= n ? c + copy * n : c; };
    for (int copy = 0; copy < Pieces; ++copy) {
        sum.FCrossings.insert(sum.FCrossings.end(), Code.FCrossings.begin() + 1, Code.FCrossings.end());
        for (std::size_t e = 2; e < Code.FEdges.size(); ++e) {
            const TEdge& ed = Code.FEdges[e];
            sum.FEdges.push_back(TEdge{shifted(ed.Crossing1, copy), ed.Port1, shifted(ed.Crossing2, copy), ed.Port2});
        }
    }
    // End 2 of the cut edge of each copy runs on to end 1 of the next one's.
    const TEdge& cut = Code.FEdges[1];
    for (int copy = 0; copy < Pieces; ++copy) {
        const int next = (copy + 1) % Pieces;
        sum.FEdges.push_back(TEdge{shifted(cut.Crossing2, copy), cut.Port2, shifted(cut.Crossing1, next), cut.Port1});
    }
    return sum;
}

}  // namespace ravelon::testing
