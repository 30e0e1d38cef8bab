#include "knot/CostEstimate.h"

#include <algorithm>
#include <cstdint>

#include "knot/OrderSearch.h"
#include "knot/PairingTable.h"

namespace ravelon {

namespace {

// The bytes of one state beyond its key and coefficients: its span record,
// two to four places of the hash index, and its pairing, hash and target as
// the next step's source.
constexpr double StateBytes = sizeof(TSpan) + 3 * sizeof(TPairingEntry) + 16;

}  // namespace

TCostEstimate EstimateCost(const TCrossingOrder& Order, const TCostScale& Scale, std::size_t From) {
    TCostEstimate cost;
    double before = 0;
    for (std::size_t k = From; k < Order.Widths.size(); ++k) {
        const int w = Order.Widths[k];
        const double taken = static_cast<double>(k + 1);
        const double states = WidthStates(w) * Scale.StatesShare;
        const double coefficients = 1 + Scale.CoefficientsPerStep * taken;
        const double wide = WideShare(Scale.BitsPerStep * taken);
        const double bytes = states * (w + 1 + StateBytes + coefficients * (8 + 8 * wide));
        cost.PeakStates = std::max(cost.PeakStates, states);
        cost.PeakBytes = std::max(cost.PeakBytes, before + bytes);
        before = bytes;
    }
    return cost;
}

}  // namespace ravelon
