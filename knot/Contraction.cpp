#include "knot/Contraction.h"

#include <algorithm>
#include <map>

#include "knot/ContractionRun.h"
#include "knot/CostEstimate.h"
#include "knot/PortGraph.h"
#include "knot/Simplify.h"
#include "knot/TooComplex.h"

namespace ravelon {

namespace {

using contraction::Exact;
using contraction::TContraction;

template <class C>
TStridePoly<TCoefficient> Exact(const TStridePoly<C>& Poly) {
    TStridePoly<TCoefficient> exact;
    exact.Low = Poly.Low;
    exact.Coeffs.reserve(Poly.Coeffs.size());
    for (const C c : Poly.Coeffs) exact.Coeffs.push_back(Exact(c));
    return exact;
}
const TStridePoly<TCoefficient>& Exact(const TStridePoly<TCoefficient>& Poly) { return Poly; }

// d^(FreeLoops - 1) times the sum of the classes (each of which holds at
// least one loop in every state), as non-zero terms, largest exponent first.
template <class C>
TBracketTerms Finish(const std::vector<TStridePoly<C>>& Classes, int FreeLoops) {
    std::map<std::int64_t, TCoefficient, std::greater<>> sum;
    for (const TStridePoly<C>& poly : Classes) {
        TStridePoly<TCoefficient> value = Exact(poly);
        value.DivideByLoop();
        for (int i = 0; i < FreeLoops; ++i) {
            TStridePoly<TCoefficient> times;
            if (!value.Coeffs.empty()) times.AddTimesLoops(value, 0, 1, 1);
            value = std::move(times);
        }
        for (std::size_t i = 0; i < value.Coeffs.size(); ++i)
            sum[value.Low + 4 * static_cast<std::int64_t>(i)] += value.Coeffs[i];
    }
    TBracketTerms terms;
    for (auto& [exponent, coefficient] : sum)
        if (!IsZero(coefficient)) terms.emplace_back(exponent, std::move(coefficient));
    return terms;
}

// d^(Loops - 1) for a code without crossings: nothing for no loop at all.
TBracketTerms LoopsOnly(int Loops) {
    if (Loops == 0) return {};
    TStridePoly<TCoefficient> value = TStridePoly<TCoefficient>::One();
    for (int i = 1; i < Loops; ++i) {
        TStridePoly<TCoefficient> times;
        times.AddTimesLoops(value, 0, 1, 1);
        value = std::move(times);
    }
    TBracketTerms terms;
    for (std::size_t i = value.Coeffs.size(); i-- > 0;)
        if (!IsZero(value.Coeffs[i])) terms.emplace_back(value.Low + 4 * static_cast<std::int64_t>(i), value.Coeffs[i]);
    return terms;
}

// The bracket of Graph by contraction.
TBracketTerms Contract(const TPortGraph& Graph, const TContractionLimits& Limits, TContractionStats& Stats) {
    if (Graph.Crossings == 0) return LoopsOnly(Graph.FreeLoops);
    const TCrossingOrder order = SearchOrder(Graph, Limits.Order);
    Stats.MaxWidth = order.MaxWidth;
    // A code far beyond reach is refused before the first step; one near the
    // bound is refused as soon as the states built pass it.
    Stats.EstimatedBytes = EstimateCost(order).PeakBytes;
    if (Stats.EstimatedBytes > EstimateMargin * static_cast<double>(Limits.MaxBytes)) throw TTooComplex();
    // 64-bit coefficients, 128-bit ones for the states whose sums may pass
    // 63 bits; on a 128-bit overflow the states before the step that
    // overflowed go on with exact ones.
    TContraction<std::int64_t, TWideCoefficient> fixed(Graph, Limits, Stats);
    try {
        return Finish(fixed.Run(order), Graph.FreeLoops);
    } catch (const TCoefficientOverflow&) {
        Stats.Coefficients = TCoefficientKind::Exact;
    }
    TContraction<TCoefficient, TCoefficient> exact(std::move(fixed));
    return Finish(exact.Run(order), Graph.FreeLoops);
}

}  // namespace

TBracketTerms ContractBracket(const TKnot& Code, const TContractionLimits& Limits, TContractionStats* Stats) {
    TContractionStats local;
    TContractionStats& stats = Stats ? *Stats : local;
    stats = TContractionStats{};
    TSimplified simple{BuildPortGraph(Code)};
    if (Limits.Simplify) simple = Simplify(simple.Graph);
    stats.Crossings = simple.Graph.Crossings;
    TBracketTerms terms = Contract(simple.Graph, Limits, stats);
    for (auto& [exponent, coefficient] : terms) {
        exponent += simple.Shift;
        if (simple.Sign < 0) coefficient = -coefficient;
    }
    return terms;
}

}  // namespace ravelon
