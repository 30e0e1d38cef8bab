// SPDX-License-Identifier: GPL-3.0-or-later
// Rational numbers, used as the exponents of polynomial terms.
//
// Exponents of A are whole numbers; the Jones polynomial divides them by -4,
// which gives halves and quarters. A fraction is therefore always small, but
// every product below is still formed in 64 bits (a product of two 32-bit
// numbers always fits there, and so does the sum of two such products), and a
// result that would not fit back into 32 bits raises std::overflow_error
// instead of wrapping around.
#pragma once

#include <cstdint>

namespace ravelon {

// A rational number Num/Den. Reduced fractions have a positive denominator and
// no common factor, except that a zero numerator keeps whatever positive
// denominator it had (0/4 stays 0/4).
struct TFraction {
    std::int32_t Num = 0;
    std::int32_t Den = 1;
};

// Greatest common divisor of |A| and |B|; 1 when either is 0.
std::int32_t GCD(std::int32_t A, std::int32_t B);

// The two values unchanged, not reduced.
TFraction MakeFraction(std::int32_t Num, std::int32_t Den);

// Lowest terms with a positive denominator. Den must not be 0.
TFraction Reduce(TFraction F);

// X.Num * Y.Den - X.Den * Y.Num, exactly. With positive denominators it is 0
// exactly when X = Y, positive when X > Y and negative when X < Y.
std::int64_t CompareFractions(TFraction X, TFraction Y);

// The reduced sum X + Y.
TFraction AddFractions(TFraction X, TFraction Y);

// The reduced quotient F / D (D not 0): the denominator is multiplied by D.
TFraction DivideFraction(TFraction F, std::int32_t D);

// True when X and Y stand for the same number.
inline bool SameFraction(TFraction X, TFraction Y) { return CompareFractions(X, Y) == 0; }

}  // namespace ravelon
