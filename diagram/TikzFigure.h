// SPDX-License-Identifier: GPL-3.0-or-later
// A figure as TikZ, for papers: one tikzpicture to \input into a LaTeX
// document that loads the tikz package.
//
// The picture's unit is the canvas pixel, 0.75 bp (1/96 inch, as in the SVG
// and PDF figures), with y downwards as on the canvas; its bounding box is
// the canvas. Every line is one \draw in its group's colour (colours named
// ravelon0, ravelon1, ravelon2 for blue, red and green), its gaps breaks of
// the path and its arrowhead part of it; every point a black disc.
#pragma once

#include <string>

#include "diagram/Figure.h"

namespace ravelon {

std::string TikzPicture(const TFigure& Figure);

}  // namespace ravelon
