// The steps of the contraction along an order, with coefficients of one width.
//
// Data model: the states before step Step of the order are a pairing table
// (knot/PairingTable.h) and one array of coefficients in which every state's
// span lies. A step first finds the states it makes and the exponents each
// needs (the target of each smoothing of each state is kept), then lays the
// spans out and fills a second array, and last trims each new span to its
// non-zero coefficients; the arrays and table of two steps ago are reused, so
// that memory already touched serves again. A large step shares its loops
// among the cores (knot/Parts.h) with the same result. The bytes held are
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
#include "knot/HugePageArray.h"
#include "knot/PairingTable.h"
#include "knot/Parts.h"
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
          FParts(Limits.Threads == 0 ? CoreParts() : Limits.Threads),
          FTaken(static_cast<std::size_t>(Graph.Crossings), 0) {
        const std::vector<std::uint8_t> noPairing(FTable.KeyLength(), 0);
        FTable.Cover(FTable.FindOrAdd(noPairing.data()), 0, 1);
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
          FKeys(std::move(Narrow.FKeys)),
          FHashes(std::move(Narrow.FHashes)),
          FTargets(std::move(Narrow.FTargets)),
          FParts(Narrow.FParts),
          FSlots(std::move(Narrow.FSlots)),
          FTaken(std::move(Narrow.FTaken)),
          FStep(Narrow.FStep) {
        THugePageArray<N>().swap(Narrow.FSpare);
        Narrow.FSpareTable = TPairingTable(0);
        const THugePageArray<N>& narrow = Narrow.FCoefficients;
        const std::size_t count = narrow.size();
        Check(Bytes(FTable, count) + ScratchBytes() + count * CoefficientBytes<N>);
        FCoefficients.resize(count);
        const unsigned parts = FTable.Count() < FLimits.ThreadStates ? 1 : FParts;
        RunParts(parts, [&](unsigned Part) {
            for (std::size_t i = PartBegin(count, parts, Part); i < PartBegin(count, parts, Part + 1); ++i)
                FCoefficients[i] = Widen<C>(narrow[i]);
        });
        FFilled = count;
        THugePageArray<N>().swap(Narrow.FCoefficients);
    }

    // The sum over all smoothing states of A^(#A - #A^-1) d^loops, loops that
    // meet no crossing left out, as one polynomial per exponent class: the
    // steps from FStep to the end of Order.
    std::vector<TStridePoly<C>> Run(const TCrossingOrder& Order) {
        for (; FStep < Order.Crossings.size(); ++FStep) {
            const std::int32_t crossing = Order.Crossings[FStep];
            const TContractionStep step(FGraph, crossing, FSlots, FTaken);
            if (step.NewWidth() > MaxPairingWidth) throw TTooComplex();
            const unsigned parts = FTable.Count() < FLimits.ThreadStates ? 1 : FParts;
            // The table of two steps ago, its arrays already in place.
            TPairingTable& next = FSpareTable;
            next.Reset(step.NewWidth());
            const std::size_t heldBefore = Bytes(FTable, FFilled);
            Smooth(step, next, parts, heldBefore);
            const std::size_t count = next.Layout();
            // The array of two steps ago, its pages already in place. A larger
            // one is reserved four times as large, as the boundary widens: a
            // first touch of a page is dear, an untouched one costs nothing.
            // One filled far beyond the need is given back, as it narrows.
            // What the arrays hold is counted by the most each was filled.
            THugePageArray<C>& coefficients = FSpare;
            if (count > coefficients.capacity() || 16 * count < FSpareFilled) {
                coefficients = THugePageArray<C>();
                coefficients.reserve(4 * count);
                FSpareFilled = 0;
            }
            FSpareFilled = std::max(FSpareFilled, count);
            Check(heldBefore + ScratchBytes() + Bytes(next, FSpareFilled));
            coefficients.resize(count);
            Add(next, coefficients, parts);
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

    // How far ahead of its look-up the place of a key is fetched.
    static constexpr std::size_t FetchAhead = 8;

    // The states of the step into Next, with the span each needs, and the
    // target of each smoothing of each state (FTargets). The pairings and
    // their hashes are made by Parts threads, each for a run of states; they
    // are then looked up in order, so the states are numbered as on one
    // thread.
    void Smooth(const TContractionStep& Step, TPairingTable& Next, unsigned Parts, std::size_t HeldBefore) {
        const std::size_t sources = FTable.Count();
        const std::size_t length = Next.KeyLength();
        FKeys.resize(2 * sources * length);
        FHashes.resize(2 * sources);
        FTargets.assign(2 * sources, TTarget{});
        Check(HeldBefore + ScratchBytes());
        RunParts(Parts, [&](unsigned Part) {
            for (std::size_t state = PartBegin(sources, Parts, Part); state < PartBegin(sources, Parts, Part + 1); ++state) {
                const TSpan& span = FTable.Span(state);
                if (span.Length == 0) continue;
                for (std::size_t smoothing = 2 * state; smoothing < 2 * state + 2; ++smoothing) {
                    std::uint8_t* key = FKeys.data() + smoothing * length;
                    const int loops = Step.Apply(Kind(smoothing), FTable.Key(state), key);
                    key[length - 1] = static_cast<std::uint8_t>(ExponentClass(Low(span, smoothing, loops)));
                    FHashes[smoothing] = Next.Hash(key);
                    FTargets[smoothing].Loops = loops;
                }
            }
        });
        for (std::size_t smoothing = 0; smoothing < 2 * sources; ++smoothing) {
            if (smoothing + FetchAhead < 2 * sources) Next.Prefetch(FHashes[smoothing + FetchAhead]);
            const TSpan& span = FTable.Span(smoothing / 2);
            if (span.Length == 0) continue;
            TTarget& target = FTargets[smoothing];
            const std::size_t state = Next.FindOrAdd(FKeys.data() + smoothing * length, FHashes[smoothing]);
            Next.Cover(state, Low(span, smoothing, target.Loops), span.Length + static_cast<std::size_t>(target.Loops));
            target.State = static_cast<std::uint32_t>(state);
            if ((smoothing & 511) == 0) Check(HeldBefore + ScratchBytes() + Bytes(Next, 0));
        }
    }

    // Fills Coefficients, laid out by Next, with every smoothing of every
    // state added where its target lies; then trims the spans of Next. Each
    // of the Parts threads takes the targets of a run of the array: it sets
    // them to 0 and adds to them, in the order of the states, what comes to
    // them. Each coefficient thus gets its sums in the same order on any
    // number of threads, and overflows at the same step.
    void Add(TPairingTable& Next, THugePageArray<C>& Coefficients, unsigned Parts) {
        const std::size_t count = Coefficients.size();
        // The first target state whose coefficients lie at Offset or later.
        auto stateAt = [&](std::size_t Offset) {
            std::size_t low = 0, high = Next.Count();
            while (low < high) {
                const std::size_t middle = low + (high - low) / 2;
                if (Next.Span(middle).Offset < Offset) low = middle + 1;
                else high = middle;
            }
            return low;
        };
        RunParts(Parts, [&](unsigned Part) {
            const std::size_t first = stateAt(PartBegin(count, Parts, Part));
            const std::size_t last = stateAt(PartBegin(count, Parts, Part + 1));
            const std::size_t from = first < Next.Count() ? Next.Span(first).Offset : count;
            const std::size_t to = last < Next.Count() ? Next.Span(last).Offset : count;
            std::fill(Coefficients.begin() + static_cast<std::ptrdiff_t>(from),
                      Coefficients.begin() + static_cast<std::ptrdiff_t>(to), C(0));
            for (std::size_t smoothing = 0; smoothing < FTargets.size(); ++smoothing) {
                const TTarget& t = FTargets[smoothing];
                if (t.State < first || t.State >= last) continue;
                const TSpan& span = FTable.Span(smoothing / 2);
                if (span.Length == 0) continue;
                const TSpan& target = Next.Span(t.State);
                const std::int64_t low = Low(span, smoothing, t.Loops);
                AddTimesLoops(Coefficients.data() + target.Offset + static_cast<std::size_t>((low - target.Low) / 4),
                              FCoefficients.data() + span.Offset, span.Length, t.Loops, 1);
            }
            Next.TrimZeros(Coefficients.data(), first, last);
        });
    }

    // Smoothing 2s + k - 1 of a state s is the one of kind k.
    static int Kind(std::size_t Smoothing) { return static_cast<int>(Smoothing % 2) + 1; }
    // The lowest exponent a smoothing of a state of span Span gives.
    static std::int64_t Low(const TSpan& Span, std::size_t Smoothing, int Loops) {
        return Span.Low + (Kind(Smoothing) == 1 ? 1 : -1) - 2 * Loops;
    }

    // The bytes of the pairings, hashes and targets of a step's smoothings.
    std::size_t ScratchBytes() const {
        return FKeys.capacity() + FHashes.capacity() * sizeof(std::uint32_t) + FTargets.capacity() * sizeof(TTarget);
    }

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
    THugePageArray<C> FCoefficients;
    // The array the next step fills.
    THugePageArray<C> FSpare;
    // The most coefficients each array has held.
    std::size_t FFilled = 1;
    std::size_t FSpareFilled = 0;
    // The pairings of the smoothings of a step, their hashes and targets.
    THugePageArray<std::uint8_t> FKeys;
    THugePageArray<std::uint32_t> FHashes;
    THugePageArray<TTarget> FTargets;
    // The threads of a large step.
    unsigned FParts = 1;
    // The boundary ends of the states, and the crossings taken.
    std::vector<std::int32_t> FSlots;
    std::vector<char> FTaken;
    std::size_t FStep = 0;
};

}  // namespace ravelon::contraction
