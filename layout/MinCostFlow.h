// SPDX-License-Identifier: GPL-3.0-or-later
// A minimum-cost flow on a small network, by successive shortest paths.
//
// Data model: nodes 0 to N - 1 and arcs with a capacity and a cost per unit;
// arc a and its residual twin a ^ 1 are stored side by side. A supply is
// given to every node (positive: it sends, negative: it receives; they sum to
// zero), and the flow found meets all of them at the least total cost.
#pragma once

#include <cstdint>
#include <vector>

namespace ravelon {

// A network and, once solved, the flow on every arc.
class TMinCostFlow {
public:
    explicit TMinCostFlow(int Nodes);

    // Adds the arc From -> To; returns its number.
    int AddArc(int From, int To, std::int64_t Capacity, std::int64_t Cost);
    // Meets Supply (one entry per node) at least cost; false when the arcs
    // cannot carry it. Costs must be at least 0.
    bool Solve(const std::vector<std::int64_t>& Supply);
    // The flow on arc A.
    std::int64_t Flow(int A) const { return FFlow[static_cast<std::size_t>(A)]; }

private:
    // Augments once along a cheapest path from Source to Sink; false when none is left.
    bool Augment(int Source, int Sink);

    int FNodes;
    std::vector<int> FFrom, FTo;
    std::vector<std::int64_t> FCapacity, FCost, FFlow;
    std::vector<std::vector<int>> FOut;
};

}  // namespace ravelon
