// SPDX-License-Identifier: GPL-3.0-or-later
// Polynomials compared by value in tests: their non-zero terms.
#pragma once

#include <map>
#include <utility>

#include "arith/Poly.h"
#include "bracket/Contraction.h"
#include "knot/Knot.h"

namespace ravelon::testing {

// The non-zero terms of a polynomial: the exponent as (numerator, denominator)
// in lowest terms, every zero as (0, 1), mapped to its summed coefficient.
using TTermMap = std::map<std::pair<int, int>, TCoefficient>;

TTermMap NonZero(const TPoly& P);

// The terms of the Jones polynomial of K, and the terms with every exponent
// negated (t -> 1/t: the Jones polynomial of the mirror image).
TTermMap JonesOf(const TKnot& K);
TTermMap Mirror(const TTermMap& Terms);

// The bracket terms of the contraction as a polynomial in A.
TPoly BracketPoly(const TLaurent& Terms);

// The terms of the Jones polynomial from a bracket and the writhe W, term by
// term without the program's polynomial arithmetic: c A^e becomes
// (-1)^W c t^((3W - e) / 4), the bracket times (-A^3)^(-W) at A = t^(-1/4).
TTermMap JonesFromBracket(const TPoly& Bracket, int W);

// True when the terms are listed largest exponent first and none is 0, or the
// polynomial is the single term 0 * x^0.
bool NonZeroDescending(const TPoly& P);

// Adds one smoothing state of the bracket to Sum (exponent of A -> coefficient):
// A^AExponent d^(Loops - 1) with d = -A^2 - A^-2, expanded by the binomial
// theorem, so that test oracles need no polynomial arithmetic of the program.
void AddState(std::map<int, TCoefficient>& Sum, int AExponent, int Loops);

}  // namespace ravelon::testing
