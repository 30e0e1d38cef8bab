// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/CodeChecks.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace ravelon::fuzz {

void Check(bool Condition) {
    if (!Condition) std::abort();
}

void CheckComplete(const TKnot& Knot) {
    const std::size_t n = static_cast<std::size_t>(Knot.FCrossingCount());
    std::vector<int> uses(4 * (n + 1), 0);
    for (std::size_t k = 1; k < Knot.FEdges.size(); ++k) {
        const TEdge& e = Knot.FEdges[k];
        for (const auto& [c, p] : {std::pair{e.Crossing1, e.Port1}, std::pair{e.Crossing2, e.Port2}}) {
            if (c == 0) {
                Check(p == 0);
                continue;
            }
            Check(c >= 1 && static_cast<std::size_t>(c) <= n && p >= 1 && p <= 4);
            ++uses[4 * static_cast<std::size_t>(c) + static_cast<std::size_t>(p) - 1];
        }
    }
    for (std::size_t i = 4; i < uses.size(); ++i) Check(uses[i] == 1);
}

}  // namespace ravelon::fuzz
