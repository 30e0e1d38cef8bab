// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PD codes: the crossing code whose PD code (MakePdCode) is the one read.
//
// Data model: a line holds one code, as "X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]",
// with or without commas between the crossings, inside "PD[...]", with spaces
// anywhere, or as "[[1,5,2,4],[3,1,4,6],[5,3,6,2]]". Each crossing lists its
// four arc labels from the incoming under-arc counter-clockwise; every label
// names one arc and appears exactly twice (twice in one crossing for a curl).
// The two-label crossing X[a,a] is a closed loop without crossings (the
// table's unknot). Crossing k of the code is crossing k of TKnot: the
// under-strand enters at port 1 and the labels b, c, d lie at ports 4, 3 and
// 2 (ports run clockwise). Where the over-strand enters follows from the
// under-strands through the arcs; on a component that passes only over, the
// labels decide: from b to d when d = b + 1 or when b is the larger and not
// d - 1.
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

// The crossing code of the PD code in Text. Throws TPdError for text that is
// not a PD code, a crossing without four labels, a label that does not appear
// exactly twice, an orientation the labels contradict, or a code that cannot
// be drawn in the plane.
TKnot ReadPdCode(const std::string& Text);

}  // namespace ravelon
