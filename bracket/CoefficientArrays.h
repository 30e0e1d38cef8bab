// SPDX-License-Identifier: GPL-3.0-or-later
// The coefficients of the states of one step of the contraction: an array of
// narrow ones and an array of wide ones.
//
// Data model: every state's span (bracket/PairingTable.h) lies in Narrow or,
// when the span is Wide, in Wide. The contraction keeps two such pairs, the
// one of the states it has and the one the next step fills, and swaps them
// after each step, so that pages already touched serve again. A larger array
// is reserved four times as large, as the boundary widens: a first touch of a
// page is dear, an untouched one costs nothing. One that holds far more than
// the need is given back, as the boundary narrows, and the pages of one a
// quarter larger than the need. What an array holds is counted by the most
// it was filled since then.
#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>

#include "bracket/HugePageArray.h"
#include "bracket/PairingTable.h"
#include "bracket/StridePoly.h"

namespace ravelon::contraction {

// The bytes one coefficient takes: a 64-bit or 128-bit integer, or a GMP
// integer with its own small block of limbs.
template <class C>
constexpr std::size_t CoefficientBytes = sizeof(C);
template <>
constexpr std::size_t CoefficientBytes<TCoefficient> = sizeof(TCoefficient) + 32;

template <class N, class W>
struct TCoefficientArrays {
    THugePageArray<N> Narrow;
    THugePageArray<W> Wide;
    std::size_t NarrowFilled = 0;
    std::size_t WideFilled = 0;

    // Makes room for the coefficients of a layout, without touching them.
    void Reserve(const TLayoutCounts& Counts) {
        Fit(Narrow, NarrowFilled, Counts.Narrow);
        Fit(Wide, WideFilled, Counts.Wide);
    }
    // Then gives the arrays their sizes; the values are set by the step.
    void Resize(const TLayoutCounts& Counts) {
        Narrow.resize(Counts.Narrow);
        Wide.resize(Counts.Wide);
    }

    std::size_t Bytes() const { return NarrowFilled * CoefficientBytes<N> + WideFilled * CoefficientBytes<W>; }

    // Frees both arrays.
    void Release() {
        THugePageArray<N>().swap(Narrow);
        THugePageArray<W>().swap(Wide);
        NarrowFilled = WideFilled = 0;
    }

private:
    template <class C>
    static void Fit(THugePageArray<C>& Array, std::size_t& Filled, std::size_t Count) {
        if (Count > Array.capacity() || 16 * Count < Filled) {
            Array = THugePageArray<C>();
            Array.reserve(4 * Count);
            Filled = 0;
        } else if constexpr (std::is_trivially_copyable_v<C>) {
            // As the states turn wide their narrow array empties: what lies
            // a quarter beyond the need goes back to the kernel.
            if (4 * Filled > 5 * Count) {
                GiveBackPages(Array, Count, Filled);
                Filled = Count;
            }
        }
        Filled = std::max(Filled, Count);
    }
};

}  // namespace ravelon::contraction
