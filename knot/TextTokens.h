// SPDX-License-Identifier: GPL-3.0-or-later
// The tokens of a line of knot notation, shared by the readers of PD codes,
// braid words and torus knot names.
//
// Data model: a line is cut into brackets "[", "]", "(", ")", "{", "}", commas, minus
// signs, words of ASCII letters, numbers of decimal digits (a number larger
// than an int is kept as too large), and characters that no notation holds;
// white space only separates. Every token remembers the place of its first
// character, counted in characters (not bytes) from 1. For example
// "PD[(0, 1)]" gives the word "PD" at 1, "[" at 3, "(" at 4, the number 0 at
// 5, "," at 6, the number 1 at 8, ")" at 9 and "]" at 10.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ravelon {

// One token of a line.
struct TTextToken {
    // '[', ']', '(', ')', '{', '}', ',', '-', 'w' (a word), 'n' (a number), 'N' (a
    // number larger than an int) or '?' (a character no notation holds).
    char Kind = 0;
    // The token as written; a control character or a stray byte of '?' shown
    // as its byte in hexadecimal ("0x01").
    std::string Text;
    // The number of an 'n' token, else 0.
    int Value = 0;
    // Where the token starts, in characters from 1.
    std::size_t Column = 0;
};

// The tokens of Text, in order.
std::vector<TTextToken> TextTokens(const std::string& Text);

// The token as a message names it: "12 文字目の「Y」".
std::string PlaceOf(const TTextToken& Token);

}  // namespace ravelon
