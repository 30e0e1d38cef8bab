// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "knot/Knot.h"
#include "tests/support/BraidCode.h"

namespace ravelon {
namespace {

using testing::MakeCode;

std::vector<TEdge> Edges(const TKnot& k) { return {k.FEdges.begin() + 1, k.FEdges.end()}; }

TEST(Smooth, FigureEightCurlBothWays) {
    const TKnot curl = MakeCode({{1, 2}}, {{1, 3, 1, 2}, {1, 4, 1, 1}});
    TKnot k1;
    k1.Assign(curl);
    k1.Smooth(1);
    EXPECT_EQ(k1.FCrossingCount(), 0);
    EXPECT_EQ(Edges(k1), (std::vector<TEdge>{{1, 1, 1, 4}}));

    TKnot k2;
    k2.Assign(curl);
    k2.Smooth(2);
    EXPECT_EQ(k2.FCrossingCount(), 0);
    EXPECT_EQ(Edges(k2), (std::vector<TEdge>{{1, 3, 1, 2}, {1, 1, 1, 4}}));
}

// Every row of the outcome table, on crossing 2 (FirstPort 1, kind 1, so
// R0..R3 are the ports 1..4). Crossing 1 only closes the arcs.
TEST(Smooth, AllSevenConfigurations) {
    struct Case {
        const char* Name;
        std::vector<TEdge> Before, After;
    };
    const std::vector<Case> cases = {
        {"four edges to other crossings",
         {{1, 1, 2, 1}, {1, 2, 2, 2}, {1, 3, 2, 3}, {1, 4, 2, 4}},
         {{1, 1, 1, 2}, {1, 3, 1, 4}}},
        {"R0-R1", {{1, 1, 1, 2}, {2, 1, 2, 2}, {1, 3, 2, 3}, {1, 4, 2, 4}}, {{1, 1, 1, 2}, {2, 2, 2, 1}, {1, 3, 1, 4}}},
        {"R2-R3", {{1, 3, 1, 4}, {1, 1, 2, 1}, {2, 3, 2, 4}, {1, 2, 2, 2}}, {{1, 3, 1, 4}, {1, 1, 1, 2}, {2, 4, 2, 3}}},
        {"R0-R1 and R2-R3", {{2, 1, 2, 2}, {2, 3, 2, 4}, {1, 1, 1, 2}, {1, 3, 1, 4}},
         {{1, 1, 1, 2}, {1, 3, 1, 4}, {2, 2, 2, 1}, {2, 4, 2, 3}}},
        {"R3-R0", {{1, 1, 1, 4}, {2, 4, 2, 1}, {1, 2, 2, 2}, {1, 3, 2, 3}}, {{1, 1, 1, 4}, {1, 2, 1, 3}}},
        {"R1-R2", {{1, 2, 1, 3}, {1, 1, 2, 1}, {2, 2, 2, 3}, {1, 4, 2, 4}}, {{1, 2, 1, 3}, {1, 4, 1, 1}}},
        {"R3-R0 and R1-R2", {{1, 1, 1, 2}, {2, 4, 2, 1}, {1, 3, 1, 4}, {2, 2, 2, 3}},
         {{1, 1, 1, 2}, {1, 3, 1, 4}, {2, 1, 2, 4}}},
    };
    for (const Case& c : cases) {
        TKnot k = MakeCode({{2, 1}, {1, 2}}, c.Before);
        k.Smooth(1);
        EXPECT_EQ(k.FCrossingCount(), 1) << c.Name;
        EXPECT_EQ(k.FCrossings[1], (TCrossing{2, 1})) << c.Name;
        EXPECT_EQ(Edges(k), c.After) << c.Name;
    }
}

TEST(Smooth, LoopsAndOtherCrossingsAreCarriedUnchanged) {
    // A stored loop (0, 0, 0, 0) and an edge between two other crossings.
    TKnot k = MakeCode({{1, 2}, {2, 1}, {1, 4}},
                   {{0, 0, 0, 0}, {1, 1, 2, 1}, {3, 1, 3, 2}, {1, 2, 2, 2}, {3, 3, 1, 3}, {3, 4, 2, 3}, {1, 4, 2, 4}});
    k.Smooth(2);  // FirstPort 1, kind 2: joins 1 with 4, and 2 with 3
    EXPECT_EQ(k.FCrossingCount(), 2);
    EXPECT_EQ(k.FCrossings[1], (TCrossing{1, 2}));
    EXPECT_EQ(k.FCrossings[2], (TCrossing{2, 1}));
    // Kind 2 from port 1 pairs the ports as R = (2, 3, 4, 1); ports 1 and 2 of
    // crossing 3 share one edge (R3-R0), so one path runs from Far(3) to Far(4).
    EXPECT_EQ(Edges(k), (std::vector<TEdge>{{0, 0, 0, 0}, {1, 1, 2, 1}, {1, 2, 2, 2}, {1, 4, 2, 4}, {1, 3, 2, 3}}));
}

TEST(Smooth, RefusesAPortWithoutEdge) {
    // Crossing 2's port 3 is not the end of any edge (an open curve).
    TKnot k = MakeCode({{1, 2}, {2, 1}}, {{1, 1, 2, 1}, {1, 2, 2, 2}, {1, 3, 1, 4}, {2, 4, 2, 2}});
    try {
        k.Smooth(1);
        FAIL() << "no exception";
    } catch (const std::logic_error& e) {
        EXPECT_NE(std::string(e.what()).find("crossing 2"), std::string::npos) << e.what();
    }
    TKnot none;
    EXPECT_THROW(none.Smooth(1), std::logic_error);
    TKnot bad = MakeCode({{1, 2}}, {{1, 3, 1, 2}, {1, 4, 1, 1}});
    EXPECT_THROW(bad.Smooth(3), std::logic_error);
    // A port reached by two edges is refused too, before anything changes.
    TKnot twice = MakeCode({{1, 2}}, {{1, 3, 1, 2}, {1, 4, 1, 1}, {1, 1, 0, 0}});
    EXPECT_THROW(twice.Smooth(1), std::logic_error);
    EXPECT_EQ(twice.FCrossingCount(), 1);
    EXPECT_EQ(twice.FEdgeCount(), 3);
}

}  // namespace
}  // namespace ravelon

namespace ravelon {
namespace {

// An edge between opposite ports: the smoothing still leaves every remaining
// port joined once, and loops are counted by following the arcs.
TEST(Smooth, EdgesBetweenOppositePorts) {
    // Crossing 2 (FirstPort 1, kind 1: R = 1, 2, 3, 4) with an edge from port 1
    // to port 3: one path from Far(2) to Far(4).
    TKnot k = MakeCode({{1, 2}, {1, 2}}, {{2, 1, 2, 3}, {1, 1, 2, 2}, {1, 2, 2, 4}, {1, 3, 1, 4}});
    k.Smooth(1);
    EXPECT_EQ(Edges(k), (std::vector<TEdge>{{1, 3, 1, 4}, {1, 1, 1, 2}}));

    // Ports 2 and 4 joined across: one path from Far(1) to Far(3).
    TKnot m = MakeCode({{1, 2}, {1, 2}}, {{2, 2, 2, 4}, {1, 1, 2, 1}, {1, 2, 2, 3}, {1, 3, 1, 4}});
    m.Smooth(2);  // R = 2, 3, 4, 1: edge R0-R2
    EXPECT_EQ(Edges(m), (std::vector<TEdge>{{1, 3, 1, 4}, {1, 2, 1, 1}}));

    // Both pairs joined across: one closed loop, either way.
    for (int kind : {1, 2}) {
        TKnot b = MakeCode({{1, 2}}, {{1, 1, 1, 3}, {1, 2, 1, 4}});
        b.Smooth(kind);
        EXPECT_EQ(b.FCrossingCount(), 0);
        EXPECT_EQ(b.FEdgeCount(), 1) << "kind " << kind;
    }
}

}  // namespace
}  // namespace ravelon
