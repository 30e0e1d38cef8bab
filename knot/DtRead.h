// SPDX-License-Identifier: GPL-3.0-or-later
// Reading DT (Dowker-Thistlethwaite) codes of knots.
//
// Data model: the passages of the knot are labelled 1 to 2n in order along
// it; every crossing gets one odd and one even label, and the code lists the
// even label paired with 1, 3, 5, ... in turn. A positive even number means
// the knot passes over the crossing at the odd label and under it at the
// even one, a negative number the other way round, so an alternating diagram
// is all positive. For example the trefoil is "4 6 2" (1 with 4, 3 with 6,
// 5 with 2), also written "[4, 6, 2]" or with commas alone. The letter form
// of the tables writes each even number as a letter, a = 2, b = 4, ...,
// z = 52, a capital for a negative number: the trefoil is "bca". The form
// with a head, the crossings, the components and the crossings of each
// component before the letters, is read too: "cacbca" is the trefoil. "[]"
// is the unknot. Only knots are read: a code of a link is refused.
//
// The code does not say which way the strands cross, nor, therefore, a knot
// from its mirror image: the diagram is drawn as knot/GaussRealise.h says,
// the crossing at label 1 right-handed.
#pragma once

#include <stdexcept>
#include <string>

#include "knot/Knot.h"

namespace ravelon {

// A DT code that cannot be read; the message is Japanese and names the place
// of the fault when there is one.
class TDtError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The crossing code drawn from the DT code in Text (crossings of TKnot
// numbered in the order first passed from label 1). Throws TDtError for text
// that is not such a code (naming the first token out of place), a number
// that is odd, 0, larger than twice the crossings or written twice, the code
// of a link, or a code that cannot be drawn in the plane.
TKnot ReadDtCode(const std::string& Text);

}  // namespace ravelon
