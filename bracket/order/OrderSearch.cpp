// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/order/OrderSearch.h"

#include <algorithm>
#include <cmath>

#include "bracket/order/CostModel.h"
#include "bracket/order/CrossingOrder.h"
#include "bracket/order/LaplacianSweep.h"
#include "bracket/order/OrderRefine.h"

namespace ravelon {

namespace {

// The greedy runs with elimination ranks start from at most this many
// crossings, spread over the code, and no more than keep their steps (n^2
// each) within StepBudget; min-fill, whose fill counts grow with the width of
// the decomposition, is tried only up to MinFillCrossings. A code past those
// sizes is far beyond reach, and is refused soon after.
constexpr std::int32_t RankStarts = 24;
constexpr std::int64_t StepBudget = 40'000'000;
constexpr std::int32_t MinFillCrossings = 1000;
// The best order is refined by this many moves per crossing (at most
// MostMoves in all), each by at most RefineReach places.
constexpr std::int64_t RefineMoves = 400;
constexpr std::int64_t MostMoves = 400'000;
constexpr std::int32_t RefineReach = 40;

// The neighbours of every crossing in the crossing graph, sorted, without
// the crossing itself.
std::vector<std::vector<std::int32_t>> Neighbours(const TPortGraph& Graph) {
    std::vector<std::vector<std::int32_t>> adjacent(static_cast<std::size_t>(Graph.Crossings));
    for (std::int32_t c = 0; c < Graph.Crossings; ++c) {
        auto& list = adjacent[static_cast<std::size_t>(c)];
        for (std::int32_t p = 0; p < 4; ++p) {
            const std::int32_t other = Neighbour(Graph, c, p);
            if (other != c) list.push_back(other);
        }
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    return adjacent;
}

bool Joined(const std::vector<std::int32_t>& Sorted, std::int32_t V) {
    return std::binary_search(Sorted.begin(), Sorted.end(), V);
}

// The edges that removing V would add between its neighbours.
std::int64_t Fill(const std::vector<std::vector<std::int32_t>>& Adjacent, std::int32_t V) {
    const auto& around = Adjacent[static_cast<std::size_t>(V)];
    std::int64_t missing = 0;
    for (std::size_t i = 0; i < around.size(); ++i)
        for (std::size_t j = i + 1; j < around.size(); ++j)
            if (!Joined(Adjacent[static_cast<std::size_t>(around[i])], around[j])) ++missing;
    return missing;
}

}  // namespace

std::vector<std::int32_t> EliminationOrder(const TPortGraph& Graph, bool MinFill) {
    auto adjacent = Neighbours(Graph);
    const auto n = static_cast<std::size_t>(Graph.Crossings);
    std::vector<char> gone(n, 0);
    // The score of every crossing left, kept up to date for those whose
    // neighbourhood changed: the number of neighbours, or the fill then it.
    auto score = [&](std::int32_t v) {
        const auto degree = static_cast<std::int64_t>(adjacent[static_cast<std::size_t>(v)].size());
        return MinFill ? Fill(adjacent, v) * static_cast<std::int64_t>(n + 1) + degree : degree;
    };
    std::vector<std::int64_t> scores(n);
    for (std::size_t v = 0; v < n; ++v) scores[v] = score(static_cast<std::int32_t>(v));
    std::vector<std::int32_t> order;
    order.reserve(n);
    for (std::size_t step = 0; step < n; ++step) {
        std::int32_t best = -1;
        for (std::size_t v = 0; v < n; ++v)
            if (!gone[v] && (best < 0 || scores[v] < scores[static_cast<std::size_t>(best)]))
                best = static_cast<std::int32_t>(v);
        const auto ub = static_cast<std::size_t>(best);
        gone[ub] = 1;
        order.push_back(best);
        const std::vector<std::int32_t> around = std::move(adjacent[ub]);
        adjacent[ub].clear();
        // The neighbours lose the removed crossing and are joined to each other.
        for (const std::int32_t x : around) {
            auto& list = adjacent[static_cast<std::size_t>(x)];
            list.erase(std::lower_bound(list.begin(), list.end(), best));
            std::vector<std::int32_t> merged;
            merged.reserve(list.size() + around.size());
            std::set_union(list.begin(), list.end(), around.begin(), around.end(), std::back_inserter(merged));
            merged.erase(std::remove(merged.begin(), merged.end(), x), merged.end());
            list = std::move(merged);
        }
        // The fill changes for the neighbours and for their neighbours.
        for (const std::int32_t x : around) {
            scores[static_cast<std::size_t>(x)] = score(x);
            if (!MinFill) continue;
            for (const std::int32_t y : adjacent[static_cast<std::size_t>(x)]) scores[static_cast<std::size_t>(y)] = score(y);
        }
    }
    return order;
}

TCrossingOrder SearchOrder(const TPortGraph& Graph, TOrderSearch Search) {
    TCrossingOrder best = ChooseOrder(Graph);
    const std::int32_t n = Graph.Crossings;
    if (Search == TOrderSearch::Greedy || n == 0) return best;
    double bestStates = OrderWork(best);
    std::vector<std::uint32_t> rank(static_cast<std::size_t>(n));
    const std::int64_t squared = static_cast<std::int64_t>(n) * n;
    const auto starts = static_cast<std::int32_t>(std::clamp<std::int64_t>(StepBudget / (2 * squared), 1, std::min(n, RankStarts)));
    for (const bool minFill : {false, true}) {
        if (minFill && n > MinFillCrossings) continue;
        const std::vector<std::int32_t> elimination = EliminationOrder(Graph, minFill);
        for (std::size_t i = 0; i < elimination.size(); ++i)
            rank[static_cast<std::size_t>(elimination[i])] = static_cast<std::uint32_t>(i);
        for (std::int32_t i = 0; i < starts; ++i) {
            TCrossingOrder order =
                GreedyOrder(Graph, static_cast<std::int32_t>(static_cast<std::int64_t>(i) * n / starts), &rank);
            const double states = OrderWork(order);
            if (BetterOrder(order, states, best, bestStates)) {
                best = std::move(order);
                bestStates = states;
            }
        }
    }
    // The sweeps of the Laplacian picture find other orders than the greedy
    // ones; the best of each is refined, and the better kept.
    const std::int64_t moves = std::min(RefineMoves * n, MostMoves);
    TCrossingOrder refined = RefineOrder(Graph, std::move(best), moves, RefineReach);
    TCrossingOrder swept = RefineOrder(Graph, LaplacianSweepOrder(Graph, StepBudget), moves, RefineReach);
    return BetterOrder(swept, OrderWork(swept), refined, OrderWork(refined)) ? swept : refined;
}

}  // namespace ravelon
