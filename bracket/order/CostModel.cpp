// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/order/CostModel.h"

#include <algorithm>
#include <cstdint>

namespace ravelon {

double WidthStates(int W) {
    // Catalan(k) = C(2k, k) / (k + 1), by its product formula.
    double catalan = 1;
    for (int k = 1; k <= W / 2; ++k) catalan = catalan * (4.0 * k - 2) / (k + 1);
    return catalan;
}

double StepCoefficients(std::size_t K, const TCostScale& Scale) {
    const double taken = static_cast<double>(K + 1);
    return (1 + Scale.CoefficientsPerStep * taken) * (1 + WideShare(Scale.BitsPerStep * taken));
}

std::vector<double> StepWork(const TCrossingOrder& Order) {
    std::vector<double> work(Order.Widths.size());
    for (std::size_t k = 0; k < Order.Widths.size(); ++k) work[k] = WidthStates(Order.Widths[k]) * StepCoefficients(k);
    return work;
}

double OrderWork(const TCrossingOrder& Order) {
    double sum = 0;
    for (const double w : StepWork(Order)) sum += w;
    return sum;
}

bool BetterOrder(const TCrossingOrder& A, double WorkA, const TCrossingOrder& B, double WorkB) {
    return A.MaxWidth != B.MaxWidth ? A.MaxWidth < B.MaxWidth : WorkA < WorkB;
}

TCostEstimate EstimateCost(const TCrossingOrder& Order, const TCostScale& Scale, std::size_t From) {
    TCostEstimate cost;
    double before = 0;
    for (std::size_t k = From; k < Order.Widths.size(); ++k) {
        const int w = Order.Widths[k];
        const double states = WidthStates(w) * Scale.StatesShare;
        const double bytes = states * (w + 1 + Scale.BytesPerState + 8 * StepCoefficients(k, Scale));
        cost.PeakStates = std::max(cost.PeakStates, states);
        cost.PeakBytes = std::max(cost.PeakBytes, before + bytes);
        before = bytes;
    }
    return cost;
}

}  // namespace ravelon
