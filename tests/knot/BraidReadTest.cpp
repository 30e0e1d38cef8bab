// SPDX-License-Identifier: GPL-3.0-or-later
// Braid words and torus knot names: random words against the closure built
// by the test support, torus knots against their published Jones
// polynomials, and the messages for bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "knot/BraidRead.h"
#include "knot/PdRead.h"
#include "knot/TorusRead.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

using testing::NonZero;
using testing::JonesOf;
using testing::Mirror;
using testing::TTermMap;

// The word in Tietze's notation, in one of its written forms, and in letters.
std::string Tietze(const std::vector<int>& Word, int Form) {
    std::string out = Form == 1 ? "[" : Form == 2 ? "{" : "";
    for (std::size_t i = 0; i < Word.size(); ++i)
        out += (i == 0 ? "" : Form == 0 ? " " : ", ") + std::to_string(Word[i]);
    return out + (Form == 1 ? "]" : Form == 2 ? "}" : "");
}
std::string Letters(const std::vector<int>& Word) {
    std::string out;
    for (const int g : Word) out += static_cast<char>(g > 0 ? 'a' + g - 1 : 'A' - g - 1);
    return out;
}

TEST(BraidRead, RandomWordsCloseAsTheSupportClosesThem) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        const int strands = 2 + round % 4;
        const std::vector<int> word = testing::RandomBraidWord(rng, strands, 1 + round % 9);
        int largest = 0;
        for (const int g : word) largest = std::max(largest, std::abs(g));
        const int given = round % 3 == 0 ? strands + 1 : 0;
        const TKnot oracle = testing::BraidClosure(given == 0 ? largest + 1 : given, word);
        for (const std::string& text : {Tietze(word, round % 3), Letters(word)}) {
            const TKnot read = ReadBraidWord(text, given);
            EXPECT_EQ(read.Writhe(), oracle.Writhe()) << text;
            EXPECT_EQ(JonesOf(read), JonesOf(oracle)) << text;
            EXPECT_EQ(read.FEdgeCount(), oracle.FEdgeCount()) << text;
        }
    }
}

TEST(BraidRead, SmallBraidsAreTheTablesKnots) {
    std::map<std::string, std::string> pd;
    for (const auto& row : testing::ReadTableFile(RAVELON_KNOT_TABLE)) pd[row.Name] = row.Pd;
    const TTermMap trefoil = JonesOf(ReadPdCode(pd.at("3_1")));
    EXPECT_EQ(JonesOf(ReadBraidWord("1 1 1")), trefoil);
    EXPECT_EQ(JonesOf(ReadBraidWord("aaa")), trefoil);
    EXPECT_EQ(JonesOf(ReadTorusName("T(2, 3)")), trefoil);
    EXPECT_EQ(JonesOf(ReadBraidWord("aBaB")), JonesOf(ReadPdCode(pd.at("4_1"))));
    EXPECT_EQ(JonesOf(ReadBraidWord("1 -2 1 -2")), JonesOf(ReadPdCode(pd.at("4_1"))));
    // An untouched strand is a circle apart: the trefoil times d = -t^(1/2) - t^(-1/2).
    const TKnot withCircle = ReadBraidWord("[1, 1, 1]", 3);
    EXPECT_EQ(withCircle.FEdgeCount(), 7);
    EXPECT_EQ(JonesOf(withCircle), JonesOf(testing::BraidClosure(3, {1, 1, 1})));
}

// V(T(p,q)) = t^((p-1)(q-1)/2) (1 - t^(p+1) - t^(q+1) + t^(p+q)) / (1 - t^2).
TTermMap PublishedTorusJones(int p, int q) {
    std::map<int, long> n{{0, 1}};
    n[p + 1] -= 1;
    n[q + 1] -= 1;
    n[p + q] += 1;
    std::vector<long> quotient(static_cast<std::size_t>(p + q + 1), 0);
    for (int k = 0; k <= p + q; ++k) quotient[k] = (n.count(k) ? n[k] : 0) + (k >= 2 ? quotient[k - 2] : 0);
    TTermMap out;
    for (int k = 0; k <= p + q; ++k)
        if (quotient[k] != 0) out[{k + (p - 1) * (q - 1) / 2, 1}] = quotient[k];
    return out;
}

TEST(TorusRead, TorusKnotsHaveThePublishedJonesPolynomial) {
    for (const auto& [p, q] : {std::pair{2, 3}, {2, 5}, {2, 9}, {3, 4}, {3, 5}, {4, 5}, {3, 7}, {5, 6}}) {
        const TTermMap published = PublishedTorusJones(p, q);
        const std::string name = "T(" + std::to_string(p) + "," + std::to_string(q) + ")";
        EXPECT_EQ(JonesOf(ReadTorusName(name)), published) << name;
        const TKnot swapped = ReadTorusName(" T ( " + std::to_string(q) + " , " + std::to_string(p) + " ) ");
        EXPECT_EQ(swapped.FEdges, TorusKnot(p, q).FEdges) << name;
        EXPECT_EQ(JonesOf(TorusKnot(-p, q)), Mirror(published)) << name;
        EXPECT_EQ(JonesOf(TorusKnot(-p, -q)), published) << name;
    }
    for (const char* unknot : {"T(1,5)", "T(-7, 1)"}) {
        const TKnot k = ReadTorusName(unknot);
        EXPECT_EQ(k.FCrossingCount(), 0) << unknot;
        EXPECT_EQ(JonesOf(k), NonZero(TPoly(1))) << unknot;
    }
}

template <typename F>
std::string MessageOf(F Read) {
    try {
        Read();
    } catch (const TBraidError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(BraidRead, BadInputNamesItsFault) {
    auto braid = [](const std::string& text, int strands = 0) {
        return MessageOf([&] { ReadBraidWord(text, strands); });
    };
    EXPECT_EQ(braid("1 0 1"), "0 は生成元になりません: 3 文字目の「0」");
    EXPECT_EQ(braid("1 -1000"), "生成元の番号が大きすぎます (999 まで): 4 文字目の「1000」");
    EXPECT_EQ(braid("1 99999999999"), "生成元の番号が大きすぎます (999 まで): 3 文字目の「99999999999」");
    EXPECT_EQ(braid(" "), "組みひもが入力されていません");
    EXPECT_EQ(braid("[ ]"), "組みひもに生成元がありません");
    EXPECT_EQ(braid("1 2 a"), "組みひもの生成元は数で揃えてください: 5 文字目の「a」");
    EXPECT_EQ(braid("[1, 2"), "組みひもとして読めません: 最後に「]」がありません");
    EXPECT_EQ(braid("1 --2"), "組みひもとして読めません: 4 文字目の「-」");
    EXPECT_EQ(braid("1;2"), "組みひもとして読めない文字があります: 2 文字目の「;」");
    EXPECT_EQ(braid("1 2 3", 3), "生成元 3 には紐が 4 本以上要ります (3 本です)");
    EXPECT_EQ(braid("1", -1), "紐の本数 -1 は扱えません (1 から 1000 まで)");
    auto torus = [](const std::string& text) { return MessageOf([&] { ReadTorusName(text); }); };
    EXPECT_EQ(torus("T(0,3)"), "T(p, q) の p と q は 0 にできません: 3 文字目の「0」");
    EXPECT_EQ(torus("T(2,-101)"), "T(p, q) の数が大きすぎます (絶対値 100 まで): 6 文字目の「101」");
    EXPECT_EQ(torus("T(2 3)"), "トーラス結び目の名前として読めません: 5 文字目の「3」 (T(p, q) の形で書いてください)");
    EXPECT_EQ(torus("T(2,3"), "トーラス結び目の名前として読めません: 途中で終わっています");
    EXPECT_EQ(torus("T(2,3)x"), "トーラス結び目の名前として読めません: 7 文字目の「x」 (T(p, q) の形で書いてください)");
}

}  // namespace
}  // namespace ravelon
