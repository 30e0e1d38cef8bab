// SPDX-License-Identifier: GPL-3.0-or-later
// The states of the contraction: one polynomial for every pairing of the
// boundary ends.
//
// Data model: the boundary ends are numbered 0 to Width - 1 (their order is
// fixed for a step of the contraction). A pairing is the list of each end's
// partner, one byte per end, so equal pairings have equal bytes; a final byte
// holds the class mod 4 of the polynomial's exponents. The keys lie one after
// the other in Keys, state i at i * KeyLength, and Spans[i] says where its
// polynomial's coefficients lie in the contraction's arrays of coefficients
// (the table holds no coefficient itself). An open-addressing
// hash index finds a state by its key.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "bracket/HugePageArray.h"
#include "bracket/StridePoly.h"

namespace ravelon {

// The widest boundary a pairing key can describe.
constexpr int MaxPairingWidth = 255;

// A place of the index: the state plus one (0 when free) and its key's
// hash, which settles most mismatches without the key and gives the
// place in an index of any size.
struct TPairingEntry {
    std::uint32_t State = 0;
    std::uint32_t Check = 0;
};

// Where the coefficients of a state lie: Length of them from Offset on, for
// the exponents Low + 4i, in the contraction's array of narrow coefficients
// or, when Wide, in its array of wide ones. Length 0 is the value 0. Bits is
// the bit length of its largest coefficient. While a step builds the state,
// Bits and Sums bound what the step can add to it: Sums polynomials, each of
// coefficients below 2^Bits; once laid out, Bits bounds their sum. A span
// made without a value is left unset (the arrays of a large step are filled
// by many threads); TSpan{} is the value 0.
struct TSpan {
    std::int64_t Low;
    std::size_t Offset;
    std::size_t Length;
    std::uint32_t Sums;
    std::uint8_t Bits;
    bool Wide;
};

// The coefficients a layout places in each array.
struct TLayoutCounts {
    std::size_t Narrow = 0;
    std::size_t Wide = 0;
};

// Pairings of the boundary ends with where their polynomials lie.
class TPairingTable {
public:
    // HashBits keeps only those bits of every key's hash; tests clear them to
    // make every key collide.
    explicit TPairingTable(int Width, std::uint32_t HashBits = ~std::uint32_t{0})
        : FKeyLength(static_cast<std::size_t>(Width) + 1), FIndex(64), FHashBits(HashBits) {}

    // Empties the table for keys of boundaries of Width ends, keeping its
    // arrays (and the size of its index) for reuse.
    void Reset(int Width) {
        FKeyLength = static_cast<std::size_t>(Width) + 1;
        FKeys.clear();
        FSpans.clear();
        std::fill(FIndex.begin(), FIndex.end(), TEntry{});
    }

    std::size_t KeyLength() const { return FKeyLength; }
    std::size_t Count() const { return FSpans.size(); }
    const std::uint8_t* Key(std::size_t State) const { return FKeys.data() + State * FKeyLength; }
    const TSpan& Span(std::size_t State) const { return FSpans[State]; }

    TSpan& Span(std::size_t State) { return FSpans[State]; }

    // Widens the span of State to cover the exponents Low + 4i, i < Length,
    // for one more polynomial added of coefficients below 2^Bits.
    void Cover(std::size_t State, std::int64_t Low, std::size_t Length, int Bits) {
        TSpan& span = FSpans[State];
        span.Bits = static_cast<std::uint8_t>(std::clamp(Bits, static_cast<int>(span.Bits), 255));
        ++span.Sums;
        if (span.Length == 0) {
            span.Low = Low;
            span.Length = Length;
            return;
        }
        if (ExponentClass(Low - span.Low) != 0) throw std::logic_error("polynomials of different exponent classes");
        const std::int64_t low = std::min(span.Low, Low);
        const std::int64_t high = std::max(span.Low + 4 * static_cast<std::int64_t>(span.Length),
                                           Low + 4 * static_cast<std::int64_t>(Length));
        span.Low = low;
        span.Length = static_cast<std::size_t>((high - low) / 4);
    }

    // Places the spans one after the other from offset 0 of their array: in
    // the wide one those whose sums may pass NarrowBits bits (a sum of k
    // polynomials of coefficients below 2^b stays below 2^(b + log2 k), the
    // bound each span keeps in Bits, at most 255), in the narrow one the
    // others.
    TLayoutCounts Layout(int NarrowBits) {
        TLayoutCounts counts;
        for (TSpan& span : FSpans) {
            int bound = span.Bits;
            for (std::uint64_t sums = 1; sums < span.Sums && bound < 255; sums *= 2) ++bound;
            span.Bits = static_cast<std::uint8_t>(bound);
            span.Wide = bound > NarrowBits;
            std::size_t& offset = span.Wide ? counts.Wide : counts.Narrow;
            span.Offset = offset;
            offset += span.Length;
        }
        return counts;
    }

    // The state with this key, added with the value 0 when there is none.
    std::size_t FindOrAdd(const std::uint8_t* Key) { return FindOrAdd(Key, Hash(Key)); }
    // The same, with the key's Hash already known.
    std::size_t FindOrAdd(const std::uint8_t* Key, std::uint32_t KeyHash) {
        const std::size_t mask = FIndex.size() - 1;
        const std::uint32_t check = KeyHash;
        std::size_t at = Place(check);
        while (const std::uint32_t entry = FIndex[at].State) {
            if (FIndex[at].Check == check && std::memcmp(this->Key(entry - 1), Key, FKeyLength) == 0)
                return entry - 1;
            at = (at + 1) & mask;
        }
        const std::size_t state = FSpans.size();
        FKeys.insert(FKeys.end(), Key, Key + FKeyLength);
        FSpans.push_back(TSpan{});
        FIndex[at] = TEntry{static_cast<std::uint32_t>(state + 1), check};
        if (2 * FSpans.size() > FIndex.size()) Grow();
        return state;
    }

    // Makes room for Count states without touching it, then gives the table
    // Count states of keys and spans to be written (KeyOf, Span);
    // its index is left empty, so that a table filled this way is only read
    // (another step's FindOrAdd starts from Reset).
    void ReserveStates(std::size_t Count) {
        FKeys.reserve(Count * FKeyLength);
        FSpans.reserve(Count);
    }
    void ResizeStates(std::size_t Count) {
        FKeys.resize(Count * FKeyLength);
        FSpans.resize(Count);
    }
    std::uint8_t* KeyOf(std::size_t State) { return FKeys.data() + State * FKeyLength; }

    // The bytes the table holds apart from the coefficients.
    std::size_t Bytes() const {
        return FKeys.capacity() + FSpans.capacity() * sizeof(TSpan) + FIndex.capacity() * sizeof(TEntry);
    }

    // Eight bytes of the key at a time, then the rest one by one. A function
    // of the key alone, which loops shared among threads may compute.
    std::uint32_t Hash(const std::uint8_t* Key) const {
        std::uint64_t h = 1469598103934665603ull;
        std::size_t i = 0;
        for (; i + 8 <= FKeyLength; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, Key + i, 8);
            h = (h ^ word) * 0x9e3779b97f4a7c15ull;
            h ^= h >> 29;
        }
        for (; i < FKeyLength; ++i) h = (h ^ Key[i]) * 1099511628211ull;
        h ^= h >> 31;
        h *= 0x9e3779b97f4a7c15ull;
        return static_cast<std::uint32_t>(h >> 32) & FHashBits;
    }

    // Asks the processor to fetch the place where a key of hash KeyHash is
    // looked up first, ahead of the look-up.
    void Prefetch(std::uint32_t KeyHash) const { __builtin_prefetch(FIndex.data() + Place(KeyHash)); }

private:
    using TEntry = TPairingEntry;

    // The first place to look for a hash: its top bits, as many as the
    // index size needs.
    std::size_t Place(std::uint32_t Hash) const { return Hash >> FShift; }

    void Grow() {
        if (FShift == 0) throw std::length_error("too many pairing states");
        THugePageArray<TEntry> index(2 * FIndex.size());
        --FShift;
        const std::size_t mask = index.size() - 1;
        for (const TEntry& e : FIndex) {
            if (e.State == 0) continue;
            std::size_t at = Place(e.Check);
            while (index[at].State != 0) at = (at + 1) & mask;
            index[at] = e;
        }
        FIndex = std::move(index);
    }

    std::size_t FKeyLength;
    THugePageArray<std::uint8_t> FKeys;
    THugePageArray<TSpan> FSpans;
    THugePageArray<TEntry> FIndex;
    std::uint32_t FHashBits;
    // 32 minus the number of bits of a place in FIndex.
    int FShift = 32 - 6;
};

}  // namespace ravelon
