// SPDX-License-Identifier: GPL-3.0-or-later
// Crossing codes of closed braids, for tests and benchmarks.
//
// A braid word on k strands lists its generators: +i crosses the strands at
// positions i and i + 1 (1-based) positively, -i negatively. Its closure is a
// planar diagram, so the code built here is always complete: every port of
// every crossing is joined exactly once, and a strand position that no
// generator touches closes into a loop of its own.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "knot/Knot.h"

namespace ravelon::testing {

// The crossing code of the closure of Word on Strands strands. The strands run
// down the screen; at every crossing the strand from the upper left enters at
// port 1 and leaves at port 3, the strand from the upper right enters at port 2
// and leaves at port 4 (ports clockwise as seen on the screen).
TKnot BraidClosure(int Strands, const std::vector<int>& Word);

// A random braid word of Length generators on Strands strands (Strands >= 2).
std::vector<int> RandomBraidWord(std::mt19937& Rng, int Strands, int Length);

// The code of the (2, n) torus knot or link: the closure of sigma_1^n.
TKnot TorusTwo(int n);

// The code with the given crossings 1 to n and edges 1 to m.
TKnot MakeCode(const std::vector<TCrossing>& Crossings, const std::vector<TEdge>& Edges);

}  // namespace ravelon::testing
