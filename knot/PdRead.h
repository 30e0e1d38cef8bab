// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PD codes: the crossing code whose PD code (MakePdCode) is the one read.
//
// Data model: a line holds one code, as "X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]",
// with or without commas between the crossings, inside "PD[...]", with spaces
// anywhere, as "[[1,5,2,4],[3,1,4,6],[5,3,6,2]]", or as a list of tuples
// "[(0, 4, 1, 3), (2, 0, 3, 5), (4, 2, 5, 1)]" (the same trefoil labelled
// from 0). Each crossing lists its four arc labels from the incoming
// under-arc counter-clockwise; every label names one arc and appears exactly
// twice (twice in one crossing for a curl). The labels need not be
// consecutive nor start anywhere: only their order counts, below. The
// two-label crossing X[a,a] is a closed loop without crossings (the table's
// unknot). Crossing k of the code is crossing k of TKnot: the under-strand
// enters at port 1 and the labels b, c, d lie at ports 4, 3 and 2 (ports run
// clockwise). Where the over-strand enters follows from the under-strands
// through the arcs; on a component that passes only over, the labels decide:
// from b to d when d is the next label in increasing order after b, or when b
// is the larger and d is not the next label after it.
//
// A code whose crossings list their labels clockwise is read with the option
// Clockwise: X[a,b,c,d] is then read as X[a,d,c,b], so that the clockwise
// code of a diagram gives the same knot as its counter-clockwise code without
// the option. Read without it, a clockwise code gives the mirror image: the
// trefoil above written clockwise, "X[1,4,2,5] X[3,6,4,1] X[5,2,6,3]", is
// read as the trefoil of writhe -3, and with Clockwise as that of writhe 3.
#pragma once

#include <stdexcept>
#include <string>

#include "knot/Knot.h"

namespace ravelon {

// A PD code that cannot be read; the message is Japanese and names no line.
class TPdError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How the labels of a crossing run around it.
struct TPdOptions {
    // The labels run clockwise from the incoming under-arc.
    bool Clockwise = false;
};

// The crossing code of the PD code in Text. Throws TPdError for text that is
// not a PD code, a crossing without four labels, a label that does not appear
// exactly twice, an orientation the labels contradict, or a code that cannot
// be drawn in the plane.
TKnot ReadPdCode(const std::string& Text, const TPdOptions& Options = {});

}  // namespace ravelon
