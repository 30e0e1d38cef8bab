// SPDX-License-Identifier: GPL-3.0-or-later
// A list of signed whole numbers, the shape shared by DT codes and classical
// Gauss codes.
//
// Data model: numbers, each with an optional minus sign, separated by spaces
// or commas, the whole optionally in one pair of brackets ("[...]", "(...)"
// or "{...}"). For example "[4, -6, 2]" gives 4 at 2, -6 at 5 and 2 at 9,
// each with the place of its first character. "[]" is the empty list. A
// second list (a link) is refused: only knots are read this way.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "knot/TextTokens.h"

namespace ravelon {

// One number of the list, as written.
struct TListedNumber {
    int Value = 0;
    TTextToken Token;
};

// A list that cannot be read; the message is Japanese and names the place of
// the fault when there is one.
class TNumberListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The numbers of Tokens (at least one token), Name being the notation's name
// for the messages ("DT コード"). Throws TNumberListError naming the first
// token out of place, a number larger than an int, or a second list.
std::vector<TListedNumber> NumberList(const std::vector<TTextToken>& Tokens, const std::string& Name);

}  // namespace ravelon
