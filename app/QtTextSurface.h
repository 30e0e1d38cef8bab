// SPDX-License-Identifier: GPL-3.0-or-later
// The text surface of the core over a QPainter: polynomials typeset
// themselves through it on the screen, on images and on the printer.
#pragma once

#include <QFont>
#include <QPainter>

#include "arith/TextSurface.h"

namespace ravelon {

// Measures and draws text with Painter, in Painter's font family at the
// size and weight the typesetting asks for. The painter's font is changed.
class TQtTextSurface : public TTextSurface {
public:
    explicit TQtTextSurface(QPainter& Painter) : FPainter(Painter) {}

    void SetFontSize(int Points) override;
    void SetBold(bool Bold) override;
    int TextWidth(const std::string& Text) override;
    int TextHeight(const std::string& Text) override;
    void TextOut(int X, int Y, const std::string& Text) override;

private:
    QPainter& FPainter;
};

}  // namespace ravelon
