// SPDX-License-Identifier: GPL-3.0-or-later
// What a contraction is told (its limits, its progress) and what it tells
// back besides the bracket (its statistics).
#pragma once

#include <cstddef>

#include "bracket/order/OrderSearch.h"
#include "knot/Progress.h"

namespace ravelon {

// The most states a step of the contraction may start from. Its smoothings,
// and so the states it makes, then number at most 2^31, which the 32-bit
// numbers of a step count: the targets of its smoothings, the lists of its
// buckets and the index of its new states (2^32 places, half of them used
// at most).
constexpr std::size_t MostStepStates = std::size_t{1} << 30;

// How far the contraction may go, and how it prepares the code.
struct TContractionLimits {
    // Refuse with TTooComplex once the states would need more than this; 0
    // for a share of the memory free when the computation starts
    // (bracket/MemoryBound.h). Measured on a 2-core machine with 24 GiB, on
    // random drawn diagrams of 450 points (about 370 crossings contracted,
    // up to 743 thousand pairing states, narrow and wide coefficients): the
    // peak resident size of the whole process was 1.01 to 1.04 times the
    // bytes counted.
    std::size_t MaxBytes = 0;
    // Refuse with TTooComplex a step from more states than this (never more
    // than MostStepStates, whatever is asked).
    std::size_t MaxStepStates = MostStepStates;
    // Remove the crossings of moves I and II first (bracket/Simplify.h).
    bool Simplify = true;
    // The orders tried (bracket/order/OrderSearch.h).
    TOrderSearch Order = TOrderSearch::Decomposition;
    // The threads a large step of the contraction runs on (at most 64); 0
    // for one per core (at most 8). The result does not depend on it.
    unsigned Threads = 0;
    // A step of fewer states than this runs on one thread: a small step
    // costs less than starting threads.
    std::size_t ThreadStates = 4096;
    // Where the contraction reports the share of its work done and looks
    // for the word to stop (TCancelled); none when null. The share of a
    // step is its estimated work (OrderWork) over that of the whole order.
    TProgress* Progress = nullptr;
};

// The coefficients a contraction computes with.
enum class TCoefficientKind { Bits64, Bits128, Exact };

// What a contraction found besides the bracket.
struct TContractionStats {
    // The bound of the memory the contraction kept to.
    std::size_t MaxBytes = 0;
    // Refuse with TTooComplex a step from more states than this (never more
    // than MostStepStates, whatever is asked).
    std::size_t MaxStepStates = MostStepStates;
    // The crossings contracted, after the simplification.
    int Crossings = 0;
    // The widest boundary of the crossing order.
    int MaxWidth = 0;
    // The most pairing states held after one step.
    std::size_t PeakStates = 0;
    // The largest estimate of bytes held at once, as the states were built.
    std::size_t PeakBytes = 0;
    // The bytes expected from the order before the first step
    // (bracket/order/CostModel.h); past the bound the code is refused at once.
    double EstimatedBytes = 0;
    // The largest projection of the bytes the rest of the order would hold,
    // from what the steps taken measured; past the bound by
    // ProjectionMargin the code is refused there.
    double ProjectedBytes = 0;
    // The steps contracted: one per crossing, as an overflow widens the
    // states it has and goes on.
    std::size_t Steps = 0;
    // The coefficients that gave the result: 64-bit ones first, 128-bit ones
    // after an overflow, exact ones after a second.
    TCoefficientKind Coefficients = TCoefficientKind::Bits64;
};

}  // namespace ravelon
