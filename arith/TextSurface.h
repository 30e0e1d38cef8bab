// SPDX-License-Identifier: GPL-3.0-or-later
// The small drawing surface on which polynomials typeset themselves.
//
// The core draws text only through this interface, so that it builds and runs
// without a display; the desktop program provides an implementation over its
// canvas and printer, and the tests one that records every call.
#pragma once

#include <string>

namespace ravelon {

// A surface that measures and draws single lines of text in its current font.
// Coordinates are the surface's pixels; text is UTF-8.
class TTextSurface {
public:
    virtual ~TTextSurface() = default;

    // Sets the size of the current font, in points.
    virtual void SetFontSize(int Points) = 0;
    // Sets the style of the current font: bold, or plain (not bold, italic,
    // underlined or struck out).
    virtual void SetBold(bool Bold) = 0;
    // Width and height of Text in the current font, in pixels.
    virtual int TextWidth(const std::string& Text) = 0;
    virtual int TextHeight(const std::string& Text) = 0;
    // Draws Text with its top-left corner at (X, Y).
    virtual void TextOut(int X, int Y, const std::string& Text) = 0;
};

}  // namespace ravelon
