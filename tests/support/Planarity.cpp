// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Planarity.h"

#include <cstddef>
#include <numeric>
#include <vector>

namespace ravelon::testing {

std::string PlanarityFault(const TKnot& Knot) {
    const std::size_t n = static_cast<std::size_t>(Knot.FCrossingCount());
    // End k = 4 (c - 1) + (p - 1) of every port; Partner[k] the end across its edge.
    std::vector<std::size_t> partner(4 * n, 4 * n);
    auto end = [](std::int32_t c, std::int32_t p) { return 4 * static_cast<std::size_t>(c - 1) + static_cast<std::size_t>(p - 1); };
    std::vector<std::size_t> part(n);
    std::iota(part.begin(), part.end(), 0);
    auto root = [&](std::size_t c) {
        while (part[c] != c) c = part[c] = part[part[c]];
        return c;
    };
    for (std::size_t k = 1; k < Knot.FEdges.size(); ++k) {
        const TEdge& e = Knot.FEdges[k];
        if (e.Crossing1 == 0 || e.Crossing2 == 0) continue;  // a loop
        partner[end(e.Crossing1, e.Port1)] = end(e.Crossing2, e.Port2);
        partner[end(e.Crossing2, e.Port2)] = end(e.Crossing1, e.Port1);
        part[root(static_cast<std::size_t>(e.Crossing1 - 1))] = root(static_cast<std::size_t>(e.Crossing2 - 1));
    }
    // Per part: crossings (vertices), edges (two per crossing) and faces.
    std::vector<long> chi(n, 0);
    for (std::size_t c = 0; c < n; ++c) chi[root(c)] += 1 - 2;
    std::vector<bool> seen(4 * n, false);
    for (std::size_t start = 0; start < 4 * n; ++start) {
        if (seen[start]) continue;
        if (partner[start] == 4 * n) return "port " + std::to_string(start % 4 + 1) + " of crossing " + std::to_string(start / 4 + 1) + " is not joined";
        ++chi[root(start / 4)];
        for (std::size_t k = start; !seen[k];) {
            seen[k] = true;
            const std::size_t there = partner[k];
            k = there - there % 4 + (there % 4 + 1) % 4;  // the next port in rotational order
        }
    }
    for (std::size_t c = 0; c < n; ++c)
        if (root(c) == c && chi[c] != 2)
            return "the part of crossing " + std::to_string(c + 1) + " has Euler characteristic " + std::to_string(chi[c]);
    return "";
}

}  // namespace ravelon::testing
