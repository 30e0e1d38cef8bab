// SPDX-License-Identifier: GPL-3.0-or-later
// Laurent polynomials in one variable with rational exponents and exact
// integer coefficients.
//
// Data model: a polynomial is a list of terms (exponent, coefficient) with
// pairwise different exponents, kept in the order in which the exponents first
// appeared. Terms whose coefficient is or becomes 0 stay in the list; a new
// polynomial already holds one term with exponent 0. Only Sort reorders terms.
// The storage order and the kept zeros matter: they decide what Typeset draws
// when the caller has not sorted.
//
// Coefficients are arbitrary-precision integers, so no sum or product of
// coefficients ever wraps around.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gmpxx.h>

#include "arith/Fraction.h"
#include "arith/TextSurface.h"

namespace ravelon {

// An exact integer coefficient.
using TCoefficient = mpz_class;

// One term: Coefficient times the variable to the power Exponent. The
// exponent is kept in lowest terms with a positive denominator.
struct TTerm {
    TFraction Exponent;
    TCoefficient Coefficient;
};

// A polynomial in one variable, as a list of terms in storage order.
class TPoly {
public:
    // The constant Value: one term with exponent 0/1.
    explicit TPoly(const TCoefficient& Value = 0);

    // Number of terms; at least 1.
    int FCount() const { return static_cast<int>(FTerms.size()); }

    // Replaces all terms by the single term Value * x^0.
    void SetConstant(const TCoefficient& Value);
    // Copies every term of Source, in order.
    void Assign(const TPoly& Source);
    // Sets the coefficient of the whole exponent Exponent: replaces the
    // coefficient of the term with that exponent, or appends a term.
    void SetTerm(std::int32_t Exponent, const TCoefficient& Coefficient);
    // Self := Self + Other. Each term of Other is added to the term of equal
    // exponent, or appended.
    void Add(const TPoly& Other);
    // Self := Self * Other. Products are listed with Other's terms in the
    // outer loop and Self's in the inner loop, then equal exponents merged at
    // the place of their first appearance.
    void Multiply(const TPoly& Other);
    // Self := Self to the power N by N repeated multiplications of the
    // constant 1; the constant 0 for N < 0.
    void Power(std::int32_t N);
    // Every exponent e becomes e / D. D must not be 0.
    void DivideExponents(std::int32_t D);
    // Merges terms with equal exponents into the first of them.
    void Collect();
    // Orders the terms by exponent, largest first (selection sort).
    void Sort();
    // Typesets the polynomial at (X, Y) with raised exponents, using VarName
    // as the variable, and advances X past the text and Y below it.
    void Typeset(TTextSurface& Canvas, int& X, int& Y, const std::string& VarName) const;

    // The coefficient of the term with the given exponent, 0 when there is none.
    TCoefficient CoefficientOf(TFraction Exponent) const;

    // The terms, in storage order.
    std::vector<TTerm> FTerms;
};

}  // namespace ravelon
