// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of a diagram as geometry, for the figures written to files: what
// the canvas shows, as strokes and discs instead of pixels.
//
// Data model: coordinates in canvas pixels, x to the right and y downwards.
// Every line is a stroke of LineWidth pixels with round ends in its group's
// colour, cut into the pieces that lie outside its gaps: a gap is the disc of
// GapRadius pixels around a crossing where the line passes under another.
// When the direction is shown, the line's arrowhead (two short strokes from
// its middle) belongs to it and is cut by the same gaps. Lines come in their
// order, each over the ones before; the points come last, as black discs of
// PointRadius pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "diagram/Draw.h"

namespace ravelon {

constexpr int LineWidth = 2;
constexpr int GapRadius = 9;
constexpr int PointRadius = 5;

// A colour as red, green and blue from 0 to 255.
struct TColour {
    std::uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const TColour&, const TColour&) = default;
};

// The colours repeat every three groups: group Group has colour number
// ColourIndex(Group), 0 to 2, and its lines are blue, red or green.
constexpr int ColourIndex(std::int32_t Group) { return ((Group % 3) + 3) % 3; }
TColour GroupColour(std::int32_t Group);

// The crossings where line Line passes under another, in the order of the
// lines it crosses.
std::vector<TPoint> UnderCrossingsOf(const TDraw& Draw, std::int32_t Line);

// The arrowhead of the line From -> To: two strokes from the line's middle
// back to the wings, 6 pixels to each side and 6 sqrt(3) pixels back, on
// whole pixels. None for a line of no length, which has no direction.
struct TArrowhead {
    TPoint Middle, Wing1, Wing2;
};
std::optional<TArrowhead> ArrowheadOf(TPoint From, TPoint To);

// A point of a figure, where pieces may end between pixels.
struct TFigurePoint {
    double X = 0, Y = 0;
};

// One straight piece of a stroke.
struct TFigurePiece {
    TFigurePoint From, To;
};

// One line of the diagram as it is drawn: its group and its pieces, those of
// its arrowhead included.
struct TFigureLine {
    std::int32_t Group = 0;
    std::vector<TFigurePiece> Pieces;
};

// The whole picture on a canvas of Width x Height.
struct TFigure {
    int Width = 0;
    int Height = 0;
    std::vector<TFigureLine> Lines;
    std::vector<TPoint> Points;
};

// The picture of Draw on a canvas of Width x Height, with the arrowheads when
// ShowDirection is set.
TFigure FigureOf(const TDraw& Draw, bool ShowDirection, int Width, int Height);

// The parts of the piece From -> To outside every disc of radius Radius
// around the Centres, in their order along it.
std::vector<TFigurePiece> OutsideDiscs(TFigurePoint From, TFigurePoint To, const std::vector<TFigurePoint>& Centres,
                                      double Radius);

}  // namespace ravelon
