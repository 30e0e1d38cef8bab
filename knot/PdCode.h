// SPDX-License-Identifier: GPL-3.0-or-later
// The planar-diagram (PD) notation of a crossing code.
//
// The arcs of the diagram, that is the edges between crossings, are numbered
// 1 to 2n along the components in their direction, component after component;
// components are taken in the order of the first crossing they pass, each
// starting with the arc that enters that crossing. A crossing is written
// X[a, b, c, d]: the incoming under-arc first, then the others counter-
// clockwise as the diagram is seen on the screen (ports run clockwise, so the
// order is the under-strand's entry port and its predecessors).
// A component that meets no crossing has no place in the notation.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "knot/Knot.h"

namespace ravelon {

// A crossing code in PD notation.
struct TPdCode {
    std::vector<std::array<int, 4>> Crossings;  // X[a, b, c, d] for crossings 1 to n
    int Components = 0;                         // every component, loops without crossings included
    int LoopsLeftOut = 0;                       // components that meet no crossing
};

// The PD code of a complete crossing code (every port joined once, each edge
// from a strand's exit port to a strand's entry port). Throws
// std::invalid_argument when an arc does not run from an exit to an entry.
TPdCode MakePdCode(const TKnot& Knot);

// "PD[X[1, 5, 2, 4], ...]".
std::string PdText(const TPdCode& Pd);

}  // namespace ravelon
