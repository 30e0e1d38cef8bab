// SPDX-License-Identifier: GPL-3.0-or-later
// Oriented Gauss codes: the table written and read back, the trefoil by hand, bad input.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "knot/GaussCode.h"
#include "knot/GaussRead.h"
#include "knot/PdRead.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

using testing::NonZero;
using testing::JonesOf;
using testing::Mirror;
using testing::TTermMap;

// The O/U code of a PD code, from its labels alone: in X[a, b, c, d] the
// under-strand runs from a to c and the over-strand between b and d, from the
// label whose successor along the component is the other (consecutive labels,
// or the larger one where the numbering wraps round). Going from d to b is a
// positive crossing: b lies to the right of the under-strand. Every component
// is one bracketed sequence, started at its smallest label.
std::string OuCodeOfPd(const std::vector<std::vector<int>>& Pd) {
    std::map<int, std::pair<std::string, int>> into;  // label -> its passage, and the label leaving it
    for (std::size_t i = 0; i < Pd.size(); ++i) {
        const auto& x = Pd[i];
        const bool fromB = (x[3] - x[1] == 1) || (x[1] - x[3] > 1);
        const std::string number = std::to_string(i + 1) + (fromB ? "-" : "+");
        into[x[0]] = {"U" + number, x[2]};
        into[fromB ? x[1] : x[3]] = {"O" + number, fromB ? x[3] : x[1]};
    }
    std::string out;
    std::map<int, bool> seen;
    for (const auto& [start, passage] : into) {
        if (seen[start]) continue;
        out += out.empty() ? "[" : ", [";
        for (int label = start; !seen[label]; label = into.at(label).second) {
            seen[label] = true;
            out += into.at(label).first;
        }
        out += "]";
    }
    return out;
}

// Every entry written and read back, and read from its PD labels by the
// converter above; under the sanitizers a sample of the table.
TEST(GaussCode, EveryTableEntryWrittenAndFromItsPdLabels) {
#ifdef RAVELON_SANITIZED_TESTS
    constexpr std::size_t stride = 37;
#else
    constexpr std::size_t stride = 1;
#endif
    const std::vector<testing::TTableRow> rows = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    for (std::size_t i = 0; i < rows.size(); i += stride) {
        const testing::TTableRow& row = rows[i];
        const TKnot k = ReadPdCode(row.Pd);
        const TTermMap jones = JonesOf(k);
        const std::string code = OrientedGaussCode(k);
        const TKnot back = ReadOrientedGauss(code);
        EXPECT_EQ(back.Writhe(), k.Writhe()) << row.Name << " " << code;
        EXPECT_EQ(JonesOf(back), jones) << row.Name << " " << code;
        // A knot's code starts at crossing 1 passing over, so it is written again as it was read.
        EXPECT_TRUE(row.Components != "1" || OrientedGaussCode(back) == code) << row.Name << " " << code;
        const auto pd = testing::PdCrossings(row.Pd);
        if (pd.size() == 1 && pd[0].size() == 2) continue;  // the unknot X[1,1]
        const TKnot fromLabels = ReadOrientedGauss(OuCodeOfPd(pd));
        EXPECT_EQ(fromLabels.Writhe(), k.Writhe()) << row.Name;
        EXPECT_EQ(JonesOf(fromLabels), jones) << row.Name;
    }
}

TEST(GaussCode, TheTrefoilByHand) {
    // The table's 3_1, t + t^3 - t^4, of writhe 3, and its mirror image.
    const TTermMap right{{{1, 1}, 1}, {{3, 1}, 1}, {{4, 1}, -1}};
    const TTermMap left{{{-1, 1}, 1}, {{-3, 1}, 1}, {{-4, 1}, -1}};
    EXPECT_EQ(JonesOf(ReadPdCode("X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]")), right);
    for (const auto& [text, writhe] : std::vector<std::pair<std::string, int>>{
             {"O1+U2+O3+U1+O2+U3+", 3}, {"o1+, u2+, o3+, u1+, o2+, u3+", 3}, {"+<1 ->2 +<3 ->1 +<2 ->3", 3},
             {"O1-U2-O3-U1-O2-U3-", -3}, {"+>1 -<2 +>3 -<1 +>2 -<3", -3}, {"{O7-,U2-,O30-,U7-,O2-,U30-}", -3}}) {
        const TKnot k = ReadOrientedGauss(text);
        EXPECT_EQ(k.Writhe(), writhe) << text;
        EXPECT_EQ(JonesOf(k), writhe > 0 ? right : left) << text;
        EXPECT_EQ(OrientedGaussCode(k), writhe > 0 ? "O1+U2+O3+U1+O2+U3+" : "O1-U2-O3-U1-O2-U3-") << text;
    }
}

TEST(GaussCode, LinksAndLoops) {
    // The Hopf link of linking number 1: -t^(1/2) - t^(5/2).
    const TTermMap positive{{{1, 2}, -1}, {{5, 2}, -1}};
    for (const char* text : {"[O1+U2+], [U1+O2+]", "[[O1+U2+] [U1+O2+]]", "O1+U2+ | U1+O2+", "(O1+U2+); (U1+O2+)"}) {
        const TKnot k = ReadOrientedGauss(text);
        EXPECT_EQ(k.Writhe(), 2) << text;
        EXPECT_EQ(JonesOf(k), positive) << text;
        EXPECT_EQ(OrientedGaussCode(k), "[O1+U2+], [U1+O2+]");
    }
    EXPECT_EQ(OrientedGaussCode(ReadPdCode("X[4,1,3,2] X[2,3,1,4]")), "[O1-U2-], [U1-O2-]");
    EXPECT_EQ(OrientedGaussCode(ReadOrientedGauss("[]")), "[]");
    const TKnot apart = ReadOrientedGauss("[O1-U2-O3-U1-O2-U3-], []");
    EXPECT_EQ(OrientedGaussCode(apart), "[O1-U2-O3-U1-O2-U3-], []");
    // The trefoil's t^-1 + t^-3 - t^-4 times -t^(1/2) - t^(-1/2).
    const TTermMap split{{{-1, 2}, -1}, {{-3, 2}, -1}, {{-5, 2}, -1}, {{-9, 2}, 1}};
    EXPECT_EQ(JonesOf(apart), split);
}

std::string MessageOf(const std::string& Text) try {
    ReadOrientedGauss(Text);
    return "(read)";
} catch (const TGaussError& e) {
    return e.what();
}

TEST(GaussCode, BadInputNamesItsFault) {
    EXPECT_EQ(MessageOf("  "), "向き付きガウスコードが入力されていません");
    EXPECT_EQ(MessageOf("O1-X2-"), "向き付きガウスコードとして読めません: 4 文字目の「X」");
    EXPECT_EQ(MessageOf("O1-U2*"), "向き付きガウスコードとして読めない文字があります: 6 文字目の「*」");
    EXPECT_EQ(MessageOf("O1-U2"), "向き付きガウスコードとして読めません: 途中で終わっています");
    EXPECT_EQ(MessageOf("[O1-U1-"), "向き付きガウスコードとして読めません: 最後に「]」がありません");
    EXPECT_EQ(MessageOf("O99999999999-"), "交点の番号が大きすぎます: 2 文字目の「99999999999」");
    EXPECT_EQ(MessageOf("O1-U2-O3-U1-O2-"), "交点 3 を 1 回しか通っていません (上と下で 1 回ずつのはずです)");
    EXPECT_EQ(MessageOf("O1-U1-O1-"), "交点 1 を 3 回通っています (上と下で 1 回ずつのはずです)");
    EXPECT_EQ(MessageOf("O1-O1-"), "交点 1 を 2 回とも上で通っています (上と下で 1 回ずつのはずです)");
    EXPECT_EQ(MessageOf("U1+ -<1"), "交点 1 を 2 回とも下で通っています (上と下で 1 回ずつのはずです)");
    EXPECT_EQ(MessageOf("O1-U2-O3-U1+O2-U3-"), "交点 1 の符号が 1 文字目と 10 文字目で食い違っています");
    // Each crossing meets the other once: no drawing in the plane.
    EXPECT_EQ(MessageOf("O1+O2+U1+U2+"), "平面に描けない向き付きガウスコードです");
    // The trefoil's passages with one sign changed on both passages cannot be drawn.
    EXPECT_EQ(MessageOf("O1-U2+O3+U1-O2+U3+"), "平面に描けない向き付きガウスコードです");
}

}  // namespace
}  // namespace ravelon
