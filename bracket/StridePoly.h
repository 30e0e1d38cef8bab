// SPDX-License-Identifier: GPL-3.0-or-later
// Polynomials in A whose exponents step by 4, with 64-bit or exact coefficients.
//
// Data model: the value is the sum of Coeffs[i] * A^(Low + 4 i). The state sum
// gives every term of a smoothing state the exponent (#A - #A^-1) + 2 loops - 4j,
// and two smoothings of a planar code with the same pairing of boundary ends
// differ by a multiple of 4; the contraction keeps codes where that fails as
// separate polynomials for each class of exponents mod 4, so one stride fits
// every polynomial it holds. An empty Coeffs is the value 0.
//
// The coefficient type C is std::int64_t or TWideCoefficient (128 bits), where
// every sum and product is checked and overflow throws TCoefficientOverflow,
// or TCoefficient (GMP), which is exact without bound.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include <string>

#include "arith/Poly.h"

namespace ravelon {

// A coefficient of Bits bits left its range; the caller goes on with
// wider ones. The message names the width.
struct TCoefficientOverflow : std::overflow_error {
    explicit TCoefficientOverflow(int Bits) : std::overflow_error(std::to_string(Bits) + "-bit coefficient overflow") {}
};

// A 128-bit coefficient, the second try after 64 bits.
__extension__ typedef __int128 TWideCoefficient;

// Sum += Factor * X, checked for the range of C; Sum is unchanged on overflow.
template <class C>
    requires std::is_same_v<C, std::int64_t> || std::is_same_v<C, TWideCoefficient>
inline void AddProduct(C& Sum, std::int64_t Factor, C X) {
    C product = 0, sum = 0;
    if (__builtin_mul_overflow(static_cast<C>(Factor), X, &product) || __builtin_add_overflow(Sum, product, &sum))
        throw TCoefficientOverflow(static_cast<int>(8 * sizeof(C)));
    Sum = sum;
}
// Sum += Factor * X, exactly.
inline void AddProduct(TCoefficient& Sum, std::int64_t Factor, const TCoefficient& X) {
    if (Factor == 1) Sum += X;
    else if (Factor == -1) Sum -= X;
    else Sum += X * static_cast<long>(Factor);
}

inline bool IsZero(std::int64_t X) { return X == 0; }
inline bool IsZero(TWideCoefficient X) { return X == 0; }
inline bool IsZero(const TCoefficient& X) { return sgn(X) == 0; }

// The exponent class of E mod 4, from 0 to 3 (also for negative E).
constexpr int ExponentClass(std::int64_t E) { return static_cast<int>(((E % 4) + 4) % 4); }

// Sum += F * X for F = 1 or -1 (a plain sum or difference) or any other F;
// true on overflow, when Sum is left as it was.
template <class C>
inline bool AddTimes(C& Sum, std::int64_t F, C X) {
    C result = 0, product = 0;
    bool overflow = false;
    if (F == 1) overflow = __builtin_add_overflow(Sum, X, &result);
    else if (F == -1) overflow = __builtin_sub_overflow(Sum, X, &result);
    else overflow = __builtin_mul_overflow(static_cast<C>(F), X, &product) || __builtin_add_overflow(Sum, product, &result);
    Sum = overflow ? Sum : result;
    return overflow;
}

// Target[i .. i + Loops] += Sign * d^Loops * Source[i] for i < Length, with
// d^Loops = (-1)^Loops A^(-2 Loops) (1 + A^4)^Loops on the stride (Loops 0 to
// 2). With fixed-width coefficients the overflows are gathered and thrown at
// the end: a coefficient that overflows is left as it was, the others take
// their sums. The source coefficients are taken from the lowest up, each into
// its one to three targets: the order of the partial sums decides where a
// fixed width first overflows, and this one overflows late on the drawn
// diagrams of bench_large.
// Source may be of another type than Target, when each of its coefficients
// fits Target's.
template <class C, class S>
void AddTimesLoops(C* Target, const S* Source, std::size_t Length, int Loops, std::int64_t Sign) {
    static constexpr std::int64_t Kernel[3][3] = {{1, 0, 0}, {-1, -1, 0}, {1, 2, 1}};
    if (Loops < 0 || Loops > 2) throw std::logic_error("more than two loops closed by one crossing");
    const auto* kernel = Kernel[Loops];
    if constexpr (std::is_same_v<C, TCoefficient>) {
        for (std::size_t i = 0; i < Length; ++i) {
            if (IsZero(Source[i])) continue;
            for (int j = 0; j <= Loops; ++j) AddProduct(Target[i + static_cast<std::size_t>(j)], Sign * kernel[j], Source[i]);
        }
    } else {
        bool overflow = false;
        if (Loops == 0) {
            for (std::size_t i = 0; i < Length; ++i) overflow |= AddTimes<C>(Target[i], Sign, static_cast<C>(Source[i]));
        } else if (Loops == 1) {
            for (std::size_t i = 0; i < Length; ++i) {
                const auto x = static_cast<C>(Source[i]);
                overflow |= AddTimes<C>(Target[i], -Sign, x);
                overflow |= AddTimes<C>(Target[i + 1], -Sign, x);
            }
        } else {
            for (std::size_t i = 0; i < Length; ++i) {
                const auto x = static_cast<C>(Source[i]);
                overflow |= AddTimes<C>(Target[i], Sign, x);
                overflow |= AddTimes<C>(Target[i + 1], 2 * Sign, x);
                overflow |= AddTimes<C>(Target[i + 2], Sign, x);
            }
        }
        if (overflow) throw TCoefficientOverflow(static_cast<int>(8 * sizeof(C)));
    }
}

// Target[i .. i + Loops] += d^Loops * Source[i] as AddTimesLoops with Sign 1,
// for fixed-width coefficients whose every sum the caller has bounded within
// the range of C: unchecked, each target coefficient takes its one to three
// sources at once, and the compiler adds several coefficients at a time.
template <class C, class S>
    requires std::is_same_v<C, std::int64_t> || std::is_same_v<C, TWideCoefficient>
void AddTimesLoopsWithin(C* __restrict Target, const S* __restrict Source, std::size_t Length, int Loops) {
    if (Length == 0) return;
    auto x = [&](std::size_t I) { return static_cast<C>(Source[I]); };
    if (Loops == 0) {
        for (std::size_t i = 0; i < Length; ++i) Target[i] += x(i);
    } else if (Loops == 1) {
        Target[0] -= x(0);
        for (std::size_t i = 1; i < Length; ++i) Target[i] -= x(i) + x(i - 1);
        Target[Length] -= x(Length - 1);
    } else if (Loops == 2) {
        Target[0] += x(0);
        if (Length > 1) Target[1] += x(1) + 2 * x(0);
        for (std::size_t i = 2; i < Length; ++i) Target[i] += x(i) + 2 * x(i - 1) + x(i - 2);
        Target[Length] += (Length > 1 ? x(Length - 2) : C(0)) + 2 * x(Length - 1);
        Target[Length + 1] += x(Length - 1);
    } else {
        throw std::logic_error("more than two loops closed by one crossing");
    }
}

// A polynomial in A on the exponents Low + 4i.
template <class C>
struct TStridePoly {
    std::int64_t Low = 0;
    std::vector<C> Coeffs;

    // The constant 1.
    static TStridePoly One() {
        TStridePoly p;
        p.Coeffs.assign(1, C(1));
        return p;
    }

    // Self += Sign * A^Shift * d^Loops * Other, with d = -A^2 - A^-2 and
    // Loops from 0 to 2. Other must be non-empty, and Other.Low + Shift - 2 Loops
    // must be in the class of Low when Self is not empty.
    void AddTimesLoops(const TStridePoly& Other, std::int64_t Shift, int Loops, std::int64_t Sign) {
        if (Loops < 0 || Loops > 2) throw std::logic_error("more than two loops closed by one crossing");
        const std::int64_t low = Other.Low + Shift - 2 * Loops;
        Reach(low, Other.Coeffs.size() + static_cast<std::size_t>(Loops));
        const auto start = static_cast<std::size_t>((low - Low) / 4);
        ravelon::AddTimesLoops(Coeffs.data() + start, Other.Coeffs.data(), Other.Coeffs.size(), Loops, Sign);
    }

    // Widens Coeffs with zeros to cover the exponents Low2 + 4i, i < Length.
    void Reach(std::int64_t Low2, std::size_t Length) {
        if (Coeffs.empty()) {
            Low = Low2;
            Coeffs.assign(Length, C(0));
            return;
        }
        if (ExponentClass(Low2 - Low) != 0) throw std::logic_error("polynomials of different exponent classes");
        if (Low2 < Low) {
            const auto front = static_cast<std::size_t>((Low - Low2) / 4);
            Coeffs.insert(Coeffs.begin(), front, C(0));
            Low = Low2;
        }
        const auto end = static_cast<std::size_t>((Low2 - Low) / 4) + Length;
        if (end > Coeffs.size()) Coeffs.resize(end, C(0));
    }

    // Self := Self / d, with d = -A^2 - A^-2. Throws std::logic_error when d
    // does not divide Self (the contraction divides only sums of states that
    // each hold at least one loop).
    void DivideByLoop() {
        if (Coeffs.empty()) return;
        // Self = d Q = -A^-2 (1 + A^4) Q: Self_i = -(Q_i + Q_(i-1)).
        std::vector<C> q(Coeffs.size() - 1, C(0));
        for (std::size_t i = 0; i < q.size(); ++i) {
            AddProduct(q[i], -1, Coeffs[i]);
            if (i > 0) AddProduct(q[i], -1, q[i - 1]);
        }
        C last(0);
        AddProduct(last, 1, Coeffs.back());
        if (!q.empty()) AddProduct(last, 1, q.back());
        if (!IsZero(last)) throw std::logic_error("the loop value does not divide the state sum");
        Coeffs = std::move(q);
        Low += 2;
    }
};

}  // namespace ravelon
