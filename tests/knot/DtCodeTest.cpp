// SPDX-License-Identifier: GPL-3.0-or-later
// DT codes and classical Gauss codes: the table through both, published codes,
// a long random knot, and the messages for bad input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "knot/DtCode.h"
#include "knot/DtRead.h"
#include "knot/GaussWordRead.h"
#include "knot/PdRead.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

using testing::NonZero;
using testing::JonesOf;
using testing::Mirror;
using testing::TTermMap;

bool SameUpToMirror(const TTermMap& A, const TTermMap& B) { return A == B || A == Mirror(B); }

// The classical Gauss code of a knot's PD code, from its labels alone: in
// X[a, b, c, d] the under-strand enters along a, and the over-strand along b
// or d, whichever the other one follows (consecutive labels, or the larger one
// where the numbering wraps round). Started at label 1.
std::string GaussOfPd(const std::vector<std::vector<int>>& Pd) {
    std::map<int, std::pair<int, int>> into;  // label -> the crossing it enters (negative: under), the next label
    for (std::size_t i = 0; i < Pd.size(); ++i) {
        const auto& x = Pd[i];
        const bool fromB = (x[3] - x[1] == 1) || (x[1] - x[3] > 1);
        const int number = static_cast<int>(i) + 1;
        into[x[0]] = {-number, x[2]};
        into[fromB ? x[1] : x[3]] = {number, fromB ? x[3] : x[1]};
    }
    std::string out;
    int label = into.begin()->first;
    do {
        out += std::to_string(into.at(label).first) + " ";
        label = into.at(label).second;
    } while (label != into.begin()->first);
    return out;
}

// Every table knot written as a DT code and read back, the code it writes
// then written again unchanged, and its Gauss code from the PD labels read;
// under the sanitizers a sample of the table.
TEST(DtCode, EveryTableKnotThroughDtAndGaussCodes) {
#ifdef RAVELON_SANITIZED_TESTS
    constexpr std::size_t stride = 37;
#else
    constexpr std::size_t stride = 1;
#endif
    const std::vector<testing::TTableRow> rows = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    int knots = 0;
    for (std::size_t i = 0; i < rows.size(); i += stride) {
        const testing::TTableRow& row = rows[i];
        if (row.Components != "1") continue;
        ++knots;
        const TKnot k = ReadPdCode(row.Pd);
        const TTermMap jones = JonesOf(k);
        const std::string code = DtCode(k);
        const TKnot back = ReadDtCode(code);
        EXPECT_TRUE(SameUpToMirror(JonesOf(back), jones)) << row.Name << " " << code;
        EXPECT_EQ(DtCode(back), code) << row.Name;
        const auto pd = testing::PdCrossings(row.Pd);
        if (pd.size() == 1 && pd[0].size() == 2) continue;  // the unknot X[1,1]
        const std::string gauss = GaussOfPd(pd);
        EXPECT_TRUE(SameUpToMirror(JonesOf(ReadGaussCode(gauss)), jones)) << row.Name << " " << gauss;
    }
    EXPECT_GT(knots, 0);
}

TEST(DtCode, PublishedCodesGiveTheTablesJones) {
    std::map<std::string, TTermMap> table;
    for (const testing::TTableRow& row : testing::ReadTableFile(RAVELON_KNOT_TABLE)) {
        for (const auto& [e, c] : testing::TermsOf(row.Jones)) {  // e: twice the exponent of t
            const auto twice = static_cast<int>(e);
            table[row.Name][twice % 2 == 0 ? std::pair{twice / 2, 1} : std::pair{twice, 2}] = c;
        }
    }
    for (const auto& [name, code] : std::vector<std::pair<std::string, std::string>>{
             {"3_1", "4 6 2"}, {"3_1", "[4, 6, 2]"}, {"3_1", "bca"}, {"3_1", "cacbca"}, {"4_1", "4 6 8 2"},
             {"4_1", "dadbcda"}, {"5_1", "6 8 10 2 4"}, {"8_19", "4 8 -12 2 -14 -16 -6 -10"},
             {"8_20", "4 8 -12 2 -14 -6 -16 -10"}, {"8_21", "4 8 -12 2 14 -6 16 10"}, {"8_19", "bdFaGHCE"}}) {
        ASSERT_TRUE(table.count(name)) << name;
        EXPECT_TRUE(SameUpToMirror(JonesOf(ReadDtCode(code)), table[name])) << name << " " << code;
    }
    // A crossing changed unknots the trefoil; two curls are the unknot too.
    const TTermMap one{{{0, 1}, 1}};
    for (const char* code : {"4 -6 2", "4 2", "[]"}) EXPECT_EQ(JonesOf(ReadDtCode(code)), one) << code;
    EXPECT_EQ(JonesOf(ReadGaussCode("1 -1 2 -2")), one);
    // The first crossing is right-handed: the trefoil of writhe 3 either way round.
    EXPECT_EQ(ReadDtCode("4 6 2").Writhe(), 3);
    EXPECT_EQ(ReadGaussCode("-1 2 -3 1 -2 3").Writhe(), 3);
}

// A random closed braid of one component and 101 crossings (a 4-cycle needs an odd word).
TEST(DtCode, AHundredCrossingKnotReadBack) {
    std::mt19937 rng(2718);
    for (int round = 0; round < 3; ++round) {
        TKnot k;
        for (;;) {
            const std::vector<int> word = testing::RandomBraidWord(rng, 4, 101);
            std::vector<int> at{0, 1, 2, 3};  // the permutation of the closure
            for (const int g : word) {
                const auto i = static_cast<std::size_t>(std::abs(g));
                std::swap(at[i - 1], at[i]);
            }
            int length = 1;
            for (int s = at[0]; s != 0; s = at[static_cast<std::size_t>(s)]) ++length;
            if (length != 4) continue;
            k = testing::BraidClosure(4, word);
            break;
        }
        const std::string code = DtCode(k);
        const TKnot back = ReadDtCode(code);
        EXPECT_EQ(back.FCrossingCount(), 101);
        EXPECT_TRUE(SameUpToMirror(JonesOf(back), JonesOf(k))) << code;
        EXPECT_EQ(DtCode(back), code);
    }
}

template <class TError>
std::string MessageOf(TKnot (*Read)(const std::string&), const std::string& Text) try {
    Read(Text);
    return "(read)";
} catch (const TError& e) {
    return e.what();
}

TEST(DtCode, BadInputNamesItsFault) {
    const auto dt = [](const std::string& Text) { return MessageOf<TDtError>(ReadDtCode, Text); };
    EXPECT_EQ(dt(" "), "DT コードが入力されていません");
    EXPECT_EQ(dt("4 x 2"), "DT コードとして読めません: 3 文字目の「x」");
    EXPECT_EQ(dt("4 6 2 *"), "DT コードとして読めない文字があります: 7 文字目の「*」");
    EXPECT_EQ(dt("[4 6 2"), "DT コードとして読めません: 最後に「]」がありません");
    EXPECT_EQ(dt("4 3"), "DT コードの数は 0 でない偶数のはずです: 3 文字目の「3」");
    EXPECT_EQ(dt("4 -0"), "DT コードの数は 0 でない偶数のはずです: 3 文字目の「-」");
    EXPECT_EQ(dt("4 4"), "DT コードに 4 が 2 回あります: 3 文字目の「4」");
    EXPECT_EQ(dt("8 6 2"), "DT コードの数が交点の数の 2 倍 (6) を超えています: 1 文字目の「8」");
    EXPECT_EQ(dt("4 99999999999"), "DT コードの数が大きすぎます: 3 文字目の「99999999999」");
    EXPECT_EQ(dt("[4 2] [6]"), "リンクの DT コードは読めません (結び目だけです): 7 文字目の「[」");
    EXPECT_EQ(dt("dbbbacbd"), "リンクの DT コードは読めません (結び目だけです): 1 文字目の「dbbbacbd」");
    // None of the 32 ways its crossings could turn lies in the plane.
    EXPECT_EQ(dt("4 6 8 10 2"), "平面に描けない DT コードです");
    const auto gauss = [](const std::string& Text) { return MessageOf<TGaussError>(ReadGaussCode, Text); };
    EXPECT_EQ(gauss(""), "ガウスコードが入力されていません");
    EXPECT_EQ(gauss("1 -2 3 -1 2"), "交点 3 を 1 回しか通っていません (上と下で 1 回ずつのはずです)");
    EXPECT_EQ(gauss("1 2 -1 2"), "交点 2 を 2 回とも上で通っています (上と下で 1 回ずつのはずです)");
    EXPECT_EQ(gauss("1 -1 0"), "交点の番号に 0 は使えません: 6 文字目の「0」");
    EXPECT_EQ(gauss("1 2 -1 -2"), "平面に描けないガウスコードです");
}

}  // namespace
}  // namespace ravelon
