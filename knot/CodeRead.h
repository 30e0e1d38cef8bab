// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a code in any of the notations of the field, the notation named by
// a prefix or found from the text.
//
// Data model: a line holds one code, optionally after the name of its
// notation and a colon, in any letter case, as SnapPy writes "DT: ...":
//   PD:     a PD code in any form knot/PdRead.h reads ("X[1,5,2,4] ...",
//           tuples from 0), clockwise with the option of TPdOptions;
//   DT:     a DT code, numeric ("4 6 2") or alphabetical ("cacbca");
//   Gauss:  a Gauss code, classical ("-1 2 -3 1 -2 3") or oriented
//           ("O1+U2+O3+U1+O2+U3+", Regina's "+>1 -<2 ...");
//   braid:  a braid word, Tietze integers ("1 -2 1 -2") or letters ("aBaB");
//   torus:  a torus knot or link by name ("T(3, 4)").
// Without a prefix (and without a notation given by the caller) the text
// decides where it can: "X[" or "PD[" or tuples "(a, b, c, d)" or lists of
// four numbers are PD; "T(" is a torus name; O/U passages or the signs + < >
// make an oriented Gauss code; a list of whole numbers is a DT code when its
// magnitudes are the even numbers 2, 4, ..., 2n, a classical Gauss code when
// each magnitude stands twice, once with either sign, and a braid word
// otherwise. Letters alone are a braid word or an alphabetical DT code alike:
// such a line needs its prefix or the caller's notation, and the message says
// so. For example "4 6 2" and "DT: 4 6 2" are the trefoil's DT code, "1 1 1"
// and "braid: aaa" its braid word, and "aaa" alone is refused.
#pragma once

#include <stdexcept>
#include <string>

#include "knot/Knot.h"
#include "knot/PdRead.h"

namespace ravelon {

// The notations of a code.
enum class TCodeFormat { Auto, Pd, Dt, Gauss, Braid, Torus };

// A line that names no notation the program reads, or whose notation the
// text does not decide; the message is Japanese.
class TCodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The notation called Name ("pd", "DT", "gauss", "braid", "torus", in any
// letter case); Auto for a name none has.
TCodeFormat CodeFormatNamed(const std::string& Name);
// The notation's name as the prefix writes it ("PD", "DT", "Gauss", "braid",
// "torus"), and as a message names it ("PD コード", "DT コード", ...).
const char* CodeFormatName(TCodeFormat Format);
const char* CodeFormatTitle(TCodeFormat Format);

// A code read, and the notation it was read in.
struct TCodeRead {
    TKnot Knot;
    TCodeFormat Format = TCodeFormat::Auto;
};

// The code of Line in the notation of its prefix, else Format, else the one
// its text decides. Throws TCodeError, or the reader's error for a code that
// is not one of its notation.
TCodeRead ReadCode(const std::string& Line, TCodeFormat Format = TCodeFormat::Auto, const TPdOptions& Pd = {});

}  // namespace ravelon
