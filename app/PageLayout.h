// SPDX-License-Identifier: GPL-3.0-or-later
// The printed page's layout: one page with the caption and the date at the
// top, the diagram at 100 canvas pixels to the inch centred across the page,
// and below it the bracket, the twist number and the Jones polynomial.
//
// All positions are in printer pixels, from the printer's resolution:
//   Margin  dpiX / 2    left and right margin, half an inch
//   Top     dpiY / 2    top margin
//   Unit    dpiY / 10   the spacing unit, a tenth of an inch
//   the diagram         canvas width * dpiX / 100 by height * dpiY / 100,
//                       rounded to the nearest, halves to even
// Divisions by 2 and 10 truncate toward zero.
#pragma once

#include <QDate>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

namespace ravelon {

// Where the parts of a page go. PageLayout fills the first five; painting
// the page fills the rest, which depend on the fonts' heights.
struct TPageLayout {
    int Margin = 0;
    int Top = 0;
    int Unit = 0;
    int PageWidth = 0;
    QSize PictureSize;

    QPoint CaptionAt;                 // top-left corner of the caption line
    QRect DateRect;                   // the date, ending at the right margin
    QRect PictureRect;                // the diagram
    std::array<int, 3> HeadingTops{};  // bracket, twist number, Jones polynomial
    int Bottom = 0;                   // below the last polynomial
};

// The values of the table above for a printer of DpiX x DpiY pixels per inch
// whose printable width is PageWidth, and a canvas of CanvasWidth x
// CanvasHeight pixels.
TPageLayout PageLayout(int DpiX, int DpiY, int PageWidth, int CanvasWidth, int CanvasHeight);

// The date line: 2026年12月8日(火), without leading zeros, with the Japanese
// abbreviated weekday.
QString PrintDate(const QDate& Day);

}  // namespace ravelon
