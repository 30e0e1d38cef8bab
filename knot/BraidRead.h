// SPDX-License-Identifier: GPL-3.0-or-later
// Reading braid words: the closure (knot/BraidClosure.h) of the braid read.
//
// Data model: a line holds one braid word, either as integers (Tietze's
// notation: i is sigma_i, -i its inverse) separated by spaces or commas, or
// as letters (a is sigma_1, b sigma_2 and so on to z, a capital letter the
// inverse), optionally inside "[...]" or "{...}". For example "1 -2 1 -2",
// "[1, -2, 1, -2]", "{1,-2,1,-2}" and "aBaB" are one braid on three strands,
// whose closure is the figure-eight knot 4_1; "1 1 1" and "aaa" close to the
// trefoil of writhe 3, the table's 3_1. Integers and letters do not mix in
// one word. The braid has as many strands as given, or else the largest
// generator plus one; a strand that no generator touches closes into an
// unknotted circle apart from the rest (so "1 1 1" on 4 strands is the
// trefoil and one circle). Generators go up to MaxBraidGenerator.
#pragma once

#include <stdexcept>
#include <string>

#include "knot/Knot.h"

namespace ravelon {

// The largest generator a braid word may name: the braid has at most one
// strand more.
inline constexpr int MaxBraidGenerator = 999;

// A braid word or torus knot name that cannot be read; the message is
// Japanese, names no line, and names the place of the fault when there is one.
class TBraidError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The crossing code of the closure of the braid word in Text on Strands
// strands, or on the largest generator plus one when Strands is 0. Throws
// TBraidError for text that is not a braid word, an empty word, the
// generator 0, a generator larger than MaxBraidGenerator, or a Strands that
// is negative or too small for a generator of the word.
TKnot ReadBraidWord(const std::string& Text, int Strands = 0);

}  // namespace ravelon
