// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/BraidClosure.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace ravelon {

namespace {

// Where a position's strand meets one crossing: the port it comes in by at
// the top and the port it goes out by at the bottom.
struct TVisit {
    std::int32_t Crossing = 0;
    std::int32_t Top = 0;
    std::int32_t Bottom = 0;
};

}  // namespace

TKnot ClosedBraid(int Strands, const std::vector<int>& Word) {
    std::vector<std::vector<TVisit>> visits(Strands > 0 ? static_cast<std::size_t>(Strands) : 0);
    TKnot k;
    for (const int g : Word) {
        if (Strands < 2 || g == 0 || g >= Strands || g <= -Strands) throw std::invalid_argument("generator outside the braid");
        const std::size_t left = static_cast<std::size_t>(g > 0 ? g : -g) - 1;
        const auto c = static_cast<std::int32_t>(k.FCrossings.size());
        // Over from the upper right (port 1) for sigma_i, from the upper left (port 4) for its inverse.
        k.FCrossings.push_back(g > 0 ? TCrossing{1, 4} : TCrossing{4, 1});
        visits[left].push_back({c, 4, 3});
        visits[left + 1].push_back({c, 1, 2});
    }
    for (const auto& down : visits) {
        if (down.empty()) k.FEdges.push_back({0, 0, 0, 0});
        for (std::size_t v = 0; v < down.size(); ++v) {
            const TVisit& next = down[(v + 1) % down.size()];
            k.FEdges.push_back({down[v].Crossing, down[v].Bottom, next.Crossing, next.Top});
        }
    }
    return k;
}

}  // namespace ravelon
