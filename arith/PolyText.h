// SPDX-License-Identifier: GPL-3.0-or-later
// The plain-text and LaTeX forms of a polynomial, for the command-line
// calculator and the clipboard.
//
// Terms by descending exponent, non-zero coefficients only; a coefficient of
// 1 or -1 is written only for a constant term; exponents as A^5, A^-3,
// t^(1/2), t^(-5/2) in text and A^{5}, A^{-3}, t^{1/2}, t^{-5/2} in LaTeX,
// nothing for exponent 1; " + " and " - " between terms and a leading "-" for
// a negative first term; the zero polynomial is "0".
#pragma once

#include <string>
#include <vector>

#include "arith/Poly.h"

namespace ravelon {

// One non-zero term in lowest terms: the exponent Num/Den (Den > 0) and the coefficient.
struct TTextTerm {
    std::int32_t Num;
    std::int32_t Den;
    TCoefficient Coefficient;
};

// The non-zero terms of P, equal exponents merged, by descending exponent.
std::vector<TTextTerm> NonZeroTerms(const TPoly& P);

// P as text in the variable VarName.
std::string PolyText(const TPoly& P, const std::string& VarName);
// P in LaTeX's mathematics, in the variable VarName.
std::string PolyLatex(const TPoly& P, const std::string& VarName);

}  // namespace ravelon
