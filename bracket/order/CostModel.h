// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of contracting along an order: the one model by which orders are
// compared, and by which their memory is estimated before any step is taken
// and again as the steps go, so that a code beyond reach is refused early.
//
// Data model: after step k of an order of width w the contraction holds at
// most one state per pairing of the w boundary ends; for a planar code whose
// taken part is a disc these are the non-crossing pairings, Catalan(w / 2) of
// them, and a code holds some share of that (StatesShare). Each state holds
// its key (w + 1 bytes), its span record, places of the hash index and its
// coefficients: a number that grows by about CoefficientsPerStep with every
// crossing taken, of 8 bytes while they fit 64 bits and of 16 bytes after.
// The bit length of the largest coefficient grows by about BitsPerStep with
// every crossing taken, and the states turn wide over the 16 bits after it
// passes 64; a wide coefficient counts twice. A step holds the table before
// it and the one it builds. The work of a step is its states times their
// coefficient words; an order is better than another when its widest
// boundary is narrower, or as narrow with less work.
#pragma once

#include <algorithm>
#include <cstddef>

#include <vector>

#include "bracket/order/Order.h"

namespace ravelon {

// The estimate before the first step may be up to about twice what a code
// needs (a closed braid's boundary holds fewer pairings than a disc's): a
// code is refused at once only when its estimate passes the bound by this
// factor.
constexpr double EstimateMargin = 2;
// Once the steps have measured the code, a projection of what the rest of
// its order holds refuses it when it passes the bound by this factor.
constexpr double ProjectionMargin = 1.25;

// What a code is expected to hold, per step, before it has been measured
// (from random drawn diagrams of 250 to 450 crossings), or as measured.
struct TCostScale {
    double StatesShare = 1;
    double CoefficientsPerStep = 0.5;
    double BitsPerStep = 0.36;
    // The bytes of one state beyond its key and coefficients: its span
    // record, two to four places of the hash index, and its pairing, hash
    // and target as the next step's source (the contraction checks it
    // against its own records).
    double BytesPerState = 72;
};

// The share of the states with 128-bit coefficients when the largest
// coefficient has Bits bits: none up to 64, all from 80 on.
constexpr double WideShare(double Bits) { return std::clamp((Bits - 64) / 16, 0.0, 1.0); }

// The states a boundary of width W can hold in a planar code, Catalan(W / 2).
double WidthStates(int W);
// The coefficient words (64 bits each) a state holds after step K.
double StepCoefficients(std::size_t K, const TCostScale& Scale = {});
// The work of every step of the order: WidthStates times StepCoefficients.
std::vector<double> StepWork(const TCrossingOrder& Order);
// The work of contracting along the order: the sum of its steps' work.
double OrderWork(const TCrossingOrder& Order);
// True when order A is better than order B: a narrower widest boundary, or
// as narrow with less work (WorkA, WorkB, their OrderWork).
bool BetterOrder(const TCrossingOrder& A, double WorkA, const TCrossingOrder& B, double WorkB);

// What contracting along an order is expected to cost.
struct TCostEstimate {
    // The most states held after one step.
    double PeakStates = 0;
    // The most bytes held at once, by the two tables of one step.
    double PeakBytes = 0;
};

// The cost of the steps from From to the end of the order.
TCostEstimate EstimateCost(const TCrossingOrder& Order, const TCostScale& Scale = {}, std::size_t From = 0);

}  // namespace ravelon
