// Polynomials compared by value in tests: their non-zero terms.
#pragma once

#include <map>
#include <utility>

#include "arith/Poly.h"

namespace ravelon::testing {

// The non-zero terms of a polynomial: the exponent as (numerator, denominator)
// in lowest terms, every zero as (0, 1), mapped to its summed coefficient.
using TTermMap = std::map<std::pair<int, int>, TCoefficient>;

TTermMap NonZero(const TPoly& P);

// True when the terms are listed largest exponent first and none is 0, or the
// polynomial is the single term 0 * x^0.
bool NonZeroDescending(const TPoly& P);

}  // namespace ravelon::testing
