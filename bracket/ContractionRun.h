// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of the contraction along an order.
//
// Data model: the states before step Step of the order are a pairing table
// (bracket/PairingTable.h) and a pair of coefficient arrays
// (bracket/CoefficientArrays.h) in which their spans lie: each state keeps its
// coefficients narrow (64 bits) unless the step that made it could have
// summed past 63 bits, as judged from the bit lengths of the states added to
// it; then they are wide (128 bits, every sum checked). A step first finds
// the states it makes, the exponents each needs and the bound of its sums
// (the target of each smoothing of each state is kept), its smoothings
// sorted into buckets by their keys (bracket/SmoothingBuckets.h), then lays
// the spans out and fills the second pair of arrays state by state, and
// trims each new span to its non-zero coefficients and notes their bit
// length. A large step shares its buckets and its states among the cores
// (knot/Parts.h); the states, their numbers and the order of every sum are
// the same on any number of threads. The bytes
// held are counted as the states grow, and the contraction refuses the code
// with TTooComplex as soon as they pass the bound. Each step, and every few
// thousand states inside a step, looks at the progress's word to stop; each
// step taken tells it the share of the work done. A 128-bit overflow leaves
// the states before the step that overflowed, and a contraction of exact
// coefficients takes them over and goes on from that step.
#pragma once

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <functional>
#include <memory>
#include <cstdint>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "bracket/CoefficientArrays.h"
#include "bracket/order/CostModel.h"
#include "bracket/ContractionLimits.h"
#include "bracket/ContractionStep.h"
#include "bracket/order/CrossingOrder.h"
#include "bracket/HugePageArray.h"
#include "bracket/order/OrderSearch.h"
#include "bracket/PairingTable.h"
#include "knot/Parts.h"
#include "knot/Progress.h"
#include "bracket/SmoothingBuckets.h"
#include "bracket/StridePoly.h"
#include "bracket/TooComplex.h"
#include "bracket/Workers.h"

namespace ravelon::contraction {

static_assert(TCostScale{}.BytesPerState == sizeof(TSpan) + 3 * sizeof(TPairingEntry) + 16,
              "the cost model counts the bytes of a state's records");

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
    if constexpr (std::is_same_v<D, C>) return X;
    else if constexpr (std::is_same_v<D, TCoefficient>) return Exact(X);
    else return static_cast<D>(X);
}

// Where one smoothing of one state goes: the state of the next table and the
// loops it closes.
// Left unset when made, as the arrays of a step are: each step sets those
// it reads.
struct TTarget {
    std::uint32_t State;
    std::int32_t Loops;
};

// The most bits a narrow coefficient of type N may need: 63 for 64-bit ones,
// no bound for GMP integers.
template <class N>
constexpr int NarrowBits = std::is_same_v<N, TCoefficient> ? 1 << 20 : 63;

__extension__ typedef unsigned __int128 TWideMagnitude;

// The bit length of the largest magnitude among Count coefficients (0 for
// GMP integers, whose size no bound needs).
template <class C>
int MagnitudeBits(const C* At, std::size_t Count) {
    if constexpr (std::is_same_v<C, TCoefficient>) {
        return 0;
    } else {
        using U = std::conditional_t<sizeof(C) == 8, std::uint64_t, TWideMagnitude>;
        U all = 0;
        for (std::size_t i = 0; i < Count; ++i) {
            const auto u = static_cast<U>(At[i]);
            all |= At[i] < 0 ? U(0) - u : u;
        }
        if constexpr (sizeof(C) == 8) {
            return static_cast<int>(std::bit_width(all));
        } else {
            const auto high = static_cast<std::uint64_t>(all >> 64);
            return high != 0 ? 64 + static_cast<int>(std::bit_width(high))
                             : static_cast<int>(std::bit_width(static_cast<std::uint64_t>(all)));
        }
    }
}

// The pairing states of the contraction with its estimate of the memory held.
// The states are those before step FStep of the order, their coefficients in
// FArrays, narrow ones of type N and wide ones of type W; a step that
// overflows leaves them so, and a contraction of exact coefficients goes on
// from them.
template <class N, class W>
class TContraction {
public:
    // Shares[k] is the share of the whole work done once step k is taken,
    // told to the progress of Limits.
    TContraction(const TPortGraph& Graph, const TContractionLimits& Limits, TContractionStats& Stats,
                 const std::vector<double>& Shares)
        : FGraph(Graph), FLimits(Limits), FStats(Stats), FShares(Shares), FTable(0),
          FParts(Limits.Threads == 0 ? CoreParts() : std::min(Limits.Threads, MostParts)),
          FTaken(static_cast<std::size_t>(Graph.Crossings), 0) {
        const std::vector<std::uint8_t> noPairing(FTable.KeyLength(), 0);
        FTable.Cover(FTable.FindOrAdd(noPairing.data()), 0, 1, 1);
        const TLayoutCounts counts = FTable.Layout(NarrowBits<N>);
        FArrays.Reserve(counts);
        FArrays.Resize(counts);
        FArrays.Narrow[0] = N(1);
    }

    // The states of Narrow, stopped by an overflow, with their coefficients
    // in the types N and W; Narrow is left without states. Refused when its
    // coefficients and their copy together would pass the bound.
    template <class N2, class W2>
    explicit TContraction(TContraction<N2, W2>&& Narrow)
        : FGraph(Narrow.FGraph),
          FLimits(Narrow.FLimits),
          FStats(Narrow.FStats),
          FShares(Narrow.FShares),
          FTable(std::move(Narrow.FTable)),
          FKeys(std::move(Narrow.FKeys)),
          FHashes(std::move(Narrow.FHashes)),
          FTargets(std::move(Narrow.FTargets)),
          FBuckets(std::move(Narrow.FBuckets)),
          FScratch(std::move(Narrow.FScratch)),
          FFirsts(std::move(Narrow.FFirsts)),
          FParts(Narrow.FParts),
          FWorkers(std::move(Narrow.FWorkers)),
          FSlots(std::move(Narrow.FSlots)),
          FTaken(std::move(Narrow.FTaken)),
          FStep(Narrow.FStep) {
        Narrow.FSpare.Release();
        Narrow.FSpareTable = TPairingTable(0);
        const TLayoutCounts counts{Narrow.FArrays.Narrow.size(), Narrow.FArrays.Wide.size()};
        FArrays.Reserve(counts);
        Check(FTable.Bytes() + ScratchBytes() + FArrays.Bytes() + Narrow.FArrays.Bytes());
        FArrays.Resize(counts);
        const unsigned parts = PartsOfStep();
        Share(parts, [&](unsigned Part) {
            Convert(Narrow.FArrays.Narrow, FArrays.Narrow, parts, Part);
            Convert(Narrow.FArrays.Wide, FArrays.Wide, parts, Part);
        });
        Narrow.FArrays.Release();
    }

    // The sum over all smoothing states of A^(#A - #A^-1) d^loops, loops that
    // meet no crossing left out, as one polynomial per exponent class: the
    // steps from FStep to the end of Order.
    std::vector<TStridePoly<W>> Run(const TCrossingOrder& Order) {
        for (; FStep < Order.Crossings.size(); ++FStep) {
            CheckCancelled(FLimits.Progress);
            const std::int32_t crossing = Order.Crossings[FStep];
            const TContractionStep step(FGraph, crossing, FSlots, FTaken);
            if (step.NewWidth() > MaxPairingWidth) throw TTooComplex();
            const unsigned parts = PartsOfStep();
            // The table of two steps ago, its arrays already in place.
            TPairingTable& next = FSpareTable;
            next.Reset(step.NewWidth());
            const std::size_t heldBefore = FTable.Bytes() + FArrays.Bytes();
            CheckStates(next.KeyLength(), heldBefore);
            if (parts == 1) SmoothInOrder(step, next, heldBefore);
            else Smooth(step, next, parts, heldBefore);
            const TLayoutCounts counts = next.Layout(NarrowBits<N>);
            if constexpr (!std::is_same_v<N, W>) {
                if (counts.Wide > 0) FStats.Coefficients = TCoefficientKind::Bits128;
            }
            FSpare.Reserve(counts);
            Check(heldBefore + ScratchBytes() + next.Bytes() + FSpare.Bytes());
            FSpare.Resize(counts);
            Add(next, parts);
            std::swap(FTable, FSpareTable);
            std::swap(FArrays, FSpare);
            FStats.PeakStates = std::max(FStats.PeakStates, FTable.Count());
            ++FStats.Steps;
            FSlots = step.NewSlotNodes();
            FTaken[static_cast<std::size_t>(crossing)] = 1;
            if constexpr (!std::is_same_v<N, W>) Project(Order);
            if (FLimits.Progress != nullptr) FLimits.Progress->Advance(FShares[FStep]);
        }
        std::vector<TStridePoly<W>> classes;
        for (std::size_t state = 0; state < FTable.Count(); ++state) {
            const TSpan& span = FTable.Span(state);
            if (span.Length == 0) continue;
            TStridePoly<W>& poly = classes.emplace_back();
            poly.Low = span.Low;
            poly.Coeffs.reserve(span.Length);
            for (std::size_t i = span.Offset; i < span.Offset + span.Length; ++i)
                poly.Coeffs.push_back(span.Wide ? FArrays.Wide[i] : Widen<W>(FArrays.Narrow[i]));
        }
        return classes;
    }

private:
    template <class, class>
    friend class TContraction;

    // The threads a step from the states held runs on: one for a small step.
    unsigned PartsOfStep() const { return FTable.Count() < FLimits.ThreadStates ? 1 : FParts; }

    // Runs Body(Part) for Part 0 to Parts - 1 at once (knot/Parts.h), on the
    // threads kept for the contraction.
    void Share(unsigned Parts, const std::function<void(unsigned Part)>& Body) {
        if (Parts == 1) {
            Body(0);
            return;
        }
        if (!FWorkers) FWorkers = std::make_unique<TWorkers>(FParts);
        FWorkers->Run(Parts, Body);
    }

    // The steps measured before the rest of an order is projected from them,
    // and the narrowest boundary whose states measure the share of the
    // pairings the code holds.
    static constexpr std::size_t MeasuredSteps = 32;
    static constexpr int MeasuredWidth = 12;

    // Measures the code on the steps taken (bracket/order/CostModel.h): the share
    // of the pairings it holds (the most seen), its coefficients per state
    // and their bit length per crossing taken; refuses it when the rest of
    // the order, so measured, would hold more than ProjectionMargin times the
    // bound. A code far beyond reach is thus refused in its first steps,
    // which cost little, rather than in its widest.
    void Project(const TCrossingOrder& Order) {
        const std::size_t taken = FStep + 1;
        if (taken >= Order.Crossings.size() || FTable.Count() == 0) return;
        const int width = Order.Widths[FStep];
        if (width >= MeasuredWidth)
            FShare = std::max(FShare, static_cast<double>(FTable.Count()) / WidthStates(width));
        if (taken < MeasuredSteps) return;
        const unsigned parts = PartsOfStep();
        std::vector<std::size_t> counted(parts, 0);
        std::vector<int> widest(parts, 0);
        Share(parts, [&](unsigned Part) {
            std::size_t count = 0;
            int most = 0;
            for (std::size_t s = PartBegin(FTable.Count(), parts, Part); s < PartBegin(FTable.Count(), parts, Part + 1); ++s) {
                count += FTable.Span(s).Length;
                most = std::max(most, static_cast<int>(FTable.Span(s).Bits));
            }
            counted[Part] = count;
            widest[Part] = most;
        });
        std::size_t coefficients = 0;
        int bits = 0;
        for (unsigned part = 0; part < parts; ++part) {
            coefficients += counted[part];
            bits = std::max(bits, widest[part]);
        }
        TCostScale scale;
        if (FShare > 0) scale.StatesShare = FShare;
        scale.CoefficientsPerStep = static_cast<double>(coefficients) / static_cast<double>(FTable.Count()) / static_cast<double>(taken);
        scale.BitsPerStep = static_cast<double>(bits) / static_cast<double>(taken);
        const double projected = EstimateCost(Order, scale, taken).PeakBytes;
        FStats.ProjectedBytes = std::max(FStats.ProjectedBytes, projected);
        if (projected > ProjectionMargin * static_cast<double>(FLimits.MaxBytes)) throw TTooComplex(static_cast<std::size_t>(projected));
    }

    // The keys of the smoothings of the states held (FKeys), their hashes
    // and the loops each closes (in FTargets), for states First to Last - 1.
    void MakeKeys(const TContractionStep& Step, const TPairingTable& Next, std::size_t First, std::size_t Last) {
        const std::size_t length = Next.KeyLength();
        for (std::size_t state = First; state < Last; ++state) {
            if ((state & 1023) == 0) CheckCancelled(FLimits.Progress);
            const TSpan& span = FTable.Span(state);
            if (span.Length == 0) {
                // No look-up; the hashes only guide the fetches ahead.
                FHashes[2 * state] = FHashes[2 * state + 1] = 0;
                continue;
            }
            std::uint8_t* const keys[2] = {FKeys.data() + 2 * state * length, FKeys.data() + (2 * state + 1) * length};
            int loops[2];
            Step.ApplyBoth(FTable.Key(state), keys, loops);
            for (std::size_t kind = 0; kind < 2; ++kind) {
                const std::size_t smoothing = 2 * state + kind;
                keys[kind][length - 1] = static_cast<std::uint8_t>(ExponentClass(Low(span, smoothing, loops[kind])));
                FHashes[smoothing] = Next.Hash(keys[kind]);
                FTargets[smoothing].Loops = loops[kind];
            }
        }
    }

    // Widens the span of state State of Next for smoothing Smoothing.
    void Cover(TPairingTable& Next, std::size_t State, std::size_t Smoothing) const {
        const TSpan& span = FTable.Span(Smoothing / 2);
        const int loops = FTargets[Smoothing].Loops;
        // The loops multiply by (1 + A^4)^loops, whose coefficients sum to
        // 2^loops.
        Next.Cover(State, Low(span, Smoothing, loops), span.Length + static_cast<std::size_t>(loops), span.Bits + loops);
    }

    // The states of the step into Next on one thread, with the span each
    // needs and the bound of its sums, and the target of each smoothing of
    // each state (FTargets), looked up in order.
    void SmoothInOrder(const TContractionStep& Step, TPairingTable& Next, std::size_t HeldBefore) {
        constexpr std::size_t LookAhead = 8;
        const std::size_t sources = FTable.Count();
        const std::size_t length = Next.KeyLength();
        FKeys.resize(2 * sources * length);
        FHashes.resize(2 * sources);
        FTargets.resize(2 * sources);
        Check(HeldBefore + ScratchBytes());
        MakeKeys(Step, Next, 0, sources);
        for (std::size_t smoothing = 0; smoothing < 2 * sources; ++smoothing) {
            if (smoothing + LookAhead < 2 * sources) Next.Prefetch(FHashes[smoothing + LookAhead]);
            if (!Live(smoothing)) continue;
            const std::size_t state = Next.FindOrAdd(FKeys.data() + smoothing * length, FHashes[smoothing]);
            Cover(Next, state, smoothing);
            FTargets[smoothing].State = static_cast<std::uint32_t>(state);
            if ((smoothing & 511) == 0) {
                Check(HeldBefore + ScratchBytes() + Next.Bytes());
                CheckCancelled(FLimits.Progress);
            }
        }
    }

    // The same on Parts threads, with the same states in the same order. The
    // keys are made run by run of states and the live smoothings sorted into
    // buckets by their keys' hashes (bracket/SmoothingBuckets.h); each bucket
    // finds its states and lists the smoothings of each in their order. The
    // states are numbered in the order of their first smoothings, as one
    // thread finds them; last every state gets its key, and its span is
    // covered from its list.
    void Smooth(const TContractionStep& Step, TPairingTable& Next, unsigned Parts, std::size_t HeldBefore) {
        const std::size_t sources = FTable.Count(), smoothings = 2 * sources;
        const std::size_t length = Next.KeyLength();
        TSmoothingBuckets& buckets = FBuckets;
        FKeys.resize(smoothings * length);
        FHashes.resize(smoothings);
        FTargets.resize(smoothings);
        FFirsts.resize(smoothings);
        FScratch.resize(Parts);
        buckets.Start(smoothings, Parts);
        const auto live = [this](std::size_t Smoothing) { return Live(Smoothing); };
        // Part Part's smoothings: those of its run of states.
        const auto from = [&](unsigned Part) { return 2 * PartBegin(sources, Parts, Part); };
        Check(HeldBefore + ScratchBytes());
        Share(Parts, [&](unsigned Part) {
            MakeKeys(Step, Next, from(Part) / 2, from(Part + 1) / 2);
            buckets.Count(Part, from(Part), from(Part + 1), FHashes.data(), live);
            std::fill(FFirsts.begin() + from(Part), FFirsts.begin() + from(Part + 1), 0);
        });
        buckets.Lay();
        Check(HeldBefore + ScratchBytes());
        Share(Parts, [&](unsigned Part) { buckets.Place(Part, from(Part), from(Part + 1), FHashes.data(), live); });
        EveryBucket(Parts, [&](unsigned Part, std::size_t Bucket) {
            const std::size_t states = buckets.Number(Bucket, FScratch[Part], FKeys.data(), length, FHashes.data(),
                                                      [this](std::size_t Smoothing, std::uint32_t State) { FTargets[Smoothing].State = State; });
            for (std::size_t j = 0; j < states; ++j) FFirsts[buckets.Firsts[buckets.Begin(Bucket) + j]] = 1;
        });
        // The first smoothings, counted part by part, number the states;
        // the hashes, no longer needed, keep the state of each.
        std::vector<std::size_t> before(Parts, 0);
        Share(Parts, [&](unsigned Part) {
            before[Part] = static_cast<std::size_t>(std::count(FFirsts.begin() + from(Part), FFirsts.begin() + from(Part + 1), 1));
        });
        std::size_t states = 0;
        for (std::size_t& count : before) states += std::exchange(count, states);
        Next.ReserveStates(states);
        buckets.Starts.resize(states);
        buckets.Counts.resize(states);
        Check(HeldBefore + ScratchBytes() + Next.Bytes());
        Next.ResizeStates(states);
        Share(Parts, [&](unsigned Part) {
            std::size_t state = before[Part];
            for (std::size_t i = from(Part); i < from(Part + 1); ++i)
                if (FFirsts[i]) FHashes[i] = static_cast<std::uint32_t>(state++);
        });
        EveryBucket(Parts, [&](unsigned Part, std::size_t Bucket) { ListStates(Next, Bucket, FScratch[Part].Counts); });
    }

    // Gives the states of Bucket their keys and their places in the list,
    // and every smoothing of the bucket its target; covers their spans.
    // Numbers is room for the numbers of the bucket's states.
    void ListStates(TPairingTable& Next, std::size_t Bucket, std::vector<std::uint32_t>& Numbers) {
        TSmoothingBuckets& buckets = FBuckets;
        const std::size_t length = Next.KeyLength();
        const std::size_t begin = buckets.Begin(Bucket), end = buckets.Begin(Bucket + 1);
        Numbers.resize(buckets.States(Bucket));
        for (std::size_t j = 0; j < Numbers.size(); ++j) {
            const std::size_t first = buckets.Firsts[begin + j], state = FHashes[first];
            Numbers[j] = static_cast<std::uint32_t>(state);
            std::memcpy(Next.KeyOf(state), FKeys.data() + first * length, length);
            Next.Span(state) = TSpan{};
            buckets.Counts[state] = 0;
        }
        std::size_t previous = Numbers.size();
        for (std::size_t k = begin; k < end; ++k) {
            FetchAhead(k, false);
            const std::size_t smoothing = buckets.List[k];
            const std::size_t local = FTargets[smoothing].State, state = Numbers[local];
            if (local != previous) buckets.Starts[state] = static_cast<std::uint32_t>(k);
            previous = local;
            ++buckets.Counts[state];
            FTargets[smoothing].State = static_cast<std::uint32_t>(state);
            Cover(Next, state, smoothing);
        }
    }

    // Runs Body(Part, Bucket) for every bucket of the step, the buckets
    // taken in turn by Parts threads.
    template <class TBody>
    void EveryBucket(unsigned Parts, const TBody& Body) {
        const std::size_t count = FBuckets.Buckets();
        std::atomic<std::size_t> next{0};
        Share(Parts, [&](unsigned Part) {
            for (std::size_t bucket = next++; bucket < count; bucket = next++) {
                CheckCancelled(FLimits.Progress);
                Body(Part, bucket);
            }
        });
    }

    // Whether the source of Smoothing holds anything.
    bool Live(std::size_t Smoothing) const { return FTable.Span(Smoothing / 2).Length != 0; }

    // The list holds the smoothings of every state, state after state, each
    // with its target and source read at random: before the smoothing at
    // place K of the list is taken, those of the places ahead are fetched,
    // and with Coefficients the first coefficients of their sources. (Always
    // inlined: a function of prefetches alone is taken for one without
    // effects, and its calls dropped.)
    [[gnu::always_inline]] void FetchAhead(std::size_t K, bool Coefficients) const {
        constexpr std::size_t Records = 16, Sources = 8;
        const THugePageArray<std::uint32_t>& list = FBuckets.List;
        if (K + Records < list.size()) {
            const std::size_t smoothing = list[K + Records];
            __builtin_prefetch(&FTargets[smoothing]);
            __builtin_prefetch(&FTable.Span(smoothing / 2));
        }
        if (Coefficients && K + Sources < list.size()) {
            const TSpan& source = FTable.Span(list[K + Sources] / 2);
            const char* const from = source.Wide ? reinterpret_cast<const char*>(FArrays.Wide.data() + source.Offset)
                                                 : reinterpret_cast<const char*>(FArrays.Narrow.data() + source.Offset);
            const std::size_t bytes = source.Length * (source.Wide ? sizeof(W) : sizeof(N));
            for (std::size_t at = 0; at < bytes; at += 64) __builtin_prefetch(from + at);
        }
    }

    // Adds smoothing Smoothing into Sum, the coefficients of its target state
    // of span Target.
    template <class C>
    void AddSmoothing(C* Sum, const TSpan& Target, std::size_t Smoothing) const {
        const TTarget& t = FTargets[Smoothing];
        const TSpan& source = FTable.Span(Smoothing / 2);
        AddTo(Sum + static_cast<std::size_t>((Low(source, Smoothing, t.Loops) - Target.Low) / 4), Target, source, t.Loops);
    }

    // The same on one thread, the smoothings added in their own order (so
    // every state still gets its sums in the order of its list): each source
    // is read once, from one end of its array to the other, and the states,
    // numbered by their first smoothings, are written much in the same order.
    void AddInOrder(TPairingTable& Next) {
        const auto inArray = [this](const TSpan& Span, const auto& Body) {
            if (Span.Wide) Body(FSpare.Wide.data() + Span.Offset);
            else Body(FSpare.Narrow.data() + Span.Offset);
        };
        for (std::size_t state = 0; state < Next.Count(); ++state) {
            const TSpan& span = Next.Span(state);
            inArray(span, [&](auto* Sum) { std::fill(Sum, Sum + span.Length, std::remove_pointer_t<decltype(Sum)>(0)); });
        }
        for (std::size_t smoothing = 0; smoothing < FTargets.size(); ++smoothing) {
            if ((smoothing & 4095) == 0) CheckCancelled(FLimits.Progress);
            if (!Live(smoothing)) continue;
            const TSpan& target = Next.Span(FTargets[smoothing].State);
            inArray(target, [&](auto* Sum) { AddSmoothing(Sum, target, smoothing); });
        }
        for (std::size_t state = 0; state < Next.Count(); ++state) {
            TSpan& span = Next.Span(state);
            inArray(span, [&](auto* Sum) { Trim(Sum, span); });
        }
    }

    // Sets state State of Next, of span Span in Array, to the sum of the
    // smoothings of its list in their order, trims it and notes its bit
    // length.
    template <class C>
    void AddState(THugePageArray<C>& Array, TSpan& Span, std::size_t State) const {
        C* const sum = Array.data() + Span.Offset;
        std::fill(sum, sum + Span.Length, C(0));
        for (std::size_t k = FBuckets.Starts[State]; k < FBuckets.Starts[State] + FBuckets.Counts[State]; ++k) {
            FetchAhead(k, true);
            AddSmoothing(sum, Span, FBuckets.List[k]);
        }
        Trim(sum, Span);
    }

    // Fills FSpare, laid out by Next, with every smoothing of every state
    // added where its target lies, and trims the spans of Next and notes
    // their bit lengths. On Parts threads each takes runs of states in turn,
    // sets them to 0, adds to every one the smoothings of its list in their
    // order, and trims it. Each coefficient thus gets its sums in the same
    // order on any number of threads, and overflows at the same step.
    void Add(TPairingTable& Next, unsigned Parts) {
        if (Parts == 1) return AddInOrder(Next);
        constexpr std::size_t Run = 1024;
        const std::size_t runs = (Next.Count() + Run - 1) / Run;
        std::atomic<std::size_t> next{0};
        Share(Parts, [&](unsigned) {
            for (std::size_t run = next++; run < runs; run = next++) {
                CheckCancelled(FLimits.Progress);
                for (std::size_t state = run * Run; state < std::min(Next.Count(), (run + 1) * Run); ++state) {
                    TSpan& span = Next.Span(state);
                    if (span.Wide) AddState(FSpare.Wide, span, state);
                    else AddState(FSpare.Narrow, span, state);
                }
            }
        });
    }

    // Adds the smoothing of state Source closing Loops loops at To, in the
    // coefficients of state Target: unchecked where the layout bounded the
    // target's sums within the range of its type.
    template <class C>
    void AddTo(C* To, const TSpan& Target, const TSpan& Source, int Loops) const {
        constexpr int FixedBits = 8 * sizeof(C) - 1;
        if constexpr (std::is_same_v<C, TCoefficient>) {
            if (Source.Wide) AddTimesLoops(To, FArrays.Wide.data() + Source.Offset, Source.Length, Loops, 1);
            else AddTimesLoops(To, FArrays.Narrow.data() + Source.Offset, Source.Length, Loops, 1);
        } else if (Target.Bits > FixedBits) {
            if (Source.Wide) AddTimesLoops(To, FArrays.Wide.data() + Source.Offset, Source.Length, Loops, 1);
            else AddTimesLoops(To, FArrays.Narrow.data() + Source.Offset, Source.Length, Loops, 1);
        } else {
            if (Source.Wide) AddTimesLoopsWithin(To, FArrays.Wide.data() + Source.Offset, Source.Length, Loops);
            else AddTimesLoopsWithin(To, FArrays.Narrow.data() + Source.Offset, Source.Length, Loops);
        }
    }

    // Narrows Span, of coefficients Sum, to its first and last non-zero
    // coefficient, without moving them (a span of zeros becomes the value 0),
    // and notes their bit length. The extreme exponents of a state often
    // cancel, and what is not trimmed would be carried by every step after.
    template <class C>
    static void Trim(const C* Sum, TSpan& Span) {
        std::size_t low = 0, high = Span.Length;
        while (low < high && IsZero(Sum[low])) ++low;
        while (high > low && IsZero(Sum[high - 1])) --high;
        Span.Low += 4 * static_cast<std::int64_t>(low);
        Span.Offset += low;
        Span.Length = high - low;
        Span.Bits = static_cast<std::uint8_t>(std::min(MagnitudeBits(Sum + low, Span.Length), 255));
    }

    // Part Part of the coefficients From, in the type of To.
    template <class F, class T>
    static void Convert(const THugePageArray<F>& From, THugePageArray<T>& To, unsigned Parts, unsigned Part) {
        for (std::size_t i = PartBegin(From.size(), Parts, Part); i < PartBegin(From.size(), Parts, Part + 1); ++i)
            To[i] = Widen<T>(From[i]);
    }

    // Smoothing 2s + k - 1 of a state s is the one of kind k.
    static int Kind(std::size_t Smoothing) { return static_cast<int>(Smoothing % 2) + 1; }
    // The lowest exponent a smoothing of a state of span Span gives.
    static std::int64_t Low(const TSpan& Span, std::size_t Smoothing, int Loops) {
        return Span.Low + (Kind(Smoothing) == 1 ? 1 : -1) - 2 * Loops;
    }

    // The bytes of the pairings, hashes and targets of a step's smoothings.
    std::size_t ScratchBytes() const {
        return FKeys.capacity() + FHashes.capacity() * sizeof(std::uint32_t) + FTargets.capacity() * sizeof(TTarget) +
               FBuckets.Bytes() + FFirsts.capacity() + ScratchOfThreads();
    }

    std::size_t ScratchOfThreads() const {
        std::size_t bytes = 0;
        for (const TBucketScratch& scratch : FScratch) bytes += scratch.Bytes();
        return bytes;
    }

    // Refuses a step from more states than the 32-bit numbers of a step
    // count (MostStepStates), with the memory its smoothings alone would
    // add to the Held bytes.
    void CheckStates(std::size_t KeyLength, std::size_t Held) const {
        const std::size_t sources = FTable.Count();
        if (sources <= std::min(FLimits.MaxStepStates, MostStepStates)) return;
        // A key, a hash, a target, a mark and two places in the buckets.
        const std::size_t perSmoothing = KeyLength + 3 * sizeof(std::uint32_t) + sizeof(TTarget) + 1;
        throw TTooComplex(std::max(Held + 2 * sources * perSmoothing, static_cast<std::size_t>(FStats.ProjectedBytes)));
    }

    void Check(std::size_t Bytes) {
        FStats.PeakBytes = std::max(FStats.PeakBytes, Bytes);
        if (Bytes > FLimits.MaxBytes)
            throw TTooComplex(std::max(Bytes, static_cast<std::size_t>(FStats.ProjectedBytes)));
    }

    const TPortGraph& FGraph;
    const TContractionLimits& FLimits;
    TContractionStats& FStats;
    const std::vector<double>& FShares;
    TPairingTable FTable;
    // The table the next step fills.
    TPairingTable FSpareTable{0};
    TCoefficientArrays<N, W> FArrays;
    // The arrays the next step fills.
    TCoefficientArrays<N, W> FSpare;
    // The pairings of the smoothings of a step, their hashes and targets; a
    // shared step, once its buckets are numbered, keeps the state of each
    // first smoothing in place of its hash.
    THugePageArray<std::uint8_t> FKeys;
    THugePageArray<std::uint32_t> FHashes;
    THugePageArray<TTarget> FTargets;
    // The buckets of a step's smoothings, and each thread's room to number
    // one.
    TSmoothingBuckets FBuckets;
    std::vector<TBucketScratch> FScratch;
    // 1 for the first smoothing of each state of the step.
    THugePageArray<std::uint8_t> FFirsts;
    // The threads of a large step, started at the first one.
    unsigned FParts = 1;
    std::unique_ptr<TWorkers> FWorkers;
    // The largest share of the pairings of a boundary the states have held.
    double FShare = 0;
    // The boundary ends of the states, and the crossings taken.
    std::vector<std::int32_t> FSlots;
    std::vector<char> FTaken;
    std::size_t FStep = 0;
};

}  // namespace ravelon::contraction
