// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/PortGraph.h"

#include <stdexcept>
#include <string>

namespace ravelon {

namespace {

[[noreturn]] void Incomplete(std::int32_t c, const std::string& what) {
    throw std::logic_error("crossing " + std::to_string(c) + ": " + what);
}

}  // namespace

TPortGraph BuildPortGraph(const TKnot& Code) {
    TPortGraph g;
    const std::int32_t n = Code.FCrossingCount();
    g.Crossings = n;
    g.Mate.assign(static_cast<std::size_t>(4 * n), -1);
    g.FirstPort.resize(static_cast<std::size_t>(n));
    for (std::int32_t c = 1; c <= n; ++c) {
        const std::int32_t f = Code.FCrossings[static_cast<std::size_t>(c)].FirstPort;
        if (f < 1 || f > 4) Incomplete(c, "first port " + std::to_string(f) + " is not 1 to 4");
        g.FirstPort[static_cast<std::size_t>(c - 1)] = f - 1;
    }
    auto exists = [n](std::int32_t c) { return c >= 1 && c <= n; };
    auto node = [](std::int32_t c, std::int32_t p) {
        if (p < 1 || p > 4) Incomplete(c, "an edge names port " + std::to_string(p));
        return KnotNode(c, p);
    };
    auto attach = [&](std::int32_t from, std::int32_t to) {
        std::int32_t& m = g.Mate[static_cast<std::size_t>(from)];
        if (m != -1)
            Incomplete(KnotCrossingOf(from),
                       "port " + std::to_string(KnotPortOf(from)) + " is the end of more than one edge");
        m = to;
    };
    for (std::size_t k = 1; k < Code.FEdges.size(); ++k) {
        const TEdge& e = Code.FEdges[k];
        const bool in1 = exists(e.Crossing1), in2 = exists(e.Crossing2);
        if (!in1 && !in2) {
            ++g.FreeLoops;
            continue;
        }
        if (!in1 || !in2) Incomplete(in1 ? e.Crossing1 : e.Crossing2, "an edge leads to no crossing");
        const std::int32_t a = node(e.Crossing1, e.Port1), b = node(e.Crossing2, e.Port2);
        attach(a, b);
        attach(b, a);
    }
    for (std::size_t v = 0; v < g.Mate.size(); ++v) {
        const auto nv = static_cast<std::int32_t>(v);
        if (g.Mate[v] == -1) Incomplete(KnotCrossingOf(nv), "port " + std::to_string(KnotPortOf(nv)) + " has no edge");
    }
    return g;
}

}  // namespace ravelon
