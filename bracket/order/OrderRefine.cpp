// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/order/OrderRefine.h"

#include "bracket/order/CostModel.h"

#include <algorithm>
#include <random>
#include <vector>

namespace ravelon {

namespace {

// WidthStates for the widths an order can have, as a table.
std::vector<double> StatesOfWidth(int MaxWidth) {
    std::vector<double> states(static_cast<std::size_t>(MaxWidth) + 1, 1);
    for (int w = 0; w <= MaxWidth; ++w) states[static_cast<std::size_t>(w)] = WidthStates(w);
    return states;
}

// An order being refined: its crossings, their places, and its widths.
class TRefiner {
public:
    TRefiner(const TPortGraph& Graph, TCrossingOrder& Order)
        : FGraph(Graph), FOrder(Order.Crossings), FWidths(Order.Widths), FCeiling(Order.MaxWidth),
          FStatesOf(StatesOfWidth(Order.MaxWidth)), FPosition(Order.Crossings.size()) {
        for (std::size_t i = 0; i < FOrder.size(); ++i) FPosition[static_cast<std::size_t>(FOrder[i])] = static_cast<std::int32_t>(i);
    }

    // Moves the crossing at place I to place J when that does not raise the
    // work of the order nor its widest step.
    void TryMove(std::int32_t I, std::int32_t J) {
        MovedWidths(I, J);
        const std::int32_t first = std::min(I, J);
        double change = 0;
        for (std::size_t k = 0; k < FMoved.size(); ++k) {
            if (FMoved[k] > FCeiling) return;
            const std::size_t step = static_cast<std::size_t>(first) + k;
            change += (StatesOf(FMoved[k]) - StatesOf(FWidths[step])) * StepCoefficients(step);
        }
        if (change > 0) return;
        const auto at = FOrder.begin();
        if (J > I) std::rotate(at + I, at + I + 1, at + J + 1);
        else std::rotate(at + J, at + I, at + I + 1);
        for (std::int32_t k = first; k <= std::max(I, J); ++k)
            FPosition[static_cast<std::size_t>(FOrder[static_cast<std::size_t>(k)])] = k;
        std::copy(FMoved.begin(), FMoved.end(), FWidths.begin() + first);
    }

private:
    double StatesOf(int Width) const { return FStatesOf[static_cast<std::size_t>(Width)]; }
    int WidthAt(std::int32_t K) const { return K < 0 ? 0 : FWidths[static_cast<std::size_t>(K)]; }

    // The arcs from crossing V to crossing U.
    int Arcs(std::int32_t V, std::int32_t U) const {
        int k = 0;
        for (std::int32_t p = 0; p < 4; ++p) k += Neighbour(FGraph, V, p) == U ? 1 : 0;
        return k;
    }
    // The arcs from V to crossings placed before place Before.
    int ArcsBefore(std::int32_t V, std::int32_t Before) const {
        int k = 0;
        for (std::int32_t p = 0; p < 4; ++p) {
            const std::int32_t u = Neighbour(FGraph, V, p);
            if (u != V && FPosition[static_cast<std::size_t>(u)] < Before) ++k;
        }
        return k;
    }

    // The widths of the steps from min(I, J) on, as many as the move of the
    // crossing at place I to place J changes, into FMoved.
    void MovedWidths(std::int32_t I, std::int32_t J) {
        const std::int32_t v = FOrder[static_cast<std::size_t>(I)];
        const int degree = 4 - Arcs(v, v);
        FMoved.clear();
        if (J > I) {
            // Step k now takes the crossings up to k + 1 without v.
            int inside = ArcsBefore(v, I);
            for (std::int32_t k = I; k < J; ++k) {
                inside += Arcs(v, FOrder[static_cast<std::size_t>(k + 1)]);
                FMoved.push_back(WidthAt(k + 1) - degree + 2 * inside);
            }
        } else {
            // Step k now takes the crossings up to k - 1 and v.
            int inside = ArcsBefore(v, J);
            for (std::int32_t k = J; k < I; ++k) {
                FMoved.push_back(WidthAt(k - 1) + degree - 2 * inside);
                inside += Arcs(v, FOrder[static_cast<std::size_t>(k)]);
            }
        }
    }

    const TPortGraph& FGraph;
    std::vector<std::int32_t>& FOrder;
    std::vector<int>& FWidths;
    const int FCeiling;
    const std::vector<double> FStatesOf;
    std::vector<std::int32_t> FPosition;
    std::vector<int> FMoved;
};

}  // namespace

TCrossingOrder RefineOrder(const TPortGraph& Graph, TCrossingOrder Order, std::int64_t Moves, std::int32_t Reach) {
    const auto n = static_cast<std::int32_t>(Order.Crossings.size());
    if (n < 3 || Reach < 1) return Order;
    TRefiner refiner(Graph, Order);
    std::mt19937 rng(20261208u);
    std::uniform_int_distribution<std::int32_t> from(0, n - 1), distance(1, std::min(Reach, n - 1));
    for (std::int64_t move = 0; move < Moves; ++move) {
        const std::int32_t i = from(rng);
        const std::int32_t d = distance(rng);
        const std::int32_t j = (rng() & 1u) != 0 ? i + d : i - d;
        if (j >= 0 && j < n) refiner.TryMove(i, j);
    }
    Order.MaxWidth = *std::max_element(Order.Widths.begin(), Order.Widths.end());
    return Order;
}

}  // namespace ravelon
