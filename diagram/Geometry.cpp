// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/Geometry.h"

#include <limits>

namespace ravelon {

namespace {

constexpr TInt128 Abs(TInt128 V) { return V < 0 ? -V : V; }

// Floor of A / B for B > 0.
TInt128 FloorDiv(TInt128 A, TInt128 B) {
    TInt128 q = A / B;
    if (A % B != 0 && A < 0) --q;
    return q;
}

}  // namespace

std::int64_t SquaredDistance(TPoint P, TPoint Q) {
    const TInt128 dx = static_cast<TInt128>(P.X) - Q.X;
    const TInt128 dy = static_cast<TInt128>(P.Y) - Q.Y;
    const TInt128 d = dx * dx + dy * dy;
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    return d > most ? most : static_cast<std::int64_t>(d);
}

bool OppositeSigns(std::int64_t a, std::int64_t b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

int Sign(TInt128 V) { return V < 0 ? -1 : (V > 0 ? 1 : 0); }

TInt128 Side(TPoint From, TPoint To, TPoint Q) {
    const TInt128 ax = static_cast<TInt128>(To.X) - From.X;
    const TInt128 ay = static_cast<TInt128>(To.Y) - From.Y;
    const TInt128 bx = static_cast<TInt128>(Q.X) - From.X;
    const TInt128 by = static_cast<TInt128>(Q.Y) - From.Y;
    return ax * by - ay * bx;
}

int CompareFractions(TInt128 A, TInt128 B, TInt128 C, TInt128 D) {
    constexpr TInt128 small = static_cast<TInt128>(1) << 62;
    if (Abs(A) < small && B < small && Abs(C) < small && D < small) return Sign(A * D - C * B);
    // Large terms: compare integer parts, then the reciprocals of the
    // remainders, as in Euclid's algorithm; nothing is ever multiplied.
    int orientation = 1;
    for (;;) {
        const TInt128 qa = FloorDiv(A, B), qc = FloorDiv(C, D);
        if (qa != qc) return qa < qc ? -orientation : orientation;
        const TInt128 ra = A - qa * B, rc = C - qc * D;  // 0 <= ra < B, 0 <= rc < D
        if (ra == 0 || rc == 0) return ra == rc ? 0 : (ra == 0 ? -orientation : orientation);
        // ra/B < rc/D exactly when B/ra > D/rc.
        const TInt128 nb = B;
        A = nb;
        B = ra;
        C = D;
        D = rc;
        orientation = -orientation;
    }
}

}  // namespace ravelon
