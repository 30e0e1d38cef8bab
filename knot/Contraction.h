// The Kauffman bracket of a crossing code by contraction: the crossings are
// taken one at a time along a small boundary, and for every way the boundary
// ends are paired through the taken part the sum of its smoothing states is
// kept as a polynomial in A.
//
// Data model: the result is the list of non-zero terms (exponent of A,
// coefficient), largest exponent first; the value 0 is the empty list. Every
// state of the full state sum contributes A^(#A - #A^-1) d^(loops - 1) with
// d = -A^2 - A^-2, loops that meet no crossing included, so the result equals
// the state sum's term for term once zero coefficients are dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "arith/Poly.h"
#include "knot/Knot.h"
#include "knot/OrderSearch.h"

namespace ravelon {

// The estimated bytes the contraction may hold at once before it refuses a code.
// Measured on a 2-core machine with 24 GiB, on random drawn diagrams of 450
// points (about 370 crossings contracted, up to 743 thousand pairing states,
// narrow and wide coefficients): the peak resident size of the whole process
// was 1.01 to 1.04 times the bytes counted. With 1.5 GiB a computation stays
// under the 2 GiB an ordinary desktop can give it.
constexpr std::size_t DefaultContractionBytes = std::size_t{3} << 29;

// How far the contraction may go, and how it prepares the code.
struct TContractionLimits {
    // Refuse with TTooComplex once the states would need more than this.
    std::size_t MaxBytes = DefaultContractionBytes;
    // Remove the crossings of moves I and II first (knot/Simplify.h).
    bool Simplify = true;
    // The orders tried (knot/OrderSearch.h).
    TOrderSearch Order = TOrderSearch::Decomposition;
    // The threads a large step of the contraction runs on (at most 64); 0
    // for one per core (at most 8). The result does not depend on it.
    unsigned Threads = 0;
    // A step of fewer states than this runs on one thread: a small step
    // costs less than starting threads.
    std::size_t ThreadStates = 4096;
};

// The coefficients a contraction computes with.
enum class TCoefficientKind { Bits64, Bits128, Exact };

// What a contraction found besides the bracket.
struct TContractionStats {
    // The crossings contracted, after the simplification.
    int Crossings = 0;
    // The widest boundary of the crossing order.
    int MaxWidth = 0;
    // The most pairing states held after one step.
    std::size_t PeakStates = 0;
    // The largest estimate of bytes held at once, as the states were built.
    std::size_t PeakBytes = 0;
    // The bytes expected from the order before the first step
    // (knot/CostEstimate.h); past the bound the code is refused at once.
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

// The non-zero terms of a polynomial in A, largest exponent first.
using TBracketTerms = std::vector<std::pair<std::int64_t, TCoefficient>>;

// The bracket of Code. Throws std::logic_error when the code is not complete
// (see BuildPortGraph) and TTooComplex when its states would need more memory
// than Limits allows: at once when the estimate of its order passes the bound
// by EstimateMargin (knot/CostEstimate.h), as soon as the projection from the
// steps taken passes it by ProjectionMargin, or as soon as the states built
// pass it.
TBracketTerms ContractBracket(const TKnot& Code, const TContractionLimits& Limits = {},
                              TContractionStats* Stats = nullptr);

}  // namespace ravelon
