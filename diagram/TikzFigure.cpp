// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/TikzFigure.h"

#include <charconv>
#include <cmath>

namespace ravelon {

namespace {

constexpr double PointsPerPixel = 0.75;

// V with at most two decimals and no trailing zeros, whatever the locale.
std::string Number(double V) {
    V = std::nearbyint(V * 100) / 100;
    if (V == 0) V = 0;  // no "-0"
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, V, std::chars_format::fixed, 2);
    std::string s(text, error == std::errc() ? end : text);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

std::string Coordinate(double X, double Y) { return "(" + Number(X) + "," + Number(Y) + ")"; }

std::string ColourName(std::int32_t Group) { return "ravelon" + std::to_string(ColourIndex(Group)); }

}  // namespace

std::string TikzPicture(const TFigure& Figure) {
    std::string tex = "% Ravelon: " + std::to_string(Figure.Width) + " x " + std::to_string(Figure.Height) +
                      " canvas pixels, one pixel 0.75 bp (1/96 inch)\n";
    tex += "\\begin{tikzpicture}[x=" + Number(PointsPerPixel) + "bp, y=-" + Number(PointsPerPixel) +
           "bp, line width=" + Number(LineWidth * PointsPerPixel) + "bp, line cap=round, line join=round]\n";
    for (std::int32_t group = 0; group < 3; ++group) {
        const TColour c = GroupColour(group);
        tex += "  \\definecolor{" + ColourName(group) + "}{RGB}{" + std::to_string(c.R) + "," + std::to_string(c.G) +
               "," + std::to_string(c.B) + "}\n";
    }
    tex += "  \\useasboundingbox (0,0) rectangle " + Coordinate(Figure.Width, Figure.Height) + ";\n";
    for (const TFigureLine& line : Figure.Lines) {
        if (line.Pieces.empty()) continue;
        tex += "  \\draw[" + ColourName(line.Group) + "]";
        for (const TFigurePiece& piece : line.Pieces)
            tex += " " + Coordinate(piece.From.X, piece.From.Y) + " -- " + Coordinate(piece.To.X, piece.To.Y);
        tex += ";\n";
    }
    for (const TPoint& p : Figure.Points)
        tex += "  \\fill[black] " + Coordinate(p.X, p.Y) + " circle[radius=" + Number(PointRadius * PointsPerPixel) + "bp];\n";
    tex += "\\end{tikzpicture}\n";
    return tex;
}

}  // namespace ravelon
