// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the diagram tests: diagrams built only with the editing
// operations, and checks of crossing codes that do not use the code's walk.
#pragma once

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "diagram/Draw.h"
#include "knot/Knot.h"
#include "tests/support/PolyTerms.h"

namespace ravelon::testing {

// Draws the closed polygon Points as a new group (BeginGroup, ExtendGroup...,
// CloseGroup).
void DrawPolygon(TDraw& D, const std::vector<TPoint>& Points);

// Options of a random diagram.
struct TRandomShape {
    int Groups = 1;          // closed groups, 1 to 3
    int MinPoints = 3;       // points per group
    int MaxPoints = 8;
    int Canvas = 999;        // coordinates 0 .. Canvas - 1
    bool TriplePoint = false;  // add a group whose lines meet in one lattice point
};

// A random diagram of closed polygons with random over/under (SwapCrossing).
TDraw RandomDiagram(std::mt19937& Rng, const TRandomShape& Shape);

// Empty when every port of every crossing is the end of exactly one edge and
// every edge end names a port of an existing crossing or is (0, 0); otherwise
// a description of the first fault.
std::string CompletenessFault(const TKnot& Knot);

// The crossings MakeKnot should count: pairs (a, b), a < b, of lines of closed
// groups whose stored crossing point is not (0, 0).
std::vector<std::pair<int, int>> CountedCrossings(const TDraw& D);

// The non-zero terms of the Jones polynomial of D's crossing code.
using TTerms = TTermMap;
TTerms JonesOf(const TDraw& D);

}  // namespace ravelon::testing
