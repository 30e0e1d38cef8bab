#include "knot/Contraction.h"

#include <algorithm>
#include <map>

#include "knot/ContractionStep.h"
#include "knot/PairingTable.h"
#include "knot/PortGraph.h"
#include "knot/Simplify.h"
#include "knot/TooComplex.h"

namespace ravelon {

namespace {

// The bytes one coefficient takes: a 64-bit or 128-bit integer, or a GMP
// integer with its own small block of limbs.
template <class C>
constexpr std::size_t CoefficientBytes = sizeof(C);
template <>
constexpr std::size_t CoefficientBytes<TCoefficient> = sizeof(TCoefficient) + 32;

// The heap block of each coefficient vector, beyond its contents.
constexpr std::size_t BlockOverhead = 16;

// The pairing states of the contraction with its estimate of the memory held.
template <class C>
class TContraction {
public:
    TContraction(const TPortGraph& Graph, const TContractionLimits& Limits, TContractionStats& Stats)
        : FGraph(Graph), FLimits(Limits), FStats(Stats) {}

    // The sum over all smoothing states of A^(#A - #A^-1) d^loops, loops that
    // meet no crossing left out, as one polynomial per exponent class.
    std::vector<TStridePoly<C>> Run(const TCrossingOrder& Order) {
        TPairingTable<C> table(0);
        const std::uint8_t noPairing = 0;
        table.FindOrAdd(&noPairing);
        table.Poly(0) = TStridePoly<C>::One();
        std::size_t tableCoefficients = 1;

        std::vector<std::int32_t> slots;
        std::vector<char> taken(static_cast<std::size_t>(FGraph.Crossings), 0);
        std::vector<std::uint8_t> key;
        for (const std::int32_t crossing : Order.Crossings) {
            const TContractionStep step(FGraph, crossing, slots, taken);
            if (step.NewWidth() > MaxPairingWidth) throw TTooComplex();
            TPairingTable<C> next(step.NewWidth());
            key.assign(next.KeyLength(), 0);
            std::size_t nextCoefficients = 0;
            const std::size_t heldBefore = Estimate(table, tableCoefficients);
            const std::size_t wideBefore = Estimate<TWideCoefficient>(table, tableCoefficients);
            const std::size_t exactBefore = Estimate<TCoefficient>(table, tableCoefficients);
            for (std::size_t state = 0; state < table.Count(); ++state) {
                const TStridePoly<C>& poly = table.Poly(state);
                if (poly.Coeffs.empty()) continue;
                for (int kind = 1; kind <= 2; ++kind) {
                    const int loops = step.Apply(kind, table.Key(state), key.data());
                    const std::int64_t shift = kind == 1 ? 1 : -1;
                    key.back() = static_cast<std::uint8_t>(ExponentClass(poly.Low + shift - 2 * loops));
                    TStridePoly<C>& target = next.Poly(next.FindOrAdd(key.data()));
                    const std::size_t before = target.Coeffs.capacity();
                    target.AddTimesLoops(poly, shift, loops, 1);
                    nextCoefficients += target.Coeffs.capacity() - before;
                }
                if ((state & 255) == 0) Check(heldBefore + Estimate(next, nextCoefficients));
            }
            Check(heldBefore + Estimate(next, nextCoefficients));
            FWideBytes = std::max(FWideBytes, wideBefore + Estimate<TWideCoefficient>(next, nextCoefficients));
            FExactBytes = std::max(FExactBytes, exactBefore + Estimate<TCoefficient>(next, nextCoefficients));
            table = std::move(next);
            tableCoefficients = nextCoefficients;
            FStats.PeakStates = std::max(FStats.PeakStates, table.Count());
            slots = step.NewSlotNodes();
            taken[static_cast<std::size_t>(crossing)] = 1;
        }
        std::vector<TStridePoly<C>> classes;
        for (std::size_t state = 0; state < table.Count(); ++state)
            if (!table.Poly(state).Coeffs.empty()) classes.push_back(std::move(table.Poly(state)));
        return classes;
    }

    // The largest estimate so far at the end of a step, had the coefficients
    // been 128-bit or exact ones: what a run with those would hold at the same
    // point, so at least its peak.
    std::size_t WideBytes() const { return FWideBytes; }
    std::size_t ExactBytes() const { return FExactBytes; }

private:
    // The bytes a table holds, with coefficients of type D.
    template <class D = C>
    static std::size_t Estimate(const TPairingTable<C>& Table, std::size_t Coefficients) {
        return Table.Bytes() + Table.Count() * BlockOverhead + Coefficients * CoefficientBytes<D>;
    }

    void Check(std::size_t Bytes) {
        FStats.PeakBytes = std::max(FStats.PeakBytes, Bytes);
        if (Bytes > FLimits.MaxBytes) throw TTooComplex();
    }

    const TPortGraph& FGraph;
    const TContractionLimits& FLimits;
    TContractionStats& FStats;
    std::size_t FWideBytes = 0;
    std::size_t FExactBytes = 0;
};

TCoefficient Exact(std::int64_t C) { return TCoefficient(static_cast<long>(C)); }
TCoefficient Exact(TWideCoefficient C) {
    // C = high * 2^64 + low, with high signed (the shift keeps the sign) and
    // low the unsigned lower 64 bits.
    const auto high = static_cast<long>(C >> 64);
    const auto low = static_cast<unsigned long>(C & static_cast<TWideCoefficient>(~0ul));
    return (TCoefficient(high) << 64) + TCoefficient(low);
}

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
    // 64-bit coefficients, then 128-bit ones, then exact ones. A wider run
    // passes every step the narrower one completed, with larger coefficients:
    // it is refused at once when those steps already exceed the bound.
    TContraction<std::int64_t> fast(Graph, Limits, Stats);
    try {
        return Finish(fast.Run(order), Graph.FreeLoops);
    } catch (const TCoefficientOverflow&) {
        Stats.Coefficients = TCoefficientKind::Bits128;
    }
    if (fast.WideBytes() > Limits.MaxBytes) throw TTooComplex();
    TContraction<TWideCoefficient> wide(Graph, Limits, Stats);
    try {
        return Finish(wide.Run(order), Graph.FreeLoops);
    } catch (const TCoefficientOverflow&) {
        Stats.Coefficients = TCoefficientKind::Exact;
    }
    if (std::max(fast.ExactBytes(), wide.ExactBytes()) > Limits.MaxBytes) throw TTooComplex();
    TContraction<TCoefficient> exact(Graph, Limits, Stats);
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
