// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/Perturbation.h"

#include <gmpxx.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace ravelon {

namespace {

// A polynomial c0 + c1 e + c2 e^2 in the size e of the move.
struct TEps {
    std::array<TInt128, 3> C{};
    int Order() const { return C[0] != 0 ? 0 : (C[1] != 0 ? 1 : (C[2] != 0 ? 2 : 3)); }
    int SignOf() const {
        const int k = Order();
        return k == 3 ? 0 : Sign(C[static_cast<std::size_t>(k)]);
    }
};

// The vector from A to B in the moved drawing: U + e V.
struct TMovedVector {
    TInt128 Ux, Uy, Vx, Vy;
};

TMovedVector Between(TSite A, TSite B) {
    const TInt128 ia = A.Index, ib = B.Index;
    return {TInt128{B.P.X} - A.P.X, TInt128{B.P.Y} - A.P.Y, ib - ia, (ib - ia) * (ib + ia)};
}

// The cross product P x Q of two moved vectors.
TEps Cross(const TMovedVector& P, const TMovedVector& Q) {
    return {{P.Ux * Q.Uy - P.Uy * Q.Ux, (P.Ux * Q.Vy - P.Uy * Q.Vx) + (P.Vx * Q.Uy - P.Vy * Q.Ux),
             P.Vx * Q.Vy - P.Vy * Q.Vx}};
}

// The crossing of C -> D with S -> E lies at S + (Num / Den)(E - S).
struct TParameter {
    TEps Num, Den;
};

TParameter ParameterOn(TSite S, TSite E, TSite C, TSite D) {
    const TMovedVector cd = Between(C, D);
    return {Cross(Between(S, C), cd), Cross(Between(S, E), cd)};
}

mpz_class Big(TInt128 V) {
    const bool negative = V < 0;
    const TInt128 m = negative ? -V : V;  // every value here is far below 2^126
    mpz_class r(static_cast<unsigned long>(m >> 64));
    r <<= 64;
    r += static_cast<unsigned long>(m & static_cast<TInt128>(~0UL));
    return negative ? mpz_class(-r) : r;
}

// The sign of Num1 Den2 - Num2 Den1 as a polynomial in e.
int ProductDifferenceSign(const TParameter& A, const TParameter& B) {
    std::array<mpz_class, 5> p;
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j) p[i + j] += Big(A.Num.C[i]) * Big(B.Den.C[j]) - Big(B.Num.C[i]) * Big(A.Den.C[j]);
    for (const mpz_class& c : p)
        if (c != 0) return sgn(c);
    return 0;
}

// Num / Den rounded to the nearest integer, halves to even, exactly (Den != 0).
std::int32_t RoundExact(mpz_class Num, mpz_class Den) {
    if (Den < 0) {
        Num = -Num;
        Den = -Den;
    }
    mpz_class q, r;
    mpz_fdiv_qr(q.get_mpz_t(), r.get_mpz_t(), Num.get_mpz_t(), Den.get_mpz_t());
    const int half = cmp(2 * r, Den);
    if (half > 0 || (half == 0 && mpz_odd_p(q.get_mpz_t()))) ++q;
    return static_cast<std::int32_t>(q.get_si());  // within the line's extent, so 32 bits
}

// Quotient rounded to the nearest integer, halves to even, kept within
// [Low, High].
std::int32_t RoundedQuotient(double Quotient, std::int32_t Low, std::int32_t High) {
    const double v = std::nearbyint(Quotient);
    if (!(v >= Low)) return Low;
    if (v > High) return High;
    return static_cast<std::int32_t>(v);
}

// The rounded point R of the exact crossing (X, Y), moved off the marker
// (0, 0) to whichever of its four neighbours lies nearest to (X, Y).
TPoint OffTheMarker(TPoint R, double X, double Y) {
    if (R != TPoint{}) return R;
    if (std::fabs(X) >= std::fabs(Y)) return {X < 0 ? -1 : 1, 0};
    return {0, Y < 0 ? -1 : 1};
}

}  // namespace

int MovedSide(TSite From, TSite To, TSite Q) {
    const int drawn = Sign(Side(From.P, To.P, Q.P));
    if (drawn != 0 || From.Index == To.Index || From.Index == Q.Index || To.Index == Q.Index) return drawn;
    return Cross(Between(From, To), Between(From, Q)).SignOf();
}

bool MovedLinesCross(TSite S, TSite E, TSite C, TSite D) {
    for (const TSite& a : {S, E})
        for (const TSite& b : {C, D})
            if (a.Index == b.Index) return false;
    return MovedSide(S, E, C) * MovedSide(S, E, D) < 0 && MovedSide(C, D, S) * MovedSide(C, D, E) < 0;
}

TPoint MovedCrossPoint(TSite S, TSite E, TSite C, TSite D) {
    if (!MovedLinesCross(S, E, C, D)) return {};
    const TInt128 x1 = S.P.X, y1 = S.P.Y, x2 = E.P.X, y2 = E.P.Y;
    const TInt128 x3 = C.P.X, y3 = C.P.Y, x4 = D.P.X, y4 = D.P.Y;
    const TInt128 dx12 = x1 - x2, dy12 = y1 - y2, dx34 = x3 - x4, dy34 = y3 - y4;
    const TInt128 det = dx12 * dy34 - dx34 * dy12;
    if (det != 0) {
        // The drawn lines meet in one point: their exact intersection. It lies
        // within both lines' extents; the clamp only guards against the last
        // bit of the double division.
        const TInt128 c12 = x1 * y2 - y1 * x2;
        const TInt128 c34 = x3 * y4 - y3 * x4;
        const double x = static_cast<double>(c12 * dx34 - c34 * dx12) / static_cast<double>(det);
        const double y = static_cast<double>(c12 * dy34 - c34 * dy12) / static_cast<double>(det);
        const std::int32_t lowX = std::max(std::min(S.P.X, E.P.X), std::min(C.P.X, D.P.X));
        const std::int32_t highX = std::min(std::max(S.P.X, E.P.X), std::max(C.P.X, D.P.X));
        const std::int32_t lowY = std::max(std::min(S.P.Y, E.P.Y), std::min(C.P.Y, D.P.Y));
        const std::int32_t highY = std::min(std::max(S.P.Y, E.P.Y), std::max(C.P.Y, D.P.Y));
        return OffTheMarker({RoundedQuotient(x, lowX, highX), RoundedQuotient(y, lowY, highY)}, x, y);
    }
    // The drawn lines lie along each other (or one has length zero): the moved
    // crossing tends to S + t0 (E - S), t0 the ratio of the leading terms.
    if (S.P == E.P) return OffTheMarker(S.P, S.P.X, S.P.Y);
    const TParameter t = ParameterOn(S, E, C, D);
    const std::size_t k = static_cast<std::size_t>(t.Den.Order());  // not 3: the moved lines cross
    const mpz_class num = Big(t.Num.C[k]), den = Big(t.Den.C[k]);
    const mpz_class nx = Big(x1) * den + Big(x2 - x1) * num;
    const mpz_class ny = Big(y1) * den + Big(y2 - y1) * num;
    mpq_class x(nx, den), y(ny, den);
    x.canonicalize();
    y.canonicalize();
    return OffTheMarker({RoundExact(nx, den), RoundExact(ny, den)}, x.get_d(), y.get_d());
}

int CompareAlong(TSite S, TSite E, TSite C1, TSite D1, TSite C2, TSite D2) {
    // In general position the drawn crossings decide.
    auto drawn = [&](TSite C, TSite D, TInt128& Num, TInt128& Den) {
        const TInt128 dx = TInt128{D.P.X} - C.P.X, dy = TInt128{D.P.Y} - C.P.Y;
        Num = (TInt128{C.P.X} - S.P.X) * dy - (TInt128{C.P.Y} - S.P.Y) * dx;
        Den = (TInt128{E.P.X} - S.P.X) * dy - (TInt128{E.P.Y} - S.P.Y) * dx;
        if (Den < 0) {
            Num = -Num;
            Den = -Den;
        }
    };
    TInt128 na = 0, da = 0, nb = 0, db = 0;
    drawn(C1, D1, na, da);
    drawn(C2, D2, nb, db);
    if (da != 0 && db != 0) {
        const int c = CompareFractions(na, da, nb, db);
        if (c != 0) return c;
    }
    const TParameter a = ParameterOn(S, E, C1, D1);
    const TParameter b = ParameterOn(S, E, C2, D2);
    return ProductDifferenceSign(a, b) * a.Den.SignOf() * b.Den.SignOf();
}

bool LinesCross(TPoint P1, TPoint P2, TPoint P3, TPoint P4) {
    return MovedLinesCross({P1, 0}, {P2, 1}, {P3, 2}, {P4, 3});
}

TPoint CrossPoint(TPoint P1, TPoint P2, TPoint P3, TPoint P4) {
    return MovedCrossPoint({P1, 0}, {P2, 1}, {P3, 2}, {P4, 3});
}

}  // namespace ravelon
