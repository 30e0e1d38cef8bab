// SPDX-License-Identifier: GPL-3.0-or-later
// How two curves on the surface of Seifert's algorithm link: the pieces of
// the count of crossings in the projection that the Seifert matrices are
// built from (classical/SeifertMatrix.h, classical/FaceSeifertMatrix.h).
//
// Data model: a curve on the surface runs through bands and disks. Through a
// band it passes at a transverse position Tau; where it meets a circle, its
// place is a key (the crossing's index along the circle, then the transverse
// position read along the circle: Tau on the circle of arc alpha, -Tau on
// that of arc beta). Inside a disk it turns in from the circle at its entry
// place, runs at its own distance from the circle to its exit place, forward
// (in the circle's direction) or backward, and turns out to the band there.
// A curve pushed off the surface to its positive side is given another
// distance and other transverse positions. Twice the linking number of a
// curve with a pushed-off one is the sum of the signed crossings of their
// projections: in the disks (DiskCrossings) and once in every band both pass
// through (BandCrossing).
#pragma once

#include <utility>

#include "classical/SeifertCircles.h"

namespace ravelon::seifert {

// A place on a circle: the index of the crossing along it, then the place
// across the band.
using TKey = std::pair<int, int>;

// A curve's way through one disk: the places where it enters and leaves,
// whether the bands there lie inside the circle, and its direction.
struct TVisit {
    TKey In, Out;
    bool InnerIn = false, InnerOut = false;
    bool Forward = true;
};

// True when X lies strictly inside the arc from P forward to Q.
inline bool InArc(const TKey& P, const TKey& Q, const TKey& X) {
    return P < Q ? (P < X && X < Q) : (X > P || X < Q);
}

// The place of a passage with transverse position Tau through crossing X on circle K.
inline TKey Place(const TSeifertCrossing& X, int K, int Tau) {
    return K == X.Alpha ? TKey{X.AlphaPlace, Tau} : TKey{X.BetaPlace, -Tau};
}
// True when the band of crossing X lies inside circle K.
inline bool Inner(const TSeifertCrossing& X, int K) { return K == X.Alpha ? X.InnerAlpha : X.InnerBeta; }

// Twice the linking number of curve A (at distance Ra) with curve B pushed
// off (at Rb), where both run through one disk of turn Kappa. A backward way
// is the forward way from its exit to its entry, walked the other way, so
// that every crossing it makes changes sign.
inline int DiskCrossings(TVisit A, int Ra, TVisit B, int Rb, int Kappa) {
    int sign = 1;
    for (TVisit* v : {&A, &B}) {
        if (v->Forward) continue;
        std::swap(v->In, v->Out);
        std::swap(v->InnerIn, v->InnerOut);
        sign = -sign;
    }
    int sum = 0;
    if (Ra < Rb) {
        if (InArc(A.In, A.Out, B.In)) sum -= 1;
        if (InArc(A.In, A.Out, B.Out)) sum += 1;
    } else {
        if (InArc(B.In, B.Out, A.In)) sum += 1;
        if (InArc(B.In, B.Out, A.Out)) sum -= 1;
    }
    if (B.InnerIn && InArc(A.In, A.Out, B.In)) sum += Kappa;
    if (B.InnerOut && InArc(A.In, A.Out, B.Out)) sum -= Kappa;
    if (A.InnerIn && InArc(B.In, B.Out, A.In)) sum += Kappa;
    if (A.InnerOut && InArc(B.In, B.Out, A.Out)) sum -= Kappa;
    return sign * sum;
}

// The crossing of two curves through the band of a crossing of sign Sign:
// both leaving the same circle (SameWay) or not.
inline int BandCrossing(int Sign, bool SameWay) { return SameWay ? -Sign : Sign; }

}  // namespace ravelon::seifert
