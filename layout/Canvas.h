// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas a drawn code is put on and the spacing of its grid, in pixels.
//
// Data model: a grid drawing W units wide and H high is drawn at a spacing of
// S pixels between grid lines, inside a margin on every side. It goes on the
// default canvas at the widest spacing that fits, at most kMaxSpacing, when
// that is at least kComfortSpacing. Otherwise the canvas grows, up to
// kMaxCanvasSide on a side, to the smallest that gives the widest spacing up
// to kComfortSpacing (the default canvas stays when growing gives no more);
// when even kMinSpacing does not fit the largest canvas, the drawing needs
// the canvas of kMinSpacing, past kMaxCanvasSide, and cannot be drawn.
#pragma once

#include <algorithm>

namespace ravelon {

constexpr int kDefaultCanvasWidth = 400;
constexpr int kDefaultCanvasHeight = 300;
constexpr int kCanvasMargin = 16;
constexpr int kMinSpacing = 16;
// Below this the dots of the points crowd the gaps of the crossings.
constexpr int kComfortSpacing = 24;
constexpr int kMaxSpacing = 40;
constexpr int kMaxCanvasSide = 999;

// The widest spacing, up to Most, at which a grid drawing W x H units fits a
// canvas of CanvasW x CanvasH pixels; 0 or more.
constexpr int SpacingOn(int W, int H, int CanvasW, int CanvasH, int Most) {
    return std::min({Most, (CanvasW - 2 * kCanvasMargin) / std::max(W, 1), (CanvasH - 2 * kCanvasMargin) / std::max(H, 1)});
}

// The widest spacing, up to Most, at which a grid drawing W x H units fits
// the default canvas; below kMinSpacing when it does not fit.
constexpr int SpacingOnDefault(int W, int H, int Most = kMaxSpacing) {
    return SpacingOn(W, H, kDefaultCanvasWidth, kDefaultCanvasHeight, Most);
}

// The spacing of a grid drawing and the canvas it goes on.
struct TCanvasFit {
    int Spacing = 0;
    int Width = 0;
    int Height = 0;
};

// The spacing and the canvas of a grid drawing W x H units, as the data
// model says; a canvas past kMaxCanvasSide for one that cannot be drawn.
constexpr TCanvasFit CanvasFor(int W, int H) {
    const int onDefault = SpacingOnDefault(W, H);
    if (onDefault >= kComfortSpacing) return {onDefault, kDefaultCanvasWidth, kDefaultCanvasHeight};
    // At least onDefault: the largest canvas holds what the default holds.
    const int grown = std::max(kMinSpacing, SpacingOn(W, H, kMaxCanvasSide, kMaxCanvasSide, kComfortSpacing));
    if (grown <= onDefault) return {onDefault, kDefaultCanvasWidth, kDefaultCanvasHeight};
    return {grown, std::max(kDefaultCanvasWidth, W * grown + 2 * kCanvasMargin),
            std::max(kDefaultCanvasHeight, H * grown + 2 * kCanvasMargin)};
}

}  // namespace ravelon
