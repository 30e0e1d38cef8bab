// SPDX-License-Identifier: GPL-3.0-or-later
// Reading oriented Gauss codes: the crossing code whose components pass the
// crossings as the code says.
//
// Data model: a line holds one code (knot/GaussCode.h), each passage of a
// crossing in one of two forms, which may mix:
// - the O/U form, "O1-" or "u12+": O or U (over or under, either case), the
//   crossing's number, and its sign, + when TKnot::Writhe counts it +1;
// - Regina's form, "+>1" or "-<12": + or - for passing over or under, then >
//   when the other strand crosses from left to right as seen along the
//   passing strand, < when from right to left, then the crossing's number.
//   Passing over with > or under with < is a crossing of sign -1, the other
//   two +1. Regina's left-hand trefoil "+>1 -<2 +>3 -<1 +>2 -<3" is so the
//   trefoil of writhe -3, the same as "O1-U2-O3-U1-O2-U3-".
// Spaces and commas between the passages are optional. A knot is its passages
// alone or in brackets; the components of a link are either each in brackets
// ("[...]", "(...)" or "{...}"), with or without commas between them and the
// whole optionally in one more pair, or separated by "|" or ";". For example
// "[O1+U2+], [U1+O2+]", "[[O1+U2+] [U1+O2+]]" and "O1+U2+ | U1+O2+" are all
// the Hopf link of linking number 1. An empty component "[]" is a circle
// that meets no crossing. The numbers of the crossings need not be
// consecutive nor start anywhere; TKnot numbers them in the order they are
// first passed. Crossing k of TKnot has the under-strand entering at port 1,
// and the over-strand entering at port 2 when its sign is + and at port 4
// when it is -.
#pragma once

#include <stdexcept>
#include <string>

#include "knot/Knot.h"

namespace ravelon {

// An oriented Gauss code that cannot be read; the message is Japanese, names
// no line, and names the place of the fault when there is one.
class TGaussError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The crossing code of the oriented Gauss code in Text. Throws TGaussError for
// text that is not such a code (naming the first token out of place), a
// crossing not passed exactly twice, once over and once under, with the same
// sign both times, or a code that cannot be drawn in the plane.
TKnot ReadOrientedGauss(const std::string& Text);

}  // namespace ravelon
