// SPDX-License-Identifier: GPL-3.0-or-later
// The few pieces of JSON the calculator writes.
#pragma once

#include <string>

#include "arith/Poly.h"

namespace ravelon {

// Text as a JSON string literal, quotes included. Bytes that are not valid
// UTF-8 become U+FFFD, so the output is always valid JSON.
std::string JsonString(const std::string& Text);

// {"text": "...", "terms": [[num, den, coefficient], ...]} for P in VarName:
// non-zero terms by descending exponent, coefficients as exact integers.
std::string JsonPoly(const TPoly& P, const std::string& VarName);

}  // namespace ravelon
