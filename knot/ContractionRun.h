// The steps of the contraction along an order, with coefficients of one width.
//
// Data model: the states before step Step of the order are a pairing table
// (knot/PairingTable.h) and one array of coefficients in which every state's
// span lies. A step first finds the states it makes and the exponents each
// needs (the target of each smoothing of each state is kept), then lays the
// spans out and fills a second array; the arrays and table of two steps ago
// are reused, so that memory already touched serves again. The bytes held are
// counted as the states grow, and the contraction refuses the code with
// TTooComplex as soon as they pass the bound. An overflow leaves the states
// before the step that overflowed, and a contraction of wider coefficients
// takes them over and goes on from that step.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

#include "knot/Contraction.h"
#include "knot/ContractionStep.h"
#include "knot/CrossingOrder.h"
#include "knot/PairingTable.h"
#include "knot/StridePoly.h"
#include "knot/TooComplex.h"

namespace ravelon::contraction {

// The bytes one coefficient takes: a 64-bit or 128-bit integer, or a GMP
// integer with its own small block of limbs.
template <class C>
constexpr std::size_t CoefficientBytes = sizeof(C);
template <>
constexpr std::size_t CoefficientBytes<TCoefficient> = sizeof(TCoefficient) + 32;

inline TCoefficient Exact(std::int64_t C) { return TCoefficient(static_cast<long>(C)); }
inline TCoefficient Exact(TWideCoefficient C) {
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

// Where one smoothing of one state goes: the state of the next table and the
// loops it closes.
struct TTarget {
    std::uint32_t State = 0;
    std::int32_t Loops = 0;
};

// The pairing states of the contraction with its estimate of the memory held.
// The states are those before step FStep of the order, their coefficients
// one after the other in FCoefficients; a step that overflows leaves them so,
// and a contraction with wider coefficients goes on from them.
template <class C>
class TContraction {
public:
    TContraction(const TPortGraph& Graph, const TContractionLimits& Limits, TContractionStats& Stats)
        : FGraph(Graph), FLimits(Limits), FStats(Stats), FTable(0), FCoefficients(1, C(1)),
          FTaken(static_cast<std::size_t>(Graph.Crossings), 0) {
        const std::uint8_t noPairing = 0;
        FTable.Cover(FTable.FindOrAdd(&noPairing), 0, 1);
        FTable.Layout();
    }

    // The states of Narrow, stopped by an overflow, with wider coefficients;
    // Narrow is left without states. Refused when its coefficients and their
    // wider copy together would pass the bound.
    template <class N>
    explicit TContraction(TContraction<N>&& Narrow)
        : FGraph(Narrow.FGraph),
          FLimits(Narrow.FLimits),
          FStats(Narrow.FStats),
          FTable(std::move(Narrow.FTable)),
          FSlots(std::move(Narrow.FSlots)),
          FTaken(std::move(Narrow.FTaken)),
          FStep(Narrow.FStep) {
        std::vector<N>().swap(Narrow.FSpare);
        Narrow.FSpareTable = TPairingTable(0);
        const std::size_t count = Narrow.FCoefficients.size();
        Check(Bytes(FTable, count) + count * CoefficientBytes<N>);
        FCoefficients.reserve(count);
        for (const N& x : Narrow.FCoefficients) FCoefficients.push_back(Widen<C>(x));
        FFilled = count;
        std::vector<N>().swap(Narrow.FCoefficients);
    }

    // The sum over all smoothing states of A^(#A - #A^-1) d^loops, loops that
    // meet no crossing left out, as one polynomial per exponent class: the
    // steps from FStep to the end of Order.
    std::vector<TStridePoly<C>> Run(const TCrossingOrder& Order) {
        std::vector<std::uint8_t> key;
        std::vector<TTarget> targets;
        for (; FStep < Order.Crossings.size(); ++FStep) {
            const std::int32_t crossing = Order.Crossings[FStep];
            const TContractionStep step(FGraph, crossing, FSlots, FTaken);
            if (step.NewWidth() > MaxPairingWidth) throw TTooComplex();
            // The table of two steps ago, its arrays already in place.
            TPairingTable& next = FSpareTable;
            next.Reset(step.NewWidth());
            key.assign(next.KeyLength(), 0);
            const std::size_t heldBefore = Bytes(FTable, FFilled);
            // The states of the step and the span each needs, first; then the
            // coefficients, each smoothing added where its target lies.
            targets.assign(2 * FTable.Count(), TTarget{});
            for (std::size_t state = 0; state < FTable.Count(); ++state) {
                const TSpan& span = FTable.Span(state);
                if (span.Length == 0) continue;
                for (int kind = 1; kind <= 2; ++kind) {
                    const int loops = step.Apply(kind, FTable.Key(state), key.data());
                    const std::int64_t low = span.Low + (kind == 1 ? 1 : -1) - 2 * loops;
                    key.back() = static_cast<std::uint8_t>(ExponentClass(low));
                    const std::size_t target = next.FindOrAdd(key.data());
                    next.Cover(target, low, span.Length + static_cast<std::size_t>(loops));
                    targets[2 * state + static_cast<std::size_t>(kind - 1)] =
                        TTarget{static_cast<std::uint32_t>(target), loops};
                }
                if ((state & 255) == 0) Check(heldBefore + Bytes(next, 0));
            }
            const std::size_t count = next.Layout();
            // The array of two steps ago, its pages already in place. A larger
            // one is reserved four times as large, as the boundary widens: a
            // first touch of a page is dear, an untouched one costs nothing.
            // One filled far beyond the need is given back, as it narrows.
            // What the arrays hold is counted by the most each was filled.
            std::vector<C>& coefficients = FSpare;
            if (count > coefficients.capacity() || 16 * count < FSpareFilled) {
                coefficients = std::vector<C>();
                coefficients.reserve(4 * count);
                FSpareFilled = 0;
            }
            FSpareFilled = std::max(FSpareFilled, count);
            Check(heldBefore + Bytes(next, FSpareFilled));
            coefficients.assign(count, C(0));
            for (std::size_t state = 0; state < FTable.Count(); ++state) {
                const TSpan& span = FTable.Span(state);
                if (span.Length == 0) continue;
                for (int kind = 1; kind <= 2; ++kind) {
                    const TTarget& t = targets[2 * state + static_cast<std::size_t>(kind - 1)];
                    const TSpan& to = next.Span(t.State);
                    const std::int64_t low = span.Low + (kind == 1 ? 1 : -1) - 2 * t.Loops;
                    AddTimesLoops(coefficients.data() + to.Offset + static_cast<std::size_t>((low - to.Low) / 4),
                                  FCoefficients.data() + span.Offset, span.Length, t.Loops, 1);
                }
            }
            std::swap(FTable, FSpareTable);
            std::swap(FCoefficients, FSpare);
            std::swap(FFilled, FSpareFilled);
            FStats.PeakStates = std::max(FStats.PeakStates, FTable.Count());
            ++FStats.Steps;
            FSlots = step.NewSlotNodes();
            FTaken[static_cast<std::size_t>(crossing)] = 1;
        }
        std::vector<TStridePoly<C>> classes;
        for (std::size_t state = 0; state < FTable.Count(); ++state) {
            const TSpan& span = FTable.Span(state);
            if (span.Length == 0) continue;
            TStridePoly<C>& poly = classes.emplace_back();
            poly.Low = span.Low;
            const auto from = FCoefficients.begin() + static_cast<std::ptrdiff_t>(span.Offset);
            poly.Coeffs.assign(from, from + static_cast<std::ptrdiff_t>(span.Length));
        }
        return classes;
    }

private:
    template <class>
    friend class TContraction;

    // The bytes a table holds with Coefficients coefficients of type C.
    static std::size_t Bytes(const TPairingTable& Table, std::size_t Coefficients) {
        return Table.Bytes() + Coefficients * CoefficientBytes<C>;
    }

    void Check(std::size_t Bytes) {
        FStats.PeakBytes = std::max(FStats.PeakBytes, Bytes);
        if (Bytes > FLimits.MaxBytes) throw TTooComplex();
    }

    const TPortGraph& FGraph;
    const TContractionLimits& FLimits;
    TContractionStats& FStats;
    TPairingTable FTable;
    // The table the next step fills.
    TPairingTable FSpareTable{0};
    std::vector<C> FCoefficients;
    // The array the next step fills.
    std::vector<C> FSpare;
    // The most coefficients each array has held.
    std::size_t FFilled = 1;
    std::size_t FSpareFilled = 0;
    // The boundary ends of the states, and the crossings taken.
    std::vector<std::int32_t> FSlots;
    std::vector<char> FTaken;
    std::size_t FStep = 0;
};

}  // namespace ravelon::contraction
