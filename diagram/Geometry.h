// SPDX-License-Identifier: GPL-3.0-or-later
// Plane geometry of the diagram: points in canvas pixels and the exact tests
// that decide whether two straight lines cross and where.
//
// Data model: a point is two 32-bit signed integers X, Y; the origin is the
// canvas's top-left corner, X grows to the right and Y downwards. The point
// (0, 0) stands for "no crossing" wherever crossings are stored; any other
// stored point is a crossing, wherever it lies.
//
// All sides and products are formed exactly in 128-bit integers, so points far
// outside the canvas (the mouse is captured while a button is held, and files
// may hold any 32-bit value) give the true answer; only the two divisions that
// produce a crossing point are done in floating point.
#pragma once

#include <compare>
#include <cstdint>

namespace ravelon {

__extension__ typedef __int128 TInt128;

// A point of the canvas, in pixels.
struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// True when a stored crossing point is a crossing: anything but (0, 0).
constexpr bool IsCrossing(TPoint P) { return P.X != 0 || P.Y != 0; }

// (P.X - Q.X)^2 + (P.Y - Q.Y)^2, exact up to INT64_MAX; larger values (points
// more than about three billion pixels apart) give INT64_MAX.
std::int64_t SquaredDistance(TPoint P, TPoint Q);

// True when one of a, b is strictly negative and the other strictly positive.
bool OppositeSigns(std::int64_t a, std::int64_t b);

// -1, 0 or +1: the sign of V.
int Sign(TInt128 V);

// The side of Q relative to the directed line From -> To: the cross product
// (To - From) x (Q - From). Negative when Q lies to the left of the direction
// of travel as seen on the canvas (Y down), positive to the right.
TInt128 Side(TPoint From, TPoint To, TPoint Q);


// Compares the fractions A/B and C/D exactly (B > 0, D > 0): negative, zero or
// positive as A/B is less than, equal to or greater than C/D.
int CompareFractions(TInt128 A, TInt128 B, TInt128 C, TInt128 D);

}  // namespace ravelon
