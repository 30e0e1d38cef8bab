// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "knot/PdCode.h"
#include "arith/PolyText.h"
#include "examples/generator/ExampleKnots.h"

namespace ravelon {
namespace {

// A Jones polynomial as the knot tables print it: (numerator, denominator) of
// each exponent of t, and its coefficient.
using TTable = std::vector<std::tuple<int, int, long>>;

TPoly FromTable(const TTable& terms, bool mirror) {
    TPoly p(0);
    // Build A-exponents (t = A^-4), then divide, so that fractions come out reduced.
    for (auto [num, den, c] : terms) p.SetTerm((mirror ? 4 : -4) * num / den, c);
    p.DivideExponents(-4);
    return p;
}

struct TPublished {
    int Components;
    TTable Jones;
    bool Exact;  // false: the diagram may be the mirror image of the one in the table
};

// Published Jones polynomials of the examples (knot and link tables).
const std::map<std::string, TPublished>& Published() {
    static const std::map<std::string, TPublished> table = {
        {"unknot.rvd", {1, {{0, 1, 1}}, true}},
        {"unknot-curl.rvd", {1, {{0, 1, 1}}, true}},
        {"trefoil-right.rvd", {1, {{1, 1, 1}, {3, 1, 1}, {4, 1, -1}}, true}},
        {"trefoil-left.rvd", {1, {{-1, 1, 1}, {-3, 1, 1}, {-4, 1, -1}}, true}},
        {"figure-eight.rvd", {1, {{2, 1, 1}, {1, 1, -1}, {0, 1, 1}, {-1, 1, -1}, {-2, 1, 1}}, true}},
        {"5_1.rvd", {1, {{-7, 1, -1}, {-6, 1, 1}, {-5, 1, -1}, {-4, 1, 1}, {-2, 1, 1}}, false}},
        {"5_2.rvd", {1, {{-6, 1, -1}, {-5, 1, 1}, {-4, 1, -1}, {-3, 1, 2}, {-2, 1, -1}, {-1, 1, 1}}, false}},
        {"6_1.rvd",
         {1, {{2, 1, 1}, {1, 1, -1}, {0, 1, 2}, {-1, 1, -2}, {-2, 1, 1}, {-3, 1, -1}, {-4, 1, 1}}, false}},
        {"6_2.rvd",
         {1, {{-1, 1, 1}, {0, 1, -1}, {1, 1, 2}, {2, 1, -2}, {3, 1, 2}, {4, 1, -2}, {5, 1, 1}}, false}},
        {"6_3.rvd",
         {1, {{3, 1, -1}, {2, 1, 2}, {1, 1, -2}, {0, 1, 3}, {-1, 1, -2}, {-2, 1, 2}, {-3, 1, -1}}, true}},
        {"hopf-link.rvd", {2, {{1, 2, -1}, {5, 2, -1}}, false}},
        {"whitehead-link.rvd",
         {2, {{-3, 2, -1}, {-1, 2, 1}, {1, 2, -2}, {3, 2, 1}, {5, 2, -2}, {7, 2, 1}}, false}},
        {"borromean-rings.rvd",
         {3, {{3, 1, -1}, {2, 1, 3}, {1, 1, -2}, {0, 1, 4}, {-1, 1, -2}, {-2, 1, 3}, {-3, 1, -1}}, true}},
        {"8_19.rvd", {1, {{3, 1, 1}, {5, 1, 1}, {8, 1, -1}}, false}},
    };
    return table;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Examples, FilesAreWhatTheGeneratorDraws) {
    const auto all = examples::AllExamples();
    EXPECT_EQ(all.size(), Published().size());
    for (const auto& ex : all) {
        const std::string path = std::string(RAVELON_EXAMPLES_DIR) + "/" + ex.FileName;
        EXPECT_EQ(ReadFile(path), KnotFileText(ex.Draw, ex.Width, ex.Height)) << ex.FileName;
        EXPECT_LE(ex.Width, 999) << ex.FileName;
        EXPECT_LE(ex.Height, 999) << ex.FileName;
    }
}

TEST(Examples, JonesPolynomialsAreThePublishedOnes) {
    for (const auto& [name, published] : Published()) {
        TDraw draw;
        int w = 0, h = 0;
        draw.LoadFromFile(std::string(RAVELON_EXAMPLES_DIR) + "/" + name, w, h);
        TKnot knot;
        draw.MakeKnot(knot);
        EXPECT_EQ(MakePdCode(knot).Components, published.Components) << name;
        TPoly jones(0);
        knot.Jones(jones);
        const std::string got = PolyText(jones, "t");
        const std::string expected = PolyText(FromTable(published.Jones, false), "t");
        const std::string mirrored = PolyText(FromTable(published.Jones, true), "t");
        if (published.Exact) EXPECT_EQ(got, expected) << name;
        else EXPECT_TRUE(got == expected || got == mirrored) << name << ": " << got << " is neither " << expected
                                                               << " nor " << mirrored;
    }
}

}  // namespace
}  // namespace ravelon
