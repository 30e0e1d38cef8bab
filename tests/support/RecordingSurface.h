// SPDX-License-Identifier: GPL-3.0-or-later
// A text surface that records what is drawn on it, with fixed font metrics:
// every byte of text is 10 pixels wide at any size, and a line of text is
// Size * 4 / 3 pixels high (24 at 18 points, 16 at 12 points).
#pragma once

#include <string>
#include <vector>

#include "arith/TextSurface.h"

namespace ravelon::testing {

class TRecordingSurface : public TTextSurface {
public:
    // One string drawn, with the font it was drawn in and its top-left corner.
    struct TDrawn {
        int X, Y;
        std::string Text;
        int Size;
        bool Bold;
    };

    void SetFontSize(int Points) override { Size = Points; }
    void SetBold(bool B) override { Bold = B; }
    int TextWidth(const std::string& Text) override { return 10 * static_cast<int>(Text.size()); }
    int TextHeight(const std::string&) override { return Size * 4 / 3; }
    void TextOut(int X, int Y, const std::string& Text) override;

    int Size = 10;
    bool Bold = false;
    std::vector<TDrawn> Drawn;
};

}  // namespace ravelon::testing
