// SPDX-License-Identifier: GPL-3.0-or-later
// What a step of the contraction shared among threads keeps beside its keys:
// the index that numbers the states by their first smoothings
// (bracket/FirstIndex.h) and, for every state made, the smoothings that come to
// it, so that each thread adds into its own states without reading the
// others' smoothings.
//
// Data model: Firsts[i] is 1 when smoothing i is the first of its key.
// Counts[s] is the number of smoothings that come to state s (then, while
// they are listed, the next free place of its list). The smoothings that
// come to state s are Sources[Starts[s]] to Sources[Starts[s + 1] - 1], in
// their order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "bracket/FirstIndex.h"
#include "bracket/HugePageArray.h"

namespace ravelon::contraction {

struct TSharedSmoothing {
    TFirstIndex Index;
    THugePageArray<std::uint8_t> Firsts;
    THugePageArray<std::uint32_t> Counts, Starts, Sources;

    std::size_t Bytes() const {
        return Index.Bytes() + Firsts.capacity() +
               (Counts.capacity() + Starts.capacity() + Sources.capacity()) * sizeof(std::uint32_t);
    }
};

}  // namespace ravelon::contraction
