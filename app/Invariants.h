// The three invariants the program computes, by their tag: 0 the bracket
// (letter "A"), 1 the twist number (letter "x"), 2 the Jones polynomial
// (letter "t"). Shared by the output pane and the printed page.
#pragma once

#include <array>

#include "arith/Poly.h"
#include "knot/Knot.h"

namespace ravelon {

// One invariant: its letter and its title.
struct TInvariant {
    const char* Letter;
    const char* Title;
};

inline constexpr std::array<TInvariant, 3> Invariants{{
    {"A", "ブラケット多項式"},
    {"x", "ねじり数"},
    {"t", "ジョーンズ多項式"},
}};

// P := the invariant Tag of Knot: the bracket sorted, the writhe as a
// constant, or the Jones polynomial sorted.
inline void ComputeInvariant(const TKnot& Knot, int Tag, TPoly& P) {
    switch (Tag) {
        case 0:
            Knot.Bracket(P);
            P.Sort();
            break;
        case 1: P.SetConstant(Knot.Writhe()); break;
        default:
            Knot.Jones(P);
            P.Sort();
            break;
    }
}

}  // namespace ravelon
