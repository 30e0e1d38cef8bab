// SPDX-License-Identifier: GPL-3.0-or-later
// The exact Laurent polynomial of the core: whole exponents, integer
// coefficients of any size.
//
// Data model: the non-zero terms (exponent, coefficient), largest exponent
// first, each exponent once; the zero polynomial has no term. The engines
// keep faster types of their own while they compute (polynomials on a stride
// of exponents, residues modulo primes) and hand their results over as a
// TLaurent; the app and the calculator see a TPoly, whose exponents may be
// fractions: ToPoly and FromPoly are the one conversion each way.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "arith/Poly.h"

namespace ravelon {

// A Laurent polynomial with integer coefficients.
class TLaurent {
public:
    using TTermOf = std::pair<std::int64_t, TCoefficient>;

    TLaurent() = default;
    // The sum of Terms, given in any order; terms of one exponent are added,
    // and those that add up to 0 are left out.
    explicit TLaurent(std::vector<TTermOf> Terms);

    const std::vector<TTermOf>& Terms() const { return FTerms; }
    bool IsZero() const { return FTerms.empty(); }
    std::size_t size() const { return FTerms.size(); }
    auto begin() const { return FTerms.begin(); }
    auto end() const { return FTerms.end(); }

    // This polynomial times Sign x^Shift, Sign being +1 or -1.
    TLaurent Times(int Sign, std::int64_t Shift) const;

    friend bool operator==(const TLaurent&, const TLaurent&) = default;

private:
    std::vector<TTermOf> FTerms;
};

// The polynomial in y = x^(1/Divisor) (Divisor not 0, maybe negative): the
// term c x^e becomes c y^(e / Divisor), the fraction reduced; terms come
// largest exponent first, the zero polynomial as the one term 0 y^0. Throws
// std::overflow_error for an exponent beyond 32 bits.
TPoly ToPoly(const TLaurent& P, std::int32_t Divisor = 1);

// The inverse: the polynomial in x = y^Multiplier of a TPoly in y, whose
// exponents times Multiplier must be whole (else std::invalid_argument).
TLaurent FromPoly(const TPoly& P, std::int32_t Multiplier = 1);

}  // namespace ravelon
