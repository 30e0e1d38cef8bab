// SPDX-License-Identifier: GPL-3.0-or-later
#include "arith/Fraction.h"

#include <limits>
#include <numeric>
#include <stdexcept>

namespace ravelon {

namespace {

// Greatest common divisor of two non-negative 64-bit values, 1 when either is 0.
// Euclid by remainders: the same result as repeated subtraction, in a number of
// steps that grows only with the number of digits.
std::int64_t Gcd64(std::int64_t a, std::int64_t b) {
    if (a == 0 || b == 0) return 1;
    return std::gcd(a, b);
}

std::int32_t Narrow(std::int64_t v) {
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("exponent out of range");
    return static_cast<std::int32_t>(v);
}

// Reduces Num/Den given in 64 bits (|Num|, |Den| < 2^63) and narrows the result.
TFraction Reduce64(std::int64_t num, std::int64_t den) {
    if (den == 0) throw std::domain_error("fraction with denominator 0");
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t g = Gcd64(num < 0 ? -num : num, den);
    return TFraction{Narrow(num / g), Narrow(den / g)};
}

}  // namespace

std::int32_t GCD(std::int32_t A, std::int32_t B) {
    const std::int64_t a = A < 0 ? -static_cast<std::int64_t>(A) : A;
    const std::int64_t b = B < 0 ? -static_cast<std::int64_t>(B) : B;
    return Narrow(Gcd64(a, b));
}

TFraction MakeFraction(std::int32_t Num, std::int32_t Den) { return TFraction{Num, Den}; }

TFraction Reduce(TFraction F) { return Reduce64(F.Num, F.Den); }

std::int64_t CompareFractions(TFraction X, TFraction Y) {
    return static_cast<std::int64_t>(X.Num) * Y.Den - static_cast<std::int64_t>(X.Den) * Y.Num;
}

TFraction AddFractions(TFraction X, TFraction Y) {
    const std::int64_t num = static_cast<std::int64_t>(X.Num) * Y.Den + static_cast<std::int64_t>(X.Den) * Y.Num;
    const std::int64_t den = static_cast<std::int64_t>(X.Den) * Y.Den;
    return Reduce64(num, den);
}

TFraction DivideFraction(TFraction F, std::int32_t D) {
    return Reduce64(F.Num, static_cast<std::int64_t>(F.Den) * D);
}

}  // namespace ravelon
