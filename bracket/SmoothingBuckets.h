// SPDX-License-Identifier: GPL-3.0-or-later
// The smoothings of a contraction step sorted into buckets by the hashes of
// their keys, so that each bucket finds and numbers its own states, and any
// number of threads share the buckets without touching each other's.
//
// Data model: the step has Smoothings smoothings, smoothing i of key
// Keys + i * KeyLength and hash Hashes[i]; only the live ones (those of a
// state that holds anything) are sorted. Their number fixes the number of
// buckets, a power of two, and a smoothing lies in bucket Hash mod Buckets,
// so equal keys share a bucket. Bucket b holds List[Begin(b)] to
// List[Begin(b + 1) - 1]: first its smoothings in their order (Place), then,
// once it is numbered (Number), the same sorted by their state, the
// smoothings of a state still in their order. Its states are numbered 0 on
// in the order of their first smoothings; Firsts[Begin(b) + j] is the first
// smoothing of the bucket's state j. The step numbers all its states in the
// order of their first smoothings, over the buckets, as one thread taking the
// smoothings in order would; Starts[s] and Counts[s] say where the
// smoothings of its state s lie in List. Nothing here depends on how many
// threads share the work: a step gets the same states, numbered alike, on
// any number of them.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include "bracket/HugePageArray.h"

namespace ravelon {

// What one thread needs to number a bucket: an index of its keys and the
// room to sort it. Kept from bucket to bucket; a cache line of its own, as
// its lists grow while the other threads' grow.
struct alignas(64) TBucketScratch {
    // Each place: the key's hash in the high half, its state in the bucket
    // plus one in the low half (0 for a free place).
    std::vector<std::uint64_t> Index;
    std::vector<std::uint32_t> Counts, Places, Moved;

    std::size_t Bytes() const {
        return Index.capacity() * sizeof(std::uint64_t) +
               (Counts.capacity() + Places.capacity() + Moved.capacity()) * sizeof(std::uint32_t);
    }
};

// The buckets of the smoothings of one step.
class TSmoothingBuckets {
public:
    // About this many smoothings to a bucket, so that its index stays in the
    // cache of a core, in at most MostBuckets buckets.
    static constexpr std::size_t BucketSmoothings = 4096;
    static constexpr std::size_t MostBuckets = 1024;

    // Starts a step of Smoothings smoothings (below 2^32) whose placing is
    // cut into Parts runs.
    void Start(std::size_t Smoothings, unsigned Parts) {
        if (Smoothings >= std::size_t{1} << 32) throw std::length_error("too many smoothings in one step");
        FBuckets = std::min(std::bit_floor(std::max<std::size_t>(Smoothings / BucketSmoothings, 1)), MostBuckets);
        FParts = Parts;
        FStride = (FBuckets + 7) / 8 * 8 + 8;
        FPlaces.assign(static_cast<std::size_t>(Parts) * FStride, 0);
        FBegin.assign(FBuckets + 1, 0);
        FStates.assign(FBuckets, 0);
    }

    std::size_t Buckets() const { return FBuckets; }
    std::size_t BucketOf(std::uint32_t Hash) const { return Hash & (FBuckets - 1); }

    // Counts the live smoothings of part Part, First to Last - 1, by bucket.
    template <class TLive>
    void Count(unsigned Part, std::size_t First, std::size_t Last, const std::uint32_t* Hashes, const TLive& Live) {
        std::size_t* const counts = FPlaces.data() + Part * FStride;
        for (std::size_t i = First; i < Last; ++i)
            if (Live(i)) ++counts[BucketOf(Hashes[i])];
    }
    // Once every part is counted: where each bucket begins, and where each
    // part places its smoothings in it; makes room for the list.
    std::size_t Lay() {
        std::size_t at = 0;
        for (std::size_t b = 0; b < FBuckets; ++b) {
            FBegin[b] = at;
            for (unsigned part = 0; part < FParts; ++part) at += std::exchange(FPlaces[part * FStride + b], at);
        }
        FBegin[FBuckets] = at;
        List.resize(at);
        Firsts.resize(at);
        return at;
    }
    // Places the live smoothings of part Part, in their order, as counted.
    template <class TLive>
    void Place(unsigned Part, std::size_t First, std::size_t Last, const std::uint32_t* Hashes, const TLive& Live) {
        std::size_t* const places = FPlaces.data() + Part * FStride;
        for (std::size_t i = First; i < Last; ++i)
            if (Live(i)) List[places[BucketOf(Hashes[i])]++] = static_cast<std::uint32_t>(i);
    }

    std::size_t Begin(std::size_t Bucket) const { return FBegin[Bucket]; }

    // Finds the states of bucket Bucket, tells each smoothing its state in
    // the bucket (SetState(i, j)), notes each state's first smoothing and
    // sorts the bucket by state; returns the number of its states.
    template <class TSetState>
    std::size_t Number(std::size_t Bucket, TBucketScratch& Scratch, const std::uint8_t* Keys, std::size_t KeyLength,
                       const std::uint32_t* Hashes, const TSetState& SetState) {
        const std::size_t begin = FBegin[Bucket], size = FBegin[Bucket + 1] - begin;
        const int bits = std::max(6, static_cast<int>(std::bit_width(2 * size)));
        Scratch.Index.assign(std::size_t{1} << bits, 0);
        const std::size_t mask = Scratch.Index.size() - 1;
        std::uint32_t* const firsts = Firsts.data() + begin;
        std::uint32_t* const list = List.data() + begin;
        Scratch.Counts.clear();
        Scratch.Places.resize(size);
        for (std::size_t k = 0; k < size; ++k) {
            const std::uint32_t i = list[k], hash = Hashes[i];
            const std::uint8_t* const key = Keys + std::size_t{i} * KeyLength;
            std::size_t at = (bits >= 32 ? hash : hash >> (32 - bits)) & mask;
            std::uint32_t state;
            for (;; at = (at + 1) & mask) {
                const std::uint64_t place = Scratch.Index[at];
                if (place == 0) {
                    state = static_cast<std::uint32_t>(Scratch.Counts.size());
                    Scratch.Index[at] = std::uint64_t{hash} << 32 | (state + 1);
                    firsts[state] = i;
                    Scratch.Counts.push_back(0);
                    break;
                }
                state = static_cast<std::uint32_t>(place) - 1;
                if (place >> 32 == hash && std::memcmp(Keys + std::size_t{firsts[state]} * KeyLength, key, KeyLength) == 0)
                    break;
            }
            ++Scratch.Counts[state];
            Scratch.Places[k] = state;
            SetState(i, state);
        }
        // A counting sort by state keeps the order of each state's smoothings.
        std::uint32_t at = 0;
        for (std::uint32_t& count : Scratch.Counts) at += std::exchange(count, at);
        Scratch.Moved.resize(size);
        for (std::size_t k = 0; k < size; ++k) Scratch.Moved[Scratch.Counts[Scratch.Places[k]]++] = list[k];
        std::copy(Scratch.Moved.begin(), Scratch.Moved.end(), list);
        FStates[Bucket] = Scratch.Counts.size();
        return FStates[Bucket];
    }
    // Once Bucket is numbered: the number of its states.
    std::size_t States(std::size_t Bucket) const { return FStates[Bucket]; }

    std::size_t Bytes() const {
        return (List.capacity() + Firsts.capacity() + Starts.capacity() + Counts.capacity()) * sizeof(std::uint32_t);
    }

    THugePageArray<std::uint32_t> List, Firsts;
    // Filled by the step, for each of its states.
    THugePageArray<std::uint32_t> Starts, Counts;

private:
    std::size_t FBuckets = 1;
    unsigned FParts = 1;
    // Per part and bucket: the count of its smoothings, then their next place;
    // the parts' rows a cache line apart, so that no two threads write to
    // one line.
    std::vector<std::size_t> FPlaces;
    std::size_t FStride = 16;
    std::vector<std::size_t> FBegin, FStates;
};

}  // namespace ravelon
