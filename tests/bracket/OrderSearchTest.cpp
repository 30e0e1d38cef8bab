// SPDX-License-Identifier: GPL-3.0-or-later
// The order search: every order it returns is a permutation whose widths are
// the boundaries counted afresh after every step, it is never worse than the
// greedy one, and the refinement keeps its widths right while it moves
// crossings.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "bracket/Contraction.h"
#include "bracket/order/CostModel.h"
#include "bracket/order/CrossingOrder.h"
#include "bracket/order/LaplacianSweep.h"
#include "bracket/order/OrderRefine.h"
#include "bracket/order/OrderSearch.h"
#include "bracket/Simplify.h"
#include "tests/support/BraidCode.h"
#include "tests/support/RandomCode.h"

namespace ravelon {
namespace {

#ifdef RAVELON_SANITIZED_TESTS
constexpr int Rounds = 6;
#else
constexpr int Rounds = 40;
#endif

// The codes searched: closed braids of many strands (wide boundaries) and
// random port codes, of 20 to 120 crossings.
TPortGraph RandomGraph(std::mt19937& Rng, int Round) {
    std::uniform_int_distribution<int> crossings(20, 120), strands(4, 12);
    const int n = crossings(Rng);
    if (Round % 2 == 0) return BuildPortGraph(testing::RandomPortCode(Rng, n, 0));
    const int s = strands(Rng);
    return BuildPortGraph(testing::BraidClosure(s, testing::RandomBraidWord(Rng, s, n)));
}

// The boundary after every step, counted afresh: the ports of the taken
// crossings whose edge leads to a crossing not taken.
std::vector<int> CountedWidths(const TPortGraph& Graph, const std::vector<std::int32_t>& Crossings) {
    std::vector<char> taken(static_cast<std::size_t>(Graph.Crossings), 0);
    std::vector<int> widths;
    for (const std::int32_t c : Crossings) {
        taken[static_cast<std::size_t>(c)] = 1;
        int width = 0;
        for (std::size_t node = 0; node < Graph.Mate.size(); ++node)
            if (taken[node / 4] && !taken[static_cast<std::size_t>(Graph.Mate[node]) / 4]) ++width;
        widths.push_back(width);
    }
    return widths;
}

void ExpectMeasured(const TPortGraph& Graph, const TCrossingOrder& Order, const std::string& What) {
    std::vector<std::int32_t> sorted = Order.Crossings;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::int32_t> all(static_cast<std::size_t>(Graph.Crossings));
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(sorted, all) << What;
    const std::vector<int> counted = CountedWidths(Graph, Order.Crossings);
    EXPECT_EQ(Order.Widths, counted) << What;
    EXPECT_EQ(Order.MaxWidth, counted.empty() ? 0 : *std::max_element(counted.begin(), counted.end())) << What;
}

TEST(OrderSearch, OrdersArePermutationsNoWorseThanTheGreedy) {
    std::mt19937 rng(4848);
    int narrower = 0;
    for (int round = 0; round < Rounds; ++round) {
        const TPortGraph graph = RandomGraph(rng, round);
        const std::string what = "round " + std::to_string(round);
        const TCrossingOrder greedy = SearchOrder(graph, TOrderSearch::Greedy);
        const TCrossingOrder searched = SearchOrder(graph);
        ExpectMeasured(graph, greedy, what);
        ExpectMeasured(graph, searched, what);
        EXPECT_LE(searched.MaxWidth, greedy.MaxWidth) << what;
        if (searched.MaxWidth == greedy.MaxWidth) {
            EXPECT_LE(OrderWork(searched), OrderWork(greedy)) << what;
        }
        if (searched.MaxWidth < greedy.MaxWidth) ++narrower;
        for (const bool minFill : {false, true}) {
            ExpectMeasured(graph, MeasureOrder(graph, EliminationOrder(graph, minFill)), what);
        }
        ExpectMeasured(graph, LaplacianSweepOrder(graph, 40'000'000), what);
    }
    EXPECT_GT(narrower, 0);
}

TEST(OrderSearch, RefinementKeepsItsWidthsRight) {
    std::mt19937 rng(5959);
    for (int round = 0; round < Rounds; ++round) {
        const TPortGraph graph = RandomGraph(rng, round);
        // A random order, far from a good one, so that many moves are kept.
        std::vector<std::int32_t> crossings(static_cast<std::size_t>(graph.Crossings));
        std::iota(crossings.begin(), crossings.end(), 0);
        std::shuffle(crossings.begin(), crossings.end(), rng);
        const TCrossingOrder start = MeasureOrder(graph, crossings);
        const TCrossingOrder refined = RefineOrder(graph, start, 2000, 1 + round);
        const std::string what = "round " + std::to_string(round);
        ExpectMeasured(graph, refined, what);
        EXPECT_LE(refined.MaxWidth, start.MaxWidth) << what;
        EXPECT_LT(OrderWork(refined), OrderWork(start)) << what;
    }
}

// Simplified codes with their orders: the elimination ranks and the
// refinement on curls, bigons and free loops.
TEST(OrderSearch, SimplifiedCodesOfCancellingBraidsAgree) {
    std::mt19937 rng(6060);
    for (int round = 0; round < Rounds; ++round) {
        std::vector<int> word = testing::RandomBraidWord(rng, 6, 40);
        for (std::size_t i = 0; i + 1 < word.size(); i += 5) word.insert(word.begin() + static_cast<std::ptrdiff_t>(i), -word[i]);
        const TKnot code = testing::BraidClosure(6, word);
        TContractionLimits greedy, searched;
        greedy.Order = TOrderSearch::Greedy;
        greedy.Simplify = false;
        EXPECT_EQ(ContractBracket(code, greedy), ContractBracket(code, searched)) << "round " << round;
        ExpectMeasured(Simplify(BuildPortGraph(code)).Graph, SearchOrder(Simplify(BuildPortGraph(code)).Graph),
                       "round " + std::to_string(round));
    }
}

}  // namespace
}  // namespace ravelon
