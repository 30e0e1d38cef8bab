// SPDX-License-Identifier: GPL-3.0-or-later
// Codes drawn apart from the table: closed braids (with nugatory crossings,
// separate pieces and loops), table codes with curls added, components that
// pass only over, codes without crossings, and the codes that cannot be
// drawn. Each drawing must be its code's diagram and keep the spacing rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "knot/PdCode.h"
#include "knot/PdRead.h"
#include "layout/DrawCode.h"
#include "tests/layout/LayoutCheck.h"
#include "tests/support/BraidCode.h"
#include "tests/support/Planarity.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

#ifdef RAVELON_SANITIZED_TESTS
constexpr int kRounds = 40;
#else
constexpr int kRounds = 300;
#endif

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

TKnot CodeOf(const TDrawing& D) {
    TKnot k;
    D.Draw.MakeKnot(k);
    return k;
}

// Empty when Code is drawn as itself and by the rules; else what is wrong.
std::string DrawingFault(const TKnot& Code) {
    const TDrawing d = DrawCode(Code);
    const std::string spacing = testing::SpacingFault(d);
    return spacing.empty() ? testing::SameDiagramFault(Code, CodeOf(d)) : spacing;
}

bool IsEntry(const TKnot& K, int C, int P) {
    return P == K.FCrossings[Ix(C)].FirstPort || P == K.FCrossings[Ix(C)].SecondPort;
}

// Code with a curl put into edge E (which meets crossings): a new last
// crossing where the strand comes back across itself, the loop on its left
// or its right, passing first over or first under.
TKnot WithCurl(const TKnot& Code, int E, bool Left, bool OverFirst) {
    TKnot k;
    k.Assign(Code);
    const TEdge e = k.FEdges[Ix(E)];
    const bool firstExits = !IsEntry(k, e.Crossing1, e.Port1);
    const std::pair<int, int> exit = firstExits ? std::pair{e.Crossing1, e.Port1} : std::pair{e.Crossing2, e.Port2};
    const std::pair<int, int> entry = firstExits ? std::pair{e.Crossing2, e.Port2} : std::pair{e.Crossing1, e.Port1};
    const int c = k.FCrossingCount() + 1;
    // In at port 1, out at 3, round the loop into the port beside 3 and out
    // opposite it.
    const int back = Left ? 4 : 2;
    k.FCrossings.push_back(OverFirst ? TCrossing{1, back} : TCrossing{back, 1});
    k.FEdges[Ix(E)] = {exit.first, exit.second, c, 1};
    k.FEdges.push_back({c, 3, c, back});
    k.FEdges.push_back({c, OppositePort(back), entry.first, entry.second});
    return k;
}

// The component of the strand entering at (crossing, port), numbered in
// the order they are walked from the entries.
std::map<std::pair<int, int>, int> Components(const TKnot& K) {
    std::map<std::pair<int, int>, std::pair<int, int>> mate;
    for (const TEdge& e : K.FEdges) {
        mate[{e.Crossing1, e.Port1}] = {e.Crossing2, e.Port2};
        mate[{e.Crossing2, e.Port2}] = {e.Crossing1, e.Port1};
    }
    std::map<std::pair<int, int>, int> of;
    int count = 0;
    for (int c = 1; c <= K.FCrossingCount(); ++c)
        for (const int p : {K.FCrossings[Ix(c)].FirstPort, K.FCrossings[Ix(c)].SecondPort}) {
            if (of.count({c, p}) > 0) continue;
            for (std::pair<int, int> at{c, p}; of.count(at) == 0; at = mate.at({at.first, OppositePort(at.second)}))
                of[at] = count;
            ++count;
        }
    return of;
}

// Code with its first component passing over every other component.
TKnot FirstComponentOver(const TKnot& Code) {
    TKnot k;
    k.Assign(Code);
    const auto of = Components(k);
    for (int c = 1; c <= k.FCrossingCount(); ++c) {
        TCrossing& x = k.FCrossings[Ix(c)];
        if (of.at({c, x.SecondPort}) == 0 && of.at({c, x.FirstPort}) != 0) std::swap(x.FirstPort, x.SecondPort);
    }
    return k;
}

std::vector<testing::TTableRow> TableSample(std::size_t Stride) {
    const auto all = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    std::vector<testing::TTableRow> rows;
    for (std::size_t i = 0; i < all.size(); i += Stride) rows.push_back(all[i]);
    return rows;
}

TEST(DrawCode, RandomClosedBraidsWithNugatoryCrossingsPiecesAndLoops) {
    std::mt19937 rng(21);
    int split = 0, loops = 0;
    for (int round = 0; round < kRounds; ++round) {
        const int strands = 2 + round % 4;
        const TKnot code = testing::BraidClosure(strands, testing::RandomBraidWord(rng, strands, 1 + round % 23));
        const TPdCode pd = MakePdCode(code);
        loops += pd.LoopsLeftOut > 0 ? 1 : 0;
        split += pd.Components - pd.LoopsLeftOut > 1 ? 1 : 0;
        ASSERT_EQ(DrawingFault(code), "") << "round " << round;
    }
    // The sample holds what it is meant to.
    EXPECT_GT(loops, 0);
    EXPECT_GT(split, 0);
}

TEST(DrawCode, TableCodesWithCurls) {
    std::mt19937 rng(7);
    std::bernoulli_distribution coin(0.5);
    for (const testing::TTableRow& row : TableSample(kRounds > 100 ? 23 : 211)) {
        TKnot code = ReadPdCode(row.Pd);
        if (code.FCrossingCount() == 0) continue;
        for (int k = 0; k < 1 + static_cast<int>(rng() % 3); ++k) {
            std::uniform_int_distribution<int> edge(1, code.FEdgeCount());
            int e = edge(rng);
            while (code.FEdges[Ix(e)].Crossing1 < 1) e = edge(rng);
            code = WithCurl(code, e, coin(rng), coin(rng));
        }
        ASSERT_EQ(DrawingFault(code), "") << row.Name;
    }
}

TEST(DrawCode, CurlsLoopsAndComponentsPassingOnlyOverFromPdCodes) {
    for (const char* pd : {"X[1,1,2,2]", "X[2,1,1,2]", "X[1,2,2,1]", "X[1,1]", "X[1,1] X[2,2] X[3,3]",
                           "X[1,5,2,4] X[3,1,4,6] X[5,3,6,2] X[7,7]", "X[3,2,4,1] X[4,2,3,1]",
                           "X[1,3,2,4] X[3,1,4,2] X[5,5]"})
        EXPECT_EQ(DrawingFault(ReadPdCode(pd)), "") << pd;
    // A curl on a curl on a curl, both sides.
    TKnot curls = ReadPdCode("X[1,1,2,2]");
    for (int k = 0; k < 3; ++k) curls = WithCurl(curls, 1, k % 2 == 0, k == 1);
    EXPECT_EQ(DrawingFault(curls), "");
}

TEST(DrawCode, LinksWithAComponentPassingOnlyOver) {
    int tried = 0;
    for (const testing::TTableRow& row : TableSample(kRounds > 100 ? 17 : 61)) {
        if (row.Components == "1") continue;
        const TKnot over = FirstComponentOver(ReadPdCode(row.Pd));
        ASSERT_EQ(DrawingFault(over), "") << row.Name;
        // The same through the PD notation, where the reader orients such a
        // component by its labels.
        ASSERT_EQ(DrawingFault(ReadPdCode(PdText(MakePdCode(over)))), "") << row.Name;
        ++tried;
    }
    EXPECT_GT(tried, 10);
}

TEST(DrawCode, NothingToDraw) {
    const TDrawing d = DrawCode(TKnot());
    EXPECT_EQ(d.Draw.FPointCount(), 0);
    EXPECT_EQ(d.Width, 400);
    EXPECT_EQ(d.Height, 300);
}

TEST(DrawCode, ALargeCodeGetsTheSmallestCanvasThatHoldsItAndAHugeOneIsRefused) {
    const TDrawing d = DrawCode(testing::TorusTwo(40));
    EXPECT_GT(d.Width, 400);
    EXPECT_EQ(testing::SpacingFault(d), "");  // which checks that the canvas is the smallest
    EXPECT_EQ(testing::SameDiagramFault(testing::TorusTwo(40), CodeOf(d)), "");
    try {
        DrawCode(testing::TorusTwo(100));
        ADD_FAILURE() << "T(2, 100) drawn";
    } catch (const TLayoutError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("図が大きすぎて描けません", 0), 0u) << e.what();
    }
}

// Whether DrawCode refuses exactly the oriented codes that are not plane
// diagrams, judged by the planarity of tests/support.
TEST(DrawCode, RefusesExactlyTheCodesThatAreNoPlaneDiagrams) {
    std::mt19937 rng(3);
    int refused = 0, nonPlanar = 0;
    for (int round = 0; round < kRounds; ++round) {
        // A closed braid with the ends of two edges leaving crossings
        // exchanged: still oriented, mostly no longer planar.
        TKnot code = testing::BraidClosure(3, testing::RandomBraidWord(rng, 3, 2 + round % 9));
        std::vector<int> leaving;
        for (int e = 1; e <= code.FEdgeCount(); ++e)
            if (code.FEdges[Ix(e)].Crossing1 >= 1) leaving.push_back(e);
        if (leaving.size() < 2) continue;
        std::shuffle(leaving.begin(), leaving.end(), rng);
        auto exitEnd = [&](TEdge& ed) -> std::pair<std::int32_t*, std::int32_t*> {
            return IsEntry(code, ed.Crossing1, ed.Port1) ? std::pair{&ed.Crossing2, &ed.Port2}
                                                         : std::pair{&ed.Crossing1, &ed.Port1};
        };
        auto [c1, p1] = exitEnd(code.FEdges[Ix(leaving[0])]);
        auto [c2, p2] = exitEnd(code.FEdges[Ix(leaving[1])]);
        std::swap(*c1, *c2);
        std::swap(*p1, *p2);
        const bool planar = testing::PlanarityFault(code).empty();
        if (planar) {
            EXPECT_EQ(DrawingFault(code), "");
            continue;
        }
        ++nonPlanar;
        try {
            DrawCode(code);
            ADD_FAILURE() << "a code that is not planar drawn";
        } catch (const TLayoutError& e) {
            EXPECT_STREQ(e.what(), "平面に描けないコードです");
            ++refused;
        }
    }
    EXPECT_GT(nonPlanar, kRounds / 4);
    EXPECT_EQ(refused, nonPlanar);

}

TEST(DrawCode, BrokenCodesAreRefusedWithTheirReason) {
    // A port without an edge.
    const TKnot open = testing::MakeCode({{1, 2}}, {{1, 3, 1, 2}});
    try {
        DrawCode(open);
        ADD_FAILURE();
    } catch (const TLayoutError& e) {
        EXPECT_STREQ(e.what(), "交点のポートのつながりが正しくないコードです");
    }
    // Both strands entering on one strand's ports; an edge from entry to entry.
    for (const auto& [code, message] :
         {std::pair{testing::MakeCode({{1, 3}}, {{1, 2, 1, 1}, {1, 3, 1, 4}}), "交点 1 に上下の道がありません"},
          std::pair{testing::MakeCode({{1, 2}}, {{1, 1, 1, 2}, {1, 3, 1, 4}}), "向きがそろっていないコードです"}}) {
        try {
            DrawCode(code);
            ADD_FAILURE() << message;
        } catch (const TLayoutError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}

}  // namespace
}  // namespace ravelon
