#include "knot/Contraction.h"

#include <algorithm>
#include <map>
#include <type_traits>

#include "knot/ContractionStep.h"
#include "knot/CostEstimate.h"
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

TCoefficient Exact(std::int64_t C) { return TCoefficient(static_cast<long>(C)); }
TCoefficient Exact(TWideCoefficient C) {
    // C = high * 2^64 + low, with high signed (the shift keeps the sign) and
    // low the unsigned lower 64 bits.
    const auto high = static_cast<long>(C >> 64);
    const auto low = static_cast<unsigned long>(C & static_cast<TWideCoefficient>(~0ul));
    return (TCoefficient(high) << 64) + TCoefficient(low);
}

// A coefficient in the wider type D.
template <class D, class C>
D Widen(const C& X) {
    if constexpr (std::is_same_v<D, TCoefficient>) return Exact(X);
    else return static_cast<D>(X);
}

// The pairing states of the contraction with its estimate of the memory held.
// The states are those before step FStep of the order; a step that overflows
// leaves them so, and a contraction with wider coefficients goes on from them.
template <class C>
class TContraction {
public:
    TContraction(const TPortGraph& Graph, const TContractionLimits& Limits, TContractionStats& Stats)
        : FGraph(Graph), FLimits(Limits), FStats(Stats), FTable(0), FTaken(static_cast<std::size_t>(Graph.Crossings), 0) {
        const std::uint8_t noPairing = 0;
        FTable.FindOrAdd(&noPairing);
        FTable.Poly(0) = TStridePoly<C>::One();
    }

    // The states of Narrow, stopped by an overflow, with wider coefficients;
    // Narrow is left without states. Refused when the two tables together
    // would pass the bound while the states are copied.
    template <class N>
    explicit TContraction(TContraction<N>&& Narrow)
        : FGraph(Narrow.FGraph),
          FLimits(Narrow.FLimits),
          FStats(Narrow.FStats),
          FTable(0),
          FTableCoefficients(Narrow.FTableCoefficients),
          FSlots(std::move(Narrow.FSlots)),
          FTaken(std::move(Narrow.FTaken)),
          FStep(Narrow.FStep) {
        Check(Narrow.Estimate(Narrow.FTable, FTableCoefficients) + Estimate(Narrow.FTable, FTableCoefficients));
        FTable = std::move(Narrow.FTable).template Widened<C>([](const N& X) { return Widen<C>(X); });
    }

    // The sum over all smoothing states of A^(#A - #A^-1) d^loops, loops that
    // meet no crossing left out, as one polynomial per exponent class: the
    // steps from FStep to the end of Order.
    std::vector<TStridePoly<C>> Run(const TCrossingOrder& Order) {
        std::vector<std::uint8_t> key;
        for (; FStep < Order.Crossings.size(); ++FStep) {
            const std::int32_t crossing = Order.Crossings[FStep];
            const TContractionStep step(FGraph, crossing, FSlots, FTaken);
            if (step.NewWidth() > MaxPairingWidth) throw TTooComplex();
            TPairingTable<C> next(step.NewWidth());
            key.assign(next.KeyLength(), 0);
            std::size_t nextCoefficients = 0;
            const std::size_t heldBefore = Estimate(FTable, FTableCoefficients);
            for (std::size_t state = 0; state < FTable.Count(); ++state) {
                const TStridePoly<C>& poly = FTable.Poly(state);
                if (poly.Coeffs.empty()) continue;
                for (int kind = 1; kind <= 2; ++kind) {
                    const int loops = step.Apply(kind, FTable.Key(state), key.data());
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
            FTable = std::move(next);
            FTableCoefficients = nextCoefficients;
            FStats.PeakStates = std::max(FStats.PeakStates, FTable.Count());
            ++FStats.Steps;
            FSlots = step.NewSlotNodes();
            FTaken[static_cast<std::size_t>(crossing)] = 1;
        }
        std::vector<TStridePoly<C>> classes;
        for (std::size_t state = 0; state < FTable.Count(); ++state)
            if (!FTable.Poly(state).Coeffs.empty()) classes.push_back(std::move(FTable.Poly(state)));
        return classes;
    }

private:
    template <class>
    friend class TContraction;

    // The bytes a table holds, with coefficients of type C.
    template <class N>
    static std::size_t Estimate(const TPairingTable<N>& Table, std::size_t Coefficients) {
        return Table.Bytes() + Table.Count() * BlockOverhead + Coefficients * CoefficientBytes<C>;
    }

    void Check(std::size_t Bytes) {
        FStats.PeakBytes = std::max(FStats.PeakBytes, Bytes);
        if (Bytes > FLimits.MaxBytes) throw TTooComplex();
    }

    const TPortGraph& FGraph;
    const TContractionLimits& FLimits;
    TContractionStats& FStats;
    TPairingTable<C> FTable;
    std::size_t FTableCoefficients = 1;
    // The boundary ends of the states, and the crossings taken.
    std::vector<std::int32_t> FSlots;
    std::vector<char> FTaken;
    std::size_t FStep = 0;
};

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
    // A code beyond reach is refused before the first step.
    Stats.EstimatedBytes = EstimateCost(order).PeakBytes;
    if (Stats.EstimatedBytes > static_cast<double>(Limits.MaxBytes)) throw TTooComplex();
    // 64-bit coefficients; on an overflow the states before the step that
    // overflowed go on with 128-bit ones, and on a second with exact ones.
    TContraction<std::int64_t> fast(Graph, Limits, Stats);
    try {
        return Finish(fast.Run(order), Graph.FreeLoops);
    } catch (const TCoefficientOverflow&) {
        Stats.Coefficients = TCoefficientKind::Bits128;
    }
    TContraction<TWideCoefficient> wide(std::move(fast));
    try {
        return Finish(wide.Run(order), Graph.FreeLoops);
    } catch (const TCoefficientOverflow&) {
        Stats.Coefficients = TCoefficientKind::Exact;
    }
    TContraction<TCoefficient> exact(std::move(wide));
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
