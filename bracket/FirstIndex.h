// SPDX-License-Identifier: GPL-3.0-or-later
// An index that many threads fill at once with the keys of the smoothings of
// a contraction step, and that finds for every key the first smoothing that
// made it, so that the states of the step are numbered as a single thread
// numbers them: in the order of their first smoothings.
//
// Data model: open addressing over a power of two of places, each a 64-bit
// word: the key's hash in the high half and, in the low half, the first
// smoothing of the key plus one (0 for a free place) or, once the states are
// numbered, the state plus one. The keys themselves lie in the step's array
// of keys, smoothing i at i * KeyLength. A smoothing claims a free place or
// lowers the first smoothing of its key by compare-and-swap; which thread
// came first never shows, as the lowest smoothing wins.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "bracket/HugePageArray.h"

namespace ravelon {

// The places of the keys of one step shared among threads.
class TFirstIndex {
public:
    // Makes room for Items keys, at most half of the places filled; the
    // places are then cleared by Clear, part by part.
    void Resize(std::size_t Items) {
        if (Items >= std::size_t{1} << 31) throw std::length_error("too many smoothings in one step");
        FBits = 6;
        while ((std::size_t{1} << FBits) < 2 * Items && FBits < 32) ++FBits;
        FPlaces.resize(std::size_t{1} << FBits);
        FMask = FPlaces.size() - 1;
    }
    // Clears the places of Part of Parts.
    void Clear(unsigned Parts, unsigned Part) {
        const std::size_t n = FPlaces.size();
        const std::size_t from = n / Parts * Part, to = Part + 1 == Parts ? n : n / Parts * (Part + 1);
        std::memset(FPlaces.data() + from, 0, (to - from) * sizeof(std::uint64_t));
    }

    // Enters smoothing Item (below 2^32 - 1) of key hash Hash; Keys holds the
    // keys of KeyLength bytes of all smoothings. Returns its place.
    std::size_t Enter(std::size_t Item, std::uint32_t Hash, const std::uint8_t* Keys, std::size_t KeyLength) {
        const std::uint64_t mine = static_cast<std::uint64_t>(Hash) << 32 | (Item + 1);
        const std::uint8_t* key = Keys + Item * KeyLength;
        for (std::size_t at = Place(Hash);; at = (at + 1) & FMask) {
            std::atomic_ref<std::uint64_t> place(FPlaces[at]);
            std::uint64_t seen = place.load(std::memory_order_relaxed);
            if (seen == 0 && place.compare_exchange_strong(seen, mine, std::memory_order_relaxed)) return at;
            if (seen >> 32 != Hash || std::memcmp(Keys + ((seen & Low) - 1) * KeyLength, key, KeyLength) != 0) continue;
            while ((seen & Low) > Item + 1 && !place.compare_exchange_weak(seen, mine, std::memory_order_relaxed)) {
            }
            return at;
        }
    }

    // Once every smoothing is entered: the first smoothing of the key at At.
    std::size_t First(std::size_t At) const { return (FPlaces[At] & Low) - 1; }
    // Then: numbers the key at At as state State, and reads it back.
    void Number(std::size_t At, std::size_t State) { FPlaces[At] = (FPlaces[At] & ~Low) | (State + 1); }
    std::size_t State(std::size_t At) const { return (FPlaces[At] & Low) - 1; }

    std::size_t Bytes() const { return FPlaces.capacity() * sizeof(std::uint64_t); }

private:
    static constexpr std::uint64_t Low = 0xffffffffULL;

    // The first place of a hash: its top bits, as many as the places need.
    std::size_t Place(std::uint32_t Hash) const { return Hash >> (32 - FBits); }

    THugePageArray<std::uint64_t> FPlaces;
    std::size_t FMask = 0;
    int FBits = 6;
};

}  // namespace ravelon
