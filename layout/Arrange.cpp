// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/Arrange.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace ravelon {

TArrangement Arrange(const std::vector<TPoint>& Sizes) {
    TArrangement out;
    double area = 0;
    int widest = 0;
    for (const TPoint& s : Sizes) {
        area += double(s.X + kPieceGap) * double(s.Y + kPieceGap);
        widest = std::max(widest, s.X);
    }
    const int rowLength = std::max(widest, static_cast<int>(std::ceil(std::sqrt(area * 4 / 3))));
    out.Place.resize(Sizes.size());
    std::size_t first = 0;  // the first piece of the current row
    int y = 0;
    while (first < Sizes.size()) {
        std::size_t end = first;
        int x = 0, height = 0;
        while (end < Sizes.size() && (end == first || x + Sizes[end].X <= rowLength)) {
            x += Sizes[end].X + kPieceGap;
            height = std::max(height, Sizes[end].Y);
            ++end;
        }
        x = 0;
        for (std::size_t i = first; i < end; ++i) {
            out.Place[i] = {x, y + (height - Sizes[i].Y) / 2};
            x += Sizes[i].X + kPieceGap;
        }
        out.Width = std::max(out.Width, x - kPieceGap);
        out.Height = y + height;
        y += height + kPieceGap;
        first = end;
    }
    return out;
}

}  // namespace ravelon
