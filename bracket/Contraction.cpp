// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/Contraction.h"

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>

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
TBracketTerms Contract(const TBracketPlan& Plan, const TContractionLimits& Limits, TContractionStats& Stats) {
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

// A polynomial of the given exponents and coefficients, in the order given;
// the constant 0 as one term when there is none.
TPoly FromTerms(std::vector<TTerm> Terms) {
    TPoly p(0);
    if (!Terms.empty()) p.FTerms = std::move(Terms);
    return p;
}

std::int32_t Exponent32(std::int64_t E) {
    if (E < std::numeric_limits<std::int32_t>::min() || E > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("exponent beyond 32 bits");
    return static_cast<std::int32_t>(E);
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

TBracketTerms ContractBracket(const TBracketPlan& Plan, const TContractionLimits& Limits, TContractionStats* Stats) {
    TContractionStats local;
    TContractionStats& stats = Stats ? *Stats : local;
    stats = TContractionStats{};
    stats.Crossings = Plan.Simple.Graph.Crossings;
    // The bound is fixed when the computation starts.
    TContractionLimits limits = Limits;
    limits.MaxBytes = MemoryBoundOf(Limits);
    stats.MaxBytes = limits.MaxBytes;
    TBracketTerms terms = Contract(Plan, limits, stats);
    for (auto& [exponent, coefficient] : terms) {
        exponent += Plan.Simple.Shift;
        if (Plan.Simple.Sign < 0) coefficient = -coefficient;
    }
    if (Limits.Progress != nullptr) Limits.Progress->Advance(1);
    return terms;
}

TBracketTerms ContractBracket(const TKnot& Code, const TContractionLimits& Limits, TContractionStats* Stats) {
    return ContractBracket(PlanBracket(Code, Limits), Limits, Stats);
}

TPoly BracketPolynomial(const TBracketTerms& Terms) {
    // Non-zero terms only, largest exponent first.
    std::vector<TTerm> terms;
    for (const auto& [exponent, coefficient] : Terms)
        terms.push_back(TTerm{MakeFraction(Exponent32(exponent), 1), coefficient});
    return FromTerms(std::move(terms));
}

TPoly JonesPolynomial(const TBracketTerms& Bracket, int Writhe) {
    // A^e (-A^3)^(-w) = (-1)^w A^(e - 3w), and A^k = t^(-k/4): the largest
    // exponent of A gives the smallest of t, so the terms are listed in
    // reverse to come largest exponent of t first. Non-zero terms only.
    const std::int64_t w = Writhe;
    std::vector<TTerm> terms;
    for (auto it = Bracket.rbegin(); it != Bracket.rend(); ++it) {
        const TFraction e = DivideFraction(MakeFraction(Exponent32(it->first - 3 * w), 1), -4);
        terms.push_back(TTerm{e, w % 2 != 0 ? TCoefficient(-it->second) : it->second});
    }
    return FromTerms(std::move(terms));
}

}  // namespace ravelon
