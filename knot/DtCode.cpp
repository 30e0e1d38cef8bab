// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/DtCode.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "knot/PortGraph.h"

namespace ravelon {

std::string DtCode(const TKnot& Knot) {
    const TPortGraph g = BuildPortGraph(Knot);
    const int n = g.Crossings;
    if (n == 0) {
        if (g.FreeLoops != 1) throw std::invalid_argument("not one component");
        return "[]";
    }
    if (g.FreeLoops != 0) throw std::invalid_argument("not one component");
    for (int c = 0; c < n; ++c)
        if (SignOf(Knot.FCrossings[static_cast<std::size_t>(c + 1)]) == 0)
            throw std::invalid_argument("a crossing with no over- and under-strand");
    // The labels of every crossing (first and second met), and whether the
    // knot passes over at the first.
    std::vector<std::int64_t> first(static_cast<std::size_t>(n), 0), second(static_cast<std::size_t>(n), 0);
    std::vector<bool> overFirst(static_cast<std::size_t>(n), false);
    std::int32_t crossing = 0;
    std::int32_t entry = g.FirstPort[0];
    std::int64_t label = 0;
    do {
        const auto c = static_cast<std::size_t>(crossing);
        ++label;
        if (label > 2 * static_cast<std::int64_t>(n)) throw std::invalid_argument("not one component");
        if (first[c] == 0) {
            first[c] = label;
            overFirst[c] = entry == g.FirstPort[c] || entry == Across(g.FirstPort[c]);
        } else if (second[c] == 0) {
            second[c] = label;
        }
        const std::int32_t node = g.Mate[static_cast<std::size_t>(NodeOf(crossing, Across(entry)))];
        crossing = CrossingOf(node);
        entry = node - 4 * crossing;
    } while (crossing != 0 || entry != g.FirstPort[0]);
    if (label != 2 * static_cast<std::int64_t>(n)) throw std::invalid_argument("not one component");
    std::vector<std::int64_t> even(static_cast<std::size_t>(2 * n + 1), 0);
    for (std::size_t c = 0; c < first.size(); ++c) {
        if ((first[c] + second[c]) % 2 == 0) throw std::invalid_argument("a crossing with two labels of one parity");
        const bool oddFirst = first[c] % 2 == 1;
        const bool overAtEven = oddFirst != overFirst[c];
        const std::int64_t e = oddFirst ? second[c] : first[c];
        even[static_cast<std::size_t>(oddFirst ? first[c] : second[c])] = overAtEven ? -e : e;
    }
    std::string out;
    for (std::size_t odd = 1; odd < even.size(); odd += 2) out += (out.empty() ? "" : " ") + std::to_string(even[odd]);
    return out;
}

}  // namespace ravelon
