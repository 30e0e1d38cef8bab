// SPDX-License-Identifier: GPL-3.0-or-later
// The knot data file: a text dump of the diagram in fields of 5 characters,
// and saving it.
//
// Layout: canvas width and height; an empty line; the point, line and closed
// group counts; an empty line; X, Y, group of every point; an empty line;
// start, end, group of every line; an empty line; the over/under matrix
// transposed (row r holds 1 or 0 for FOver[c][r], c = 0 ... L-1); an empty
// line; the crossing matrix transposed (row r holds X and Y of FCross[c][r]).
// Every line ends with CR LF. A number needing 5 or more characters is written
// after one space so that it never runs into the number before it.
// It is saved as every text file is (diagram/TextFile.h).

#include <cstddef>
#include <string>

#include "diagram/Draw.h"
#include "diagram/FileError.h"
#include "diagram/TextFile.h"

namespace ravelon {

namespace {

void AppendField(std::string& Out, std::int32_t V) {
    const std::string s = std::to_string(V);
    Out.append(s.size() >= 5 ? 1 : 5 - s.size(), ' ');
    Out += s;
}

}  // namespace

std::string KnotFileText(const TDraw& D, int Width, int Height) {
    const std::size_t l = D.FLines.size();
    std::string out;
    out.reserve(64 + 15 * (D.FPoints.size() + l) + 15 * l * l);
    const char* const eol = "\r\n";
    AppendField(out, Width);
    AppendField(out, Height);
    out += eol;
    out += eol;
    AppendField(out, D.FPointCount());
    AppendField(out, D.FLineCount());
    AppendField(out, D.FGroupCount);
    out += eol;
    out += eol;
    for (const TDrawPoint& p : D.FPoints) {
        AppendField(out, p.X);
        AppendField(out, p.Y);
        AppendField(out, p.Group);
        out += eol;
    }
    out += eol;
    for (const TDrawLine& line : D.FLines) {
        AppendField(out, line.StartIndex);
        AppendField(out, line.EndIndex);
        AppendField(out, line.Group);
        out += eol;
    }
    out += eol;
    for (std::size_t r = 0; r < l; ++r) {
        for (std::size_t c = 0; c < l; ++c) AppendField(out, D.FOver[c][r] ? 1 : 0);
        out += eol;
    }
    out += eol;
    for (std::size_t r = 0; r < l; ++r) {
        for (std::size_t c = 0; c < l; ++c) {
            AppendField(out, D.FCross[c][r].X);
            AppendField(out, D.FCross[c][r].Y);
        }
        out += eol;
    }
    return out;
}

void TDraw::SaveToFile(const std::string& FileName, int Width, int Height) const {
    SaveTextToFile(FileName, KnotFileText(*this, Width, Height));
}

}  // namespace ravelon
