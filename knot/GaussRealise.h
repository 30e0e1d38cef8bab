// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a knot from its Gauss word: the crossings passed along the knot,
// each once over and once under, without the side from which the second
// strand comes.
//
// Data model: the word lists the 2n passages in order along the knot, each as
// a crossing from 0 to n - 1 and whether the knot passes over it there. For
// example the trefoil is the word (0 over, 1 under, 2 over, 0 under, 1 over,
// 2 under), the classical Gauss code "1 -2 3 -1 2 -3".
//
// Which way each crossing turns is found as follows. At its first passage p
// and its second q a crossing a cuts the curve into the loop L from p to q and
// the rest M. The crossings met once in L and once in M (those interlaced
// with a) are where M crosses L; along M the side of L flips at every such
// crossing, and along L the side on its left flips at every crossing that L
// meets twice. Counting these passages in the word gives, for every
// interlaced pair, whether the two crossings turn alike or not: a system of
// equations over GF(2), one unknown per crossing, solved by walking the graph
// of interlaced pairs and checked on every pair, in O(n^2) time. Its solution
// is unique up to turning all crossings of one connected part of that graph
// the other way; the reader takes the one in which the first crossing passed
// of every part is right-handed (TKnot::Writhe counts it +1). A prime word so
// gives its drawing or the mirror image of it (a Gauss word does not tell a
// knot from its mirror image); a composite word, whose parts could each be
// reflected on its own, gives the drawing that choice makes. The result is
// checked to lie in the plane by counting its faces.
#pragma once

#include <optional>
#include <vector>

#include "knot/Knot.h"

namespace ravelon {

// One passage of a Gauss word.
struct TGaussPassage {
    int Crossing = 0;
    bool Over = false;
};

// The crossing code of the knot drawn by Word (crossings of TKnot numbered in
// the order first passed, the under-strand of each entering at port 1), or
// nothing when the word cannot be drawn in the plane. An empty word is the
// unknot without crossings. Throws std::invalid_argument when a crossing
// 0 to n - 1 is not passed exactly once over and once under.
std::optional<TKnot> RealiseGaussWord(const std::vector<TGaussPassage>& Word);

}  // namespace ravelon
