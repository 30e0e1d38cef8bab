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
#include "knot/Progress.h"
#include "knot/Simplify.h"

namespace ravelon {

// How far the contraction may go, and how it prepares the code.
struct TContractionLimits {
    // Refuse with TTooComplex once the states would need more than this; 0
    // for a share of the memory free when the computation starts
    // (knot/MemoryBound.h). Measured on a 2-core machine with 24 GiB, on
    // random drawn diagrams of 450 points (about 370 crossings contracted,
    // up to 743 thousand pairing states, narrow and wide coefficients): the
    // peak resident size of the whole process was 1.01 to 1.04 times the
    // bytes counted.
    std::size_t MaxBytes = 0;
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

// A code made ready for the contraction: the crossings of moves I and II
// taken away (when the limits say so), the crossing order found, and the
// bytes that order is expected to hold.
struct TBracketPlan {
    TSimplified Simple;
    TCrossingOrder Order;
    double EstimatedBytes = 0;
};

// The plan of Code. Throws std::logic_error when the code is not complete.
TBracketPlan PlanBracket(const TKnot& Code, const TContractionLimits& Limits = {});

// The bound of Limits: MaxBytes, or the share of the memory free now.
std::size_t MemoryBoundOf(const TContractionLimits& Limits);

// True when contracting along Plan would be refused before its first step:
// its estimate passes the bound of Limits by EstimateMargin.
bool BeyondReach(const TBracketPlan& Plan, const TContractionLimits& Limits = {});

// The bracket of the code planned, as ContractBracket(Code) gives it.
TBracketTerms ContractBracket(const TBracketPlan& Plan, const TContractionLimits& Limits = {},
                              TContractionStats* Stats = nullptr);

// The bracket's terms as a polynomial in A (the constant 0 when there is
// none), and the Jones polynomial in t of a code of writhe Writhe with that
// bracket: A^e (-A^3)^(-w) with A = t^(-1/4), largest exponent of t first.
TPoly BracketPolynomial(const TBracketTerms& Terms);
TPoly JonesPolynomial(const TBracketTerms& Bracket, int Writhe);

// The bracket of Code. Throws std::logic_error when the code is not complete
// (see BuildPortGraph) and TTooComplex when its states would need more memory
// than Limits allows: at once when the estimate of its order passes the bound
// by EstimateMargin (knot/CostEstimate.h), as soon as the projection from the
// steps taken passes it by ProjectionMargin, or as soon as the states built
// pass it, telling the bytes expected (the estimate over its margin, the
// projection, or the bytes built); TCancelled when the progress of Limits is
// cancelled.
TBracketTerms ContractBracket(const TKnot& Code, const TContractionLimits& Limits = {},
                              TContractionStats* Stats = nullptr);

}  // namespace ravelon
