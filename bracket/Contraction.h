// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "arith/Laurent.h"
#include "arith/Poly.h"
#include "bracket/ContractionLimits.h"
#include "bracket/Simplify.h"
#include "bracket/order/Order.h"
#include "knot/Knot.h"

namespace ravelon {

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
TLaurent ContractBracket(const TBracketPlan& Plan, const TContractionLimits& Limits = {},
                         TContractionStats* Stats = nullptr);

// The bracket's terms as a polynomial in A (the constant 0 when there is
// none), and the Jones polynomial in t of a code of writhe Writhe with that
// bracket: A^e (-A^3)^(-w) with A = t^(-1/4), largest exponent of t first.
TPoly BracketPolynomial(const TLaurent& Terms);
TPoly JonesPolynomial(const TLaurent& Bracket, int Writhe);

// The bracket of Code. Throws std::logic_error when the code is not complete
// (see BuildPortGraph) and TTooComplex when its states would need more memory
// than Limits allows: at once when the estimate of its order passes the bound
// by EstimateMargin (bracket/order/CostModel.h), as soon as the projection from the
// steps taken passes it by ProjectionMargin, or as soon as the states built
// pass it, telling the bytes expected (the estimate over its margin, the
// projection, or the bytes built); TCancelled when the progress of Limits is
// cancelled.
TLaurent ContractBracket(const TKnot& Code, const TContractionLimits& Limits = {},
                         TContractionStats* Stats = nullptr);

}  // namespace ravelon
