// SPDX-License-Identifier: GPL-3.0-or-later
// The invariants the window computes, by kind: the three of the Edit menu
// (tags 0, 1 and 2 of their actions) and those of the Tools menu.
//
//   kind         letter  title                    asks from 14 crossings
//   Bracket      "A"     "ブラケット多項式"          yes (a state sum)
//   Twist        "x"     "ねじり数"                  no
//   Jones        "t"     "ジョーンズ多項式"          yes
//   Alexander    "t"     "アレキサンダー多項式"      no (polynomial time)
//   Determinant  ""      "行列式"                    no
//   Signature    ""      "符号数"                    no
//   Identify     -       "結び目の同定"              yes (needs the Jones polynomial)
//   PdCode       -       "PD コード"                 no
//
// Each is computed from the crossing code alone, on any thread: the window
// runs them on its worker thread and shows the result in its output pane.
// Shared by the output pane and the printed page.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "arith/Poly.h"
#include "bracket/Contraction.h"
#include "knot/Knot.h"
#include "knot/Progress.h"
#include "table/KnotTable.h"

namespace ravelon {

enum class TInvariantKind { Bracket, Twist, Jones, Alexander, Determinant, Signature, Identify, PdCode };

// One kind: its letter (for a polynomial), its title, and whether the
// window asks before computing it for a large code.
struct TInvariant {
    TInvariantKind Kind;
    const char* Letter;
    const char* Title;
    bool UsesBracket;
};

inline constexpr std::array<TInvariant, 8> Invariants{{
    {TInvariantKind::Bracket, "A", "ブラケット多項式", true},
    {TInvariantKind::Twist, "x", "ねじり数", false},
    {TInvariantKind::Jones, "t", "ジョーンズ多項式", true},
    {TInvariantKind::Alexander, "t", "アレキサンダー多項式", false},
    {TInvariantKind::Determinant, "", "行列式", false},
    {TInvariantKind::Signature, "", "符号数", false},
    {TInvariantKind::Identify, "", "結び目の同定", true},
    {TInvariantKind::PdCode, "", "PD コード", false},
}};

inline const TInvariant& InvariantOf(TInvariantKind Kind) { return Invariants[static_cast<std::size_t>(Kind)]; }

// What a computation gives: a polynomial (a number is a constant one), or a
// sentence; and the result as plain text and as LaTeX, for the clipboard.
struct TResult {
    TInvariantKind Kind = TInvariantKind::Bracket;
    std::optional<TPoly> Poly;
    std::string Sentence;
    std::string Text;
    std::string Latex;
};

// The bracket and the Jones polynomial of one contraction, sorted.
struct TBracketAndJones {
    TPoly Bracket;
    TPoly Jones;
};

// Both polynomials of Code. Plan, when given, is Code's, made already.
TBracketAndJones ComputeBracketAndJones(const TKnot& Code, const TBracketPlan* Plan, TProgress& Progress);

// The invariant Kind of Code. Plan, when given, is Code's; Table is needed
// for Identify only. Throws what the computation throws (TTooComplex,
// TCancelled, a code that is not complete).
TResult ComputeResult(TInvariantKind Kind, const TKnot& Code, const TBracketPlan* Plan, const TKnotTable* Table,
                      TProgress& Progress);

// Text as LaTeX prose: the characters LaTeX reads as commands escaped.
std::string LatexProse(const std::string& Text);

}  // namespace ravelon
