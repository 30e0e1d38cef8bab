// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry point: arbitrary bytes as a knot data file. A file the loader
// accepts must give a complete crossing code (every port of every crossing the
// end of exactly one edge) that is planar (Euler characteristic 2 for every
// connected part), whose writhe and, for small codes, Jones polynomial can be
// computed, with whole exponents for one curve; a file it refuses must leave
// the diagram as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "diagram/Draw.h"
#include "diagram/FileError.h"
#include "knot/Knot.h"
#include "fuzz/CodeChecks.h"
#include "tests/support/Planarity.h"

using ravelon::fuzz::Check;
using ravelon::fuzz::CheckComplete;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    std::istringstream file(std::string(reinterpret_cast<const char*>(Data), Size));
    ravelon::TDraw draw;
    draw.BeginGroup({5, 5});  // something to keep when the load fails
    const ravelon::TDraw before = draw;
    int width = -1, height = -1;
    try {
        draw.LoadFromStream(file, width, height);
    } catch (const ravelon::TFileError&) {
        Check(draw == before && width == -1 && height == -1);
        return 0;
    }
    ravelon::TKnot knot;
    draw.MakeKnot(knot);
    CheckComplete(knot);
    Check(ravelon::testing::PlanarityFault(knot).empty());
    (void)knot.Writhe();
    if (knot.FCrossingCount() < 12) {
        ravelon::TPoly jones(0);
        knot.Jones(jones);
        if (draw.FGroupCount == 1)
            for (const ravelon::TTerm& t : jones.FTerms) Check(t.Coefficient == 0 || t.Exponent.Num % t.Exponent.Den == 0);
    }
    // Saving and reading back gives the same diagram.
    ravelon::TDraw again;
    again.LoadFromText(ravelon::KnotFileText(draw, width, height), width, height);
    Check(again == draw);
    return 0;
}
