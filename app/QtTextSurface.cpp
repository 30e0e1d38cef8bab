// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtTextSurface.h"

#include <QFontMetrics>

namespace ravelon {

namespace {

QString FromUtf8(const std::string& Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

}  // namespace

void TQtTextSurface::SetFontSize(int Points) {
    QFont f = FPainter.font();
    f.setPointSize(Points);
    FPainter.setFont(f);
}

void TQtTextSurface::SetBold(bool Bold) {
    QFont f = FPainter.font();
    f.setBold(Bold);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    FPainter.setFont(f);
}

int TQtTextSurface::TextWidth(const std::string& Text) {
    return FPainter.fontMetrics().horizontalAdvance(FromUtf8(Text));
}

int TQtTextSurface::TextHeight(const std::string&) { return FPainter.fontMetrics().height(); }

void TQtTextSurface::TextOut(int X, int Y, const std::string& Text) {
    FPainter.drawText(X, Y + FPainter.fontMetrics().ascent(), FromUtf8(Text));
}

}  // namespace ravelon
