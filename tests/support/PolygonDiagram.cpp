// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/PolygonDiagram.h"

#include <random>
#include <stdexcept>

namespace ravelon::testing {

namespace {

int CountCrossings(const TDraw& d) {
    int n = 0;
    for (int b = 0; b < d.FLineCount(); ++b)
        for (int a = 0; a < b; ++a)
            if (IsCrossing(d.FCross[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)])) ++n;
    return n;
}

}  // namespace

TDraw RandomPolygon(int Crossings, unsigned Seed) {
    std::mt19937 rng(Seed);
    std::uniform_int_distribution<int> coordinate(1, 998);
    const int slack = Crossings / 10;
    for (int attempt = 0; attempt < 10000; ++attempt) {
        TDraw d;
        d.BeginGroup({coordinate(rng), coordinate(rng)});
        d.ExtendGroup({coordinate(rng), coordinate(rng)});
        d.ExtendGroup({coordinate(rng), coordinate(rng)});
        // Add corners while the polygon, once closed, would stay below the target.
        while (true) {
            TDraw closed = d;
            closed.CloseGroup();
            const int n = CountCrossings(closed);
            if (n >= Crossings - slack) {
                if (n > Crossings + slack) break;
                std::bernoulli_distribution flip(0.5);
                for (int b = 0; b < closed.FLineCount(); ++b)
                    for (int a = 0; a < b; ++a)
                        if (IsCrossing(closed.FCross[static_cast<std::size_t>(b)][static_cast<std::size_t>(a)]) &&
                            flip(rng))
                            closed.SwapCrossing(a, b);
                return closed;
            }
            d.ExtendGroup({coordinate(rng), coordinate(rng)});
        }
    }
    throw std::runtime_error("no random polygon with the wanted number of crossings");
}

}  // namespace ravelon::testing
