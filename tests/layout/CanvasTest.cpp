// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas and the spacing of a drawn code: the widest spacing the rules
// allow, found apart by trying every spacing and every canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

#include "layout/Canvas.h"
#include "layout/DrawCode.h"
#include "tests/layout/LayoutCheck.h"
#include "tests/support/BraidCode.h"

namespace ravelon {
namespace {

// Whether a grid drawing W x H units at spacing S fits a canvas CW x CH.
bool Fits(int W, int H, int S, int CW, int CH) { return W * S + 32 <= CW && H * S + 32 <= CH; }

// The fit by trial: the widest spacing up to 40 on the default canvas, or up
// to 24 on any canvas up to 999 x 999, at least 16; the smallest canvas for it.
TCanvasFit FitByTrial(int W, int H) {
    for (int s = 40; s >= 16; --s) {
        if (Fits(W, H, s, 400, 300)) return {s, 400, 300};
        if (s > 24 || !Fits(W, H, s, 999, 999)) continue;
        // The smallest canvas: every width and height tried upwards.
        int cw = 400, ch = 300;
        while (!Fits(W, 0, s, cw, ch)) ++cw;
        while (!Fits(0, H, s, cw, ch)) ++ch;
        return {s, cw, ch};
    }
    return {16, std::max(400, W * 16 + 32), std::max(300, H * 16 + 32)};
}

TEST(Canvas, TheSpacingIsTheWidestTheRulesAllow) {
    std::mt19937 rng(9);
    for (int trial = 0; trial < 400; ++trial) {
        const int w = 1 + static_cast<int>(rng() % (trial < 200 ? 30 : 80));
        const int h = 1 + static_cast<int>(rng() % (trial < 200 ? 30 : 80));
        const TCanvasFit expected = FitByTrial(w, h), got = CanvasFor(w, h);
        EXPECT_EQ(got.Spacing, expected.Spacing) << w << " x " << h;
        EXPECT_EQ(got.Width, expected.Width) << w << " x " << h;
        EXPECT_EQ(got.Height, expected.Height) << w << " x " << h;
    }
}

}  // namespace
}  // namespace ravelon
