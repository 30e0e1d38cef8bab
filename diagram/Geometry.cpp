#include "diagram/Geometry.h"

#include <algorithm>
#include <cmath>
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

// Num / Den rounded to the nearest integer, halves to even, kept within
// [Low, High]. The division is done in double precision.
std::int32_t RoundedQuotient(TInt128 Num, TInt128 Den, std::int32_t Low, std::int32_t High) {
    const double v = std::nearbyint(static_cast<double>(Num) / static_cast<double>(Den));
    if (!(v >= Low)) return Low;
    if (v > High) return High;
    return static_cast<std::int32_t>(v);
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

bool LinesCross(TPoint P1, TPoint P2, TPoint P3, TPoint P4) {
    return OppositeSigns(Sign(Side(P1, P2, P3)), Sign(Side(P1, P2, P4))) &&
           OppositeSigns(Sign(Side(P3, P4, P1)), Sign(Side(P3, P4, P2)));
}

TPoint CrossPoint(TPoint P1, TPoint P2, TPoint P3, TPoint P4) {
    if (!LinesCross(P1, P2, P3, P4)) return {};
    const TInt128 x1 = P1.X, y1 = P1.Y, x2 = P2.X, y2 = P2.Y;
    const TInt128 x3 = P3.X, y3 = P3.Y, x4 = P4.X, y4 = P4.Y;
    const TInt128 dx12 = x1 - x2, dy12 = y1 - y2, dx34 = x3 - x4, dy34 = y3 - y4;
    const TInt128 det = dx12 * dy34 - dx34 * dy12;
    if (det == 0) return {};  // parallel; a proper crossing never gets here
    const TInt128 c12 = x1 * y2 - y1 * x2;
    const TInt128 c34 = x3 * y4 - y3 * x4;
    // The crossing lies within both lines, hence within their bounding boxes;
    // the clamp only guards against the last bit of the double division.
    const std::int32_t lowX = std::max(std::min(P1.X, P2.X), std::min(P3.X, P4.X));
    const std::int32_t highX = std::min(std::max(P1.X, P2.X), std::max(P3.X, P4.X));
    const std::int32_t lowY = std::max(std::min(P1.Y, P2.Y), std::min(P3.Y, P4.Y));
    const std::int32_t highY = std::min(std::max(P1.Y, P2.Y), std::max(P3.Y, P4.Y));
    return {RoundedQuotient(c12 * dx34 - c34 * dx12, det, lowX, highX),
            RoundedQuotient(c12 * dy34 - c34 * dy12, det, lowY, highY)};
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
