// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/order/CrossingOrder.h"

#include "bracket/order/CostModel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace ravelon {

namespace {

// The start crossings tried: at most MaxStarts, at least MinStarts (or every
// crossing of a smaller code), and no more than keep the greedy steps, n^2
// each, within StepBudget. On random polygon diagrams of 100 to 400 crossings
// the random ties found orders whose sum of 2^width was up to half that of
// the sweeps, and two ends fewer at their widest. They are tried only when the
// sweeps leave a boundary wider than NarrowWidth, where the contraction costs
// more than choosing its order.
constexpr std::int64_t MaxStarts = 100;
constexpr std::int64_t MinStarts = 8;
constexpr std::int64_t StepBudget = 40'000'000;
constexpr int NarrowWidth = 12;
// The sweeps start from at most this many crossings.
constexpr std::int32_t MaxSweeps = 24;

}  // namespace

TCrossingOrder MeasureOrder(const TPortGraph& Graph, std::vector<std::int32_t> Crossings) {
    TCrossingOrder order;
    std::vector<char> taken(static_cast<std::size_t>(Graph.Crossings), 0);
    int width = 0;
    for (const std::int32_t c : Crossings) {
        taken[static_cast<std::size_t>(c)] = 1;
        for (std::int32_t p = 0; p < 4; ++p) {
            const std::int32_t other = Neighbour(Graph, c, p);
            if (other == c) continue;
            width += taken[static_cast<std::size_t>(other)] ? -1 : 1;
        }
        order.Widths.push_back(width);
        order.MaxWidth = std::max(order.MaxWidth, width);
    }
    order.Crossings = std::move(Crossings);
    return order;
}

TCrossingOrder GreedyOrder(const TPortGraph& Graph, std::int32_t Start, const std::vector<std::uint32_t>* Rank) {
    const std::int32_t n = Graph.Crossings;
    const auto un = static_cast<std::size_t>(n);
    std::vector<char> taken(un, 0);
    // For each crossing not taken: its edges into the taken part, its edges to
    // other crossings, and the step at which it first touched the taken part.
    std::vector<int> inside(un, 0), outer(un, 0);
    std::vector<std::int32_t> touched(un, std::numeric_limits<std::int32_t>::max());
    for (std::int32_t c = 0; c < n; ++c)
        for (std::int32_t p = 0; p < 4; ++p)
            if (Neighbour(Graph, c, p) != c) ++outer[static_cast<std::size_t>(c)];

    std::vector<std::int32_t> sequence;
    sequence.reserve(un);
    auto take = [&](std::int32_t c, std::int32_t step) {
        taken[static_cast<std::size_t>(c)] = 1;
        sequence.push_back(c);
        for (std::int32_t p = 0; p < 4; ++p) {
            const std::int32_t other = Neighbour(Graph, c, p);
            if (other == c || taken[static_cast<std::size_t>(other)]) continue;
            ++inside[static_cast<std::size_t>(other)];
            touched[static_cast<std::size_t>(other)] = std::min(touched[static_cast<std::size_t>(other)], step);
        }
    };
    take(Start, 0);
    for (std::int32_t step = 1; step < n; ++step) {
        std::int32_t best = -1;
        for (std::int32_t c = 0; c < n; ++c) {
            const auto uc = static_cast<std::size_t>(c);
            if (taken[uc]) continue;
            if (best < 0) {
                best = c;
                continue;
            }
            const auto ub = static_cast<std::size_t>(best);
            // The change of the boundary: new edges out minus edges closed.
            const int grow = outer[uc] - 2 * inside[uc], growBest = outer[ub] - 2 * inside[ub];
            if (grow != growBest) {
                if (grow < growBest) best = c;
            } else if (inside[uc] != inside[ub]) {
                if (inside[uc] > inside[ub]) best = c;
            } else if (Rank ? (*Rank)[uc] < (*Rank)[ub] : touched[uc] < touched[ub]) {
                best = c;
            }
        }
        take(best, step);
    }
    return MeasureOrder(Graph, std::move(sequence));
}

TCrossingOrder ChooseOrder(const TPortGraph& Graph) {
    const std::int32_t n = Graph.Crossings;
    TCrossingOrder best;
    if (n == 0) return best;
    const std::int64_t squared = static_cast<std::int64_t>(n) * n;
    const auto starts = static_cast<std::int32_t>(
        std::min<std::int64_t>(n, std::clamp<std::int64_t>(StepBudget / (2 * squared), MinStarts, MaxStarts)));
    // The sweeps first, from every start; random ties only where they pay.
    std::mt19937 rng(20261208u);
    std::vector<std::uint32_t> rank(static_cast<std::size_t>(n));
    double bestWork = 0;
    bool first = true;
    auto consider = [&](TCrossingOrder order) {
        const double work = OrderWork(order);
        if (first || BetterOrder(order, work, best, bestWork)) {
            best = std::move(order);
            bestWork = work;
            first = false;
        }
    };
    auto startOf = [n](std::int32_t i, std::int32_t of) {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(i) * n / of);
    };
    const std::int32_t sweeps = std::min(starts, MaxSweeps);
    for (std::int32_t i = 0; i < sweeps; ++i) consider(GreedyOrder(Graph, startOf(i, sweeps)));
    if (best.MaxWidth <= NarrowWidth) return best;
    for (std::int32_t i = 0; i < starts; ++i) {
        for (std::uint32_t& r : rank) r = static_cast<std::uint32_t>(rng());
        consider(GreedyOrder(Graph, startOf(i, starts), &rank));
    }
    return best;
}

}  // namespace ravelon
