// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas a drawn code is put on and the spacing of its grid, in pixels.
//
// Data model: a grid drawing W units wide and H high is drawn at a spacing of
// S pixels between grid lines, inside a margin on every side. It goes on the
// default canvas at the widest spacing that fits, at most kMaxSpacing; when
// even kMinSpacing does not fit, at kMinSpacing on the smallest canvas that
// holds it (never smaller than the default), at most kMaxSide on a side.
#pragma once

#include <algorithm>

namespace ravelon {

constexpr int kDefaultCanvasWidth = 400;
constexpr int kDefaultCanvasHeight = 300;
constexpr int kCanvasMargin = 16;
constexpr int kMinSpacing = 16;
constexpr int kMaxSpacing = 40;
constexpr int kMaxCanvasSide = 999;

// The widest spacing, up to Most, at which a grid drawing W x H units fits
// the default canvas; below kMinSpacing when it does not fit.
constexpr int SpacingOnDefault(int W, int H, int Most = kMaxSpacing) {
    return std::min({Most, (kDefaultCanvasWidth - 2 * kCanvasMargin) / std::max(W, 1),
                     (kDefaultCanvasHeight - 2 * kCanvasMargin) / std::max(H, 1)});
}

}  // namespace ravelon
