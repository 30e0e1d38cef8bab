// SPDX-License-Identifier: GPL-3.0-or-later
// The example diagrams shipped in examples/: well-known knots and links drawn
// as closed polygons with the editing operations of the diagram, exactly as a
// user could have drawn them on the canvas.
//
// Most are closed braids: the strands run down the canvas, each generator of
// the braid word crosses two neighbouring strands in a row of its own, and
// every strand returns to the top around the right-hand side on a path of its
// own, so that the closing paths never cross. The over/under of each crossing
// is set so that its sign (right-hand rule as seen on the screen) is the sign
// of its generator.
#pragma once

#include <string>
#include <vector>

#include "diagram/Draw.h"

namespace ravelon::examples {

// One example file: its name, the diagram and the canvas it is drawn on.
struct TExample {
    std::string FileName;     // e.g. "trefoil-right.rvd"
    std::string Description;  // what the diagram shows
    TDraw Draw;
    int Width = 0;
    int Height = 0;
};

// The closure of a braid word (generators +i / -i on Strands strands).
TExample BraidExample(const std::string& FileName, const std::string& Description, int Strands,
                      const std::vector<int>& Word);

// Every example, in a fixed order.
std::vector<TExample> AllExamples();

}  // namespace ravelon::examples
