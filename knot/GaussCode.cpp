// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/GaussCode.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "knot/PortGraph.h"

namespace ravelon {

std::string OrientedGaussCode(const TKnot& Knot) {
    const int n = Knot.FCrossingCount();
    for (int c = 1; c <= n; ++c)
        if (SignOf(Knot.FCrossings[static_cast<std::size_t>(c)]) == 0)
            throw std::invalid_argument("crossing " + std::to_string(c) + " has no over- and under-strand");
    const TPortGraph graph = BuildPortGraph(Knot);
    // Crossing and port from 0, as the port graph numbers them.
    auto crossing = [&](std::int32_t c) -> const TCrossing& { return Knot.FCrossings[static_cast<std::size_t>(c) + 1]; };
    auto isEntry = [&](std::int32_t c, std::int32_t p) {
        return p + 1 == crossing(c).FirstPort || p + 1 == crossing(c).SecondPort;
    };

    std::vector<bool> passed(static_cast<std::size_t>(4 * n), false);
    std::vector<int> number(static_cast<std::size_t>(n), 0);
    int next = 1;
    std::vector<std::string> components;
    for (std::int32_t c = 0; c < n; ++c) {
        for (const std::int32_t first : {crossing(c).FirstPort - 1, crossing(c).SecondPort - 1}) {
            if (passed[static_cast<std::size_t>(NodeOf(c, first))]) continue;
            std::string text;
            std::int32_t at = c, port = first;
            while (!passed[static_cast<std::size_t>(NodeOf(at, port))]) {
                passed[static_cast<std::size_t>(NodeOf(at, port))] = true;
                int& k = number[static_cast<std::size_t>(at)];
                if (k == 0) k = next++;
                text += port + 1 == crossing(at).FirstPort ? 'O' : 'U';
                text += std::to_string(k) + (SignOf(crossing(at)) > 0 ? '+' : '-');
                const std::int32_t to = graph.Mate[static_cast<std::size_t>(NodeOf(at, Across(port)))];
                at = CrossingOf(to);
                port = PortOf(to);
                if (!isEntry(at, port))
                    throw std::invalid_argument("an arc into crossing " + std::to_string(at + 1) +
                                                " does not run from an exit to an entry");
            }
            components.push_back(std::move(text));
        }
    }
    for (int l = 0; l < graph.FreeLoops; ++l) components.emplace_back();
    if (components.size() == 1 && !components[0].empty()) return components[0];
    std::string out;
    for (std::size_t i = 0; i < components.size(); ++i) out += (i == 0 ? "[" : ", [") + components[i] + "]";
    return out;
}

}  // namespace ravelon
