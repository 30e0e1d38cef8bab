// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "diagram/FileError.h"
#include "diagram/PLinkFile.h"
#include "tests/diagram/DiagramSupport.h"
#include "tests/support/PolygonDiagram.h"

namespace ravelon {
namespace {

namespace fs = std::filesystem;
using testing::JonesOf;

// A trefoil as the link editor saves it: twelve vertices, alternating.
const std::string Trefoil =
    "% Link Projection\n1\n   0    0\n12\n"
    "  300   230\n  456   291\n  482   405\n  370   440\n  239   335\n  214   169\n"
    "  300    90\n  386   169\n  361   335\n  230   440\n  118   405\n  144   291\n"
    "12\n   0    1\n   1    2\n   2    3\n   3    4\n   4    5\n   5    6\n"
    "   6    7\n   7    8\n   8    9\n   9   10\n  10   11\n  11    0\n"
    "3\n   0    7\n   8    3\n   4   11\n-1\n";

int WritheOf(const TDraw& D) {
    TKnot k;
    D.MakeKnot(k);
    return k.Writhe();
}

TDraw Example(const std::string& Name) {
    TDraw d;
    int w = 0, h = 0;
    d.LoadFromFile(std::string(RAVELON_EXAMPLES_DIR) + "/" + Name, w, h);
    return d;
}

// The message of the TFileError that reading Text throws, "" when it reads.
std::string ErrorOf(const std::string& Text) {
    try {
        ReadPLink(Text);
    } catch (const TFileError& e) {
        return e.what();
    }
    return "";
}

bool HasDuplicatePoints(const TDraw& D) {
    for (std::size_t i = 0; i < D.FPoints.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (D.FPoints[i].X == D.FPoints[j].X && D.FPoints[i].Y == D.FPoints[j].Y) return true;
    return false;
}

// Written and read back, D keeps its points, lines, over/under at every
// crossing, and so its Jones polynomial and writhe.
void ExpectRoundTrip(const TDraw& D) {
    if (HasDuplicatePoints(D)) {
        EXPECT_NE(ErrorOf(PLinkText(D)).find("同じ位置にあります"), std::string::npos);
        return;
    }
    const TPLinkDiagram r = ReadPLink(PLinkText(D));
    EXPECT_EQ(r.Draw.FPoints, D.FPoints);
    EXPECT_EQ(r.Draw.FLines, D.FLines);
    EXPECT_EQ(r.Draw.FGroupCount, D.FGroupCount);
    for (const auto& [a, b] : testing::CountedCrossings(D))
        EXPECT_EQ(r.Draw.FOver[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)],
                  D.FOver[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)]);
    EXPECT_EQ(JonesOf(r.Draw), JonesOf(D));
    EXPECT_EQ(WritheOf(r.Draw), WritheOf(D));
}

// Random diagrams and every example written and read back.
TEST(PLinkFile, DiagramsRoundTrip) {
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        testing::TRandomShape shape;
        shape.Groups = 1 + round % 3;
        shape.TriplePoint = round % 5 == 0;
        ExpectRoundTrip(testing::RandomDiagram(rng, shape));
    }
    for (const int crossings : {5, 12, 25}) ExpectRoundTrip(testing::RandomPolygon(crossings, 3));
    for (const auto& entry : fs::directory_iterator(RAVELON_EXAMPLES_DIR))
        if (entry.path().extension() == ".rvd") ExpectRoundTrip(Example(entry.path().filename().string()));
}

// A drawing far off the canvas is scaled onto it with its code unchanged, or
// refused when the scaling would change its crossings.
TEST(PLinkFile, LargeDrawingsAreScaledOrRefused) {
    std::mt19937 rng(11);
    int read = 0;
    for (int round = 0; round < 40; ++round) {
        TDraw d = testing::RandomDiagram(rng, {1 + round % 2, 3, 7, 999, false});
        if (HasDuplicatePoints(d)) continue;
        TDraw big = d;
        for (TDrawPoint& p : big.FPoints) p = {p.X * 3 - 1000, p.Y * 3 + 500, p.Group};
        big.RecomputeAllCrossings();
        try {
            const TPLinkDiagram r = ReadPLink(PLinkText(big));
            ++read;
            EXPECT_LE(r.Width, 999);
            EXPECT_LE(r.Height, 999);
            for (const TDrawPoint& p : r.Draw.FPoints) EXPECT_TRUE(p.X >= 20 && p.X <= 979 && p.Y >= 20 && p.Y <= 979);
            EXPECT_EQ(JonesOf(r.Draw), JonesOf(d));
            EXPECT_EQ(WritheOf(r.Draw), WritheOf(d));
        } catch (const TFileError& e) {
            EXPECT_NE(std::string(e.what()).find("縮めると"), std::string::npos) << e.what();
        }
    }
    EXPECT_GE(read, 20);
}

TEST(PLinkFile, TrefoilReadsAsTheTrefoil) {
    const TPLinkDiagram r = ReadPLink(Trefoil);
    EXPECT_EQ(r.Draw.FGroupCount, 1);
    EXPECT_EQ(r.Draw.FPoints[6].X, 300);
    EXPECT_EQ(r.Draw.FPoints[6].Y, 90);
    const auto left = JonesOf(Example("trefoil-left.rvd")), right = JonesOf(Example("trefoil-right.rvd"));
    ASSERT_NE(left, right);
    const auto jones = JonesOf(r.Draw);
    EXPECT_TRUE(jones == left || jones == right);
    EXPECT_EQ(WritheOf(r.Draw), jones == left ? WritheOf(Example("trefoil-left.rvd")) : WritheOf(Example("trefoil-right.rvd")));
}

TEST(PLinkFile, MalformedFilesNameTheirFault) {
    const std::string triangle = "% Link Projection\n1\n0 0\n3\n100 100\n200 100\n150 200\n3\n0 1\n1 2\n2 0\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"% Link\n", "1 行目: PLink のリンク射影ファイルではありません"},
        {"% Link Projection\n1\n0 2\n3\n1 1\n5 1\n1 5\n2\n0 1\n1 2\n0\n-1\n", "3 行目: 成分 0 は閉じていない弧です"},
        {"% Link Projection\n1\n0 0\n3\n100 100\n\n200 1.5\n150 200\n", "7 行目: 頂点 1 の座標が整数ではありません"},
        {triangle + "1\n0 1\n-1\n", "13 行目: 交差 0 の辺 0 と辺 1 は交わっていません"},
        {triangle + "0\n-1\n2\n", ""},
        {"% Link Projection\n0\n3\n1 1\n5 1\n1 1\n3\n0 1\n1 2\n2 0\n0\n-1\n", "頂点 0 と頂点 2 が同じ位置にあります"},
    };
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text);
        const std::string error = ErrorOf(text);
        if (message.empty())
            EXPECT_EQ(error, "");
        else
            EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    std::string missing = Trefoil, twice = Trefoil;
    missing.replace(missing.find("3\n   0    7\n"), 12, "2\n");
    EXPECT_NE(ErrorOf(missing).find("辺 0 と辺 7 が交わっていますが、その交差がファイルにありません"), std::string::npos);
    twice.replace(twice.find("   4   11\n"), 10, "   7    0\n");
    EXPECT_NE(ErrorOf(twice).find("33 行目: 交差 2 は辺 7 と辺 0 の交差をもう一度書いています"), std::string::npos);
}

// Random edits of valid files never crash the reader: each either reads, as a
// diagram on the canvas with a complete crossing code, or is refused with the
// reader's error.
TEST(PLinkFile, MutatedFilesReadOrAreRefused) {
    std::mt19937 rng(5);
    std::vector<std::string> bases = {Trefoil};
    for (int k = 0; k < 3; ++k) bases.push_back(PLinkText(testing::RandomDiagram(rng, {1 + k, 3, 6, 999, false})));
    const std::string alphabet = "0123456789-+ \n\r\t.%x";
    int read = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string t = bases[static_cast<std::size_t>(round) % bases.size()];
        for (int edits = 1 + static_cast<int>(rng() % 3); edits > 0 && !t.empty(); --edits) {
            const std::size_t at = rng() % t.size();
            switch (rng() % 4) {
                case 0: t.erase(at, 1 + rng() % 4); break;
                case 1: t.insert(at, 1, alphabet[rng() % alphabet.size()]); break;
                case 2: t[at] = alphabet[rng() % alphabet.size()]; break;
                default: t.insert(at, t.substr(at, rng() % 12)); break;
            }
        }
        try {
            const TPLinkDiagram r = ReadPLink(t);
            ++read;
            EXPECT_TRUE(r.Width >= 0 && r.Width <= 999 && r.Height >= 0 && r.Height <= 999);
            for (const TDrawPoint& p : r.Draw.FPoints) EXPECT_TRUE(p.X >= 0 && p.X <= 999 && p.Y >= 0 && p.Y <= 999);
            TKnot k;
            r.Draw.MakeKnot(k);
            EXPECT_EQ(testing::CompletenessFault(k), "");
        } catch (const TFileError&) {
        }
    }
    EXPECT_GT(read, 0);
}

}  // namespace
}  // namespace ravelon
