#include "knot/CostEstimate.h"

#include <algorithm>
#include <cstdint>

#include "knot/OrderSearch.h"
#include "knot/StridePoly.h"

namespace ravelon {

namespace {

// The bytes of one state beyond its key and coefficients: the polynomial
// record, two index places and the heap block of its coefficients.
constexpr double StateBytes = sizeof(TStridePoly<std::int64_t>) + 2 * 8 + 16;

}  // namespace

TCostEstimate EstimateCost(const TCrossingOrder& Order) {
    TCostEstimate cost;
    double before = 0;
    for (std::size_t k = 0; k < Order.Widths.size(); ++k) {
        const int w = Order.Widths[k];
        const double states = WidthStates(w);
        const double coefficients = StepCoefficients(k);
        const double bytes = states * (w + 1 + StateBytes + 8 * coefficients);
        cost.PeakStates = std::max(cost.PeakStates, states);
        cost.PeakBytes = std::max(cost.PeakBytes, before + bytes);
        before = bytes;
    }
    return cost;
}

}  // namespace ravelon
