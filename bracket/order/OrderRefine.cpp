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

}  // namespace

TCrossingOrder RefineOrder(const TPortGraph& Graph, TCrossingOrder Order, std::int64_t Moves, std::int32_t Reach) {
    const auto n = static_cast<std::int32_t>(Order.Crossings.size());
    if (n < 3 || Reach < 1) return Order;
    std::vector<std::int32_t>& order = Order.Crossings;
    std::vector<int>& widths = Order.Widths;
    const int ceiling = Order.MaxWidth;
    const std::vector<double> statesOf = StatesOfWidth(ceiling);
    std::vector<std::int32_t> position(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) position[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i;
    // The arcs from crossing V to crossing U.
    auto arcs = [&](std::int32_t V, std::int32_t U) {
        int k = 0;
        for (std::int32_t p = 0; p < 4; ++p) k += Neighbour(Graph, V, p) == U ? 1 : 0;
        return k;
    };
    // The arcs from V to crossings placed before position Before.
    auto arcsBefore = [&](std::int32_t V, std::int32_t Before) {
        int k = 0;
        for (std::int32_t p = 0; p < 4; ++p) {
            const std::int32_t u = Neighbour(Graph, V, p);
            if (u != V && position[static_cast<std::size_t>(u)] < Before) ++k;
        }
        return k;
    };
    auto widthAt = [&](std::int32_t k) { return k < 0 ? 0 : widths[static_cast<std::size_t>(k)]; };
    std::mt19937 rng(20261208u);
    std::uniform_int_distribution<std::int32_t> from(0, n - 1), distance(1, std::min(Reach, n - 1));
    std::vector<int> moved;
    for (std::int64_t move = 0; move < Moves; ++move) {
        const std::int32_t i = from(rng);
        const std::int32_t d = distance(rng);
        const std::int32_t j = (rng() & 1u) != 0 ? i + d : i - d;
        if (j < 0 || j >= n) continue;
        const std::int32_t v = order[static_cast<std::size_t>(i)];
        const int degree = 4 - arcs(v, v);
        // The steps from First to First + moved.size() - 1 get the widths in
        // moved; the others keep theirs.
        moved.clear();
        const std::int32_t first = std::min(i, j);
        if (j > i) {
            // Step k now takes the crossings up to k + 1 without v.
            int inside = arcsBefore(v, i);
            for (std::int32_t k = i; k < j; ++k) {
                inside += arcs(v, order[static_cast<std::size_t>(k + 1)]);
                moved.push_back(widthAt(k + 1) - degree + 2 * inside);
            }
        } else {
            // Step k now takes the crossings up to k - 1 and v.
            int inside = arcsBefore(v, j);
            for (std::int32_t k = j; k < i; ++k) {
                moved.push_back(widthAt(k - 1) + degree - 2 * inside);
                inside += arcs(v, order[static_cast<std::size_t>(k)]);
            }
        }
        double change = 0;
        bool fits = true;
        for (std::size_t k = 0; k < moved.size() && fits; ++k) {
            fits = moved[k] <= ceiling;
            const std::size_t step = static_cast<std::size_t>(first) + k;
            if (fits)
                change += (statesOf[static_cast<std::size_t>(moved[k])] - statesOf[static_cast<std::size_t>(widths[step])]) *
                          StepCoefficients(step);
        }
        if (!fits || change > 0) continue;
        const auto at = order.begin();
        if (j > i) std::rotate(at + i, at + i + 1, at + j + 1);
        else std::rotate(at + j, at + i, at + i + 1);
        for (std::int32_t k = first; k <= std::max(i, j); ++k)
            position[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])] = k;
        std::copy(moved.begin(), moved.end(), widths.begin() + first);
    }
    Order.MaxWidth = *std::max_element(widths.begin(), widths.end());
    return Order;
}

}  // namespace ravelon
