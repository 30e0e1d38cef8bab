// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/Contraction.h"

#include <algorithm>

#include "bracket/ContractionRun.h"
#include "bracket/order/CostModel.h"
#include "bracket/MemoryBound.h"
#include "knot/PortGraph.h"
#include "bracket/Simplify.h"
#include "bracket/TooComplex.h"

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

// Appends the terms of Poly to Terms.
void AppendTerms(const TStridePoly<TCoefficient>& Poly, std::vector<TLaurent::TTermOf>& Terms) {
    for (std::size_t i = 0; i < Poly.Coeffs.size(); ++i) Terms.emplace_back(Poly.Low + 4 * static_cast<std::int64_t>(i), Poly.Coeffs[i]);
}

// d^(FreeLoops - 1) times the sum of the classes (each of which holds at
// least one loop in every state); TLaurent adds the terms of one exponent.
template <class C>
TLaurent Finish(const std::vector<TStridePoly<C>>& Classes, int FreeLoops) {
    std::vector<TLaurent::TTermOf> terms;
    for (const TStridePoly<C>& poly : Classes) {
        TStridePoly<TCoefficient> value = Exact(poly);
        value.DivideByLoop();
        for (int i = 0; i < FreeLoops; ++i) {
            TStridePoly<TCoefficient> times;
            if (!value.Coeffs.empty()) times.AddTimesLoops(value, 0, 1, 1);
            value = std::move(times);
        }
        AppendTerms(value, terms);
    }
    return TLaurent(std::move(terms));
}

// d^(Loops - 1) for a code without crossings: nothing for no loop at all.
TLaurent LoopsOnly(int Loops) {
    if (Loops == 0) return {};
    TStridePoly<TCoefficient> value = TStridePoly<TCoefficient>::One();
    for (int i = 1; i < Loops; ++i) {
        TStridePoly<TCoefficient> times;
        times.AddTimesLoops(value, 0, 1, 1);
        value = std::move(times);
    }
    std::vector<TLaurent::TTermOf> terms;
    AppendTerms(value, terms);
    return TLaurent(std::move(terms));
}

// The share of the whole work each step of Order stands for: its
// estimated work (WidthStates times StepCoefficients, as in OrderWork), the
// shares of the steps before it included.
std::vector<double> StepShares(const TCrossingOrder& Order) {
    std::vector<double> shares = StepWork(Order);
    double sum = 0;
    for (double& share : shares) share = sum += share;
    for (double& share : shares) share /= sum;
    return shares;
}

// The bracket of a planned code by contraction, before the removals' factor.
TLaurent Contract(const TBracketPlan& Plan, const TContractionLimits& Limits, TContractionStats& Stats) {
    const TPortGraph& graph = Plan.Simple.Graph;
    if (graph.Crossings == 0) return LoopsOnly(graph.FreeLoops);
    Stats.MaxWidth = Plan.Order.MaxWidth;
    // A code far beyond reach is refused before the first step; one near the
    // bound is refused as soon as the states built pass it.
    Stats.EstimatedBytes = Plan.EstimatedBytes;
    if (BeyondReach(Plan, Limits)) throw TTooComplex(static_cast<std::size_t>(Plan.EstimatedBytes / EstimateMargin));
    const std::vector<double> shares = StepShares(Plan.Order);
    // 64-bit coefficients, 128-bit ones for the states whose sums may pass
    // 63 bits; on a 128-bit overflow the states before the step that
    // overflowed go on with exact ones.
    TContraction<std::int64_t, TWideCoefficient> fixed(graph, Limits, Stats, shares);
    try {
        return Finish(fixed.Run(Plan.Order), graph.FreeLoops);
    } catch (const TCoefficientOverflow&) {
        Stats.Coefficients = TCoefficientKind::Exact;
    }
    TContraction<TCoefficient, TCoefficient> exact(std::move(fixed));
    return Finish(exact.Run(Plan.Order), graph.FreeLoops);
}

}  // namespace

TBracketPlan PlanBracket(const TKnot& Code, const TContractionLimits& Limits) {
    TBracketPlan plan{TSimplified{BuildPortGraph(Code)}, {}, 0};
    if (Limits.Simplify) plan.Simple = Simplify(plan.Simple.Graph);
    if (plan.Simple.Graph.Crossings == 0) return plan;
    plan.Order = SearchOrder(plan.Simple.Graph, Limits.Order);
    plan.EstimatedBytes = EstimateCost(plan.Order).PeakBytes;
    return plan;
}

std::size_t MemoryBoundOf(const TContractionLimits& Limits) {
    return Limits.MaxBytes != 0 ? Limits.MaxBytes : MachineContractionBytes();
}

bool BeyondReach(const TBracketPlan& Plan, const TContractionLimits& Limits) {
    return Plan.EstimatedBytes > EstimateMargin * static_cast<double>(MemoryBoundOf(Limits));
}

TLaurent ContractBracket(const TBracketPlan& Plan, const TContractionLimits& Limits, TContractionStats* Stats) {
    TContractionStats local;
    TContractionStats& stats = Stats ? *Stats : local;
    stats = TContractionStats{};
    stats.Crossings = Plan.Simple.Graph.Crossings;
    // The bound is fixed when the computation starts.
    TContractionLimits limits = Limits;
    limits.MaxBytes = MemoryBoundOf(Limits);
    stats.MaxBytes = limits.MaxBytes;
    const TLaurent terms = Contract(Plan, limits, stats).Times(Plan.Simple.Sign, Plan.Simple.Shift);
    if (Limits.Progress != nullptr) Limits.Progress->Advance(1);
    return terms;
}

TLaurent ContractBracket(const TKnot& Code, const TContractionLimits& Limits, TContractionStats* Stats) {
    return ContractBracket(PlanBracket(Code, Limits), Limits, Stats);
}

TPoly BracketPolynomial(const TLaurent& Terms) { return ToPoly(Terms); }

TPoly JonesPolynomial(const TLaurent& Bracket, int Writhe) {
    // A^e (-A^3)^(-w) = (-1)^w A^(e - 3w), and A^k = t^(-k/4).
    const std::int64_t w = Writhe;
    return ToPoly(Bracket.Times(w % 2 != 0 ? -1 : 1, -3 * w), -4);
}

}  // namespace ravelon
