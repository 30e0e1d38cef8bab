#include "knot/CrossingOrder.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ravelon {

namespace {

// At most this many start crossings are tried; codes with fewer crossings try
// every one.
constexpr std::int32_t MaxStarts = 48;

double Cost(const TCrossingOrder& Order) {
    double sum = 0;
    for (const int w : Order.Widths) sum += std::ldexp(1.0, w);
    return sum;
}

}  // namespace

TCrossingOrder MeasureOrder(const TPortGraph& Graph, std::vector<std::int32_t> Crossings) {
    TCrossingOrder order;
    std::vector<char> taken(static_cast<std::size_t>(Graph.Crossings), 0);
    int width = 0;
    for (const std::int32_t c : Crossings) {
        taken[static_cast<std::size_t>(c)] = 1;
        for (std::int32_t p = 0; p < 4; ++p) {
            const std::int32_t other = Graph.Mate[static_cast<std::size_t>(4 * c + p)] / 4;
            if (other == c) continue;
            width += taken[static_cast<std::size_t>(other)] ? -1 : 1;
        }
        order.Widths.push_back(width);
        order.MaxWidth = std::max(order.MaxWidth, width);
    }
    order.Crossings = std::move(Crossings);
    return order;
}

TCrossingOrder GreedyOrder(const TPortGraph& Graph, std::int32_t Start) {
    const std::int32_t n = Graph.Crossings;
    const auto un = static_cast<std::size_t>(n);
    std::vector<char> taken(un, 0);
    // For each crossing not taken: its edges into the taken part, its edges to
    // other crossings, and the step at which it first touched the taken part.
    std::vector<int> inside(un, 0), outer(un, 0);
    std::vector<std::int32_t> touched(un, std::numeric_limits<std::int32_t>::max());
    for (std::int32_t c = 0; c < n; ++c)
        for (std::int32_t p = 0; p < 4; ++p)
            if (Graph.Mate[static_cast<std::size_t>(4 * c + p)] / 4 != c) ++outer[static_cast<std::size_t>(c)];

    std::vector<std::int32_t> sequence;
    sequence.reserve(un);
    auto take = [&](std::int32_t c, std::int32_t step) {
        taken[static_cast<std::size_t>(c)] = 1;
        sequence.push_back(c);
        for (std::int32_t p = 0; p < 4; ++p) {
            const std::int32_t other = Graph.Mate[static_cast<std::size_t>(4 * c + p)] / 4;
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
            } else if (touched[uc] < touched[ub]) {
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
    const std::int32_t starts = std::min(n, MaxStarts);
    double bestCost = 0;
    for (std::int32_t i = 0; i < starts; ++i) {
        const auto start = static_cast<std::int32_t>(static_cast<std::int64_t>(i) * n / starts);
        TCrossingOrder order = GreedyOrder(Graph, start);
        const double cost = Cost(order);
        if (i == 0 || order.MaxWidth < best.MaxWidth || (order.MaxWidth == best.MaxWidth && cost < bestCost)) {
            best = std::move(order);
            bestCost = cost;
        }
    }
    return best;
}

}  // namespace ravelon
