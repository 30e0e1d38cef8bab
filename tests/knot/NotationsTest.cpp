// SPDX-License-Identifier: GPL-3.0-or-later
// The readers and writers of the notations against independent truths: every
// table entry rewritten by converters written here (PD forms, O/U and
// classical Gauss codes from the PD labels) and by the program's writers;
// braid words against the closure of the test support; torus knots and DT
// codes against published Jones polynomials; and the messages for bad input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <numeric>
#include <random>
#include <regex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "knot/BraidRead.h"
#include "knot/DtCode.h"
#include "knot/DtRead.h"
#include "knot/GaussCode.h"
#include "knot/GaussRead.h"
#include "knot/GaussWordRead.h"
#include "knot/PdRead.h"
#include "knot/TorusRead.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/TableFile.h"

namespace ravelon {
namespace {

using testing::JonesOf;
using testing::Mirror;
using testing::NonZero;
using testing::TTermMap;
using TCrossings = std::vector<std::vector<int>>;

#ifdef RAVELON_SANITIZED_TESTS
constexpr std::size_t kStride = 37;
#else
constexpr std::size_t kStride = 1;
#endif

bool SameUpToMirror(const TTermMap& A, const TTermMap& B) { return A == B || A == Mirror(B); }

// The O/U code of a PD code from its labels alone: in X[a, b, c, d] the
// under-strand runs from a to c and the over-strand between b and d, from the
// label whose successor along the component is the other (consecutive labels,
// or the larger where the numbering wraps round); from d to b is positive.
std::string OuCodeOfPd(const TCrossings& Pd) {
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

// "[(a, b, c, d), ...]" with every label moved by Shift.
std::string Tuples(const TCrossings& Code, int Shift) {
    std::string out = "[";
    for (std::size_t c = 0; c < Code.size(); ++c) {
        out += c == 0 ? "(" : ", (";
        for (std::size_t i = 0; i < Code[c].size(); ++i) out += (i == 0 ? "" : ", ") + std::to_string(Code[c][i] + Shift);
        out += ")";
    }
    return out + "]";
}

// The edges of a code in a fixed order: relabelling reorders them only.
std::vector<TEdge> SortedEdges(const TKnot& K) {
    std::vector<TEdge> edges = K.FEdges;
    std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) {
        return std::tie(a.Crossing1, a.Port1, a.Crossing2, a.Port2) < std::tie(b.Crossing1, b.Port1, b.Crossing2, b.Port2);
    });
    return edges;
}

// Every table entry in every notation: PD in tuples from 0, with scattered
// labels and clockwise (the mirror without the switch); the oriented Gauss
// code written and read back and made from the labels; for knots the DT code
// written and read back and the classical Gauss code from the labels (both
// up to the mirror image, which they do not record).
TEST(Notations, EveryTableEntryInEveryNotation) {
    std::mt19937 rng(5);
    const std::vector<testing::TTableRow> rows = testing::ReadTableFile(RAVELON_KNOT_TABLE);
    for (std::size_t i = 0; i < rows.size(); i += kStride) {
        const testing::TTableRow& row = rows[i];
        const TCrossings code = testing::PdCrossings(row.Pd);
        const TKnot k = ReadPdCode(row.Pd);
        const TTermMap jones = JonesOf(k);
        const TKnot tuples = ReadPdCode(Tuples(code, -1));
        EXPECT_EQ(tuples.FEdges, k.FEdges) << row.Name;
        int largest = 0;
        for (const auto& x : code) largest = std::max(largest, *std::max_element(x.begin(), x.end()));
        std::vector<int> to(static_cast<std::size_t>(largest) + 1);
        std::iota(to.begin(), to.end(), 0);
        std::shuffle(to.begin(), to.end(), rng);
        TCrossings scattered = code, clockwise = code;
        for (auto& x : scattered)
            for (int& label : x) label = 1000 + 37 * to[static_cast<std::size_t>(label)];
        EXPECT_EQ(SortedEdges(ReadPdCode(testing::PdString(scattered))), SortedEdges(k)) << row.Name;
        for (auto& x : clockwise)
            if (x.size() == 4) std::swap(x[1], x[3]);
        EXPECT_EQ(ReadPdCode(testing::PdString(clockwise), {.Clockwise = true}).FEdges, k.FEdges) << row.Name;
        EXPECT_EQ(JonesOf(ReadPdCode(testing::PdString(clockwise))), Mirror(jones)) << row.Name;

        const std::string gauss = OrientedGaussCode(k);
        const TKnot back = ReadOrientedGauss(gauss);
        EXPECT_EQ(back.Writhe(), k.Writhe()) << row.Name << " " << gauss;
        EXPECT_EQ(JonesOf(back), jones) << row.Name << " " << gauss;
        if (code.size() == 1 && code[0].size() == 2) continue;  // the unknot X[1,1]
        const std::string ou = OuCodeOfPd(code);
        EXPECT_EQ(JonesOf(ReadOrientedGauss(ou)), jones) << row.Name << " " << ou;
        if (row.Components != "1") continue;
        const std::string dt = DtCode(k);
        const TKnot fromDt = ReadDtCode(dt);
        EXPECT_TRUE(SameUpToMirror(JonesOf(fromDt), jones)) << row.Name << " " << dt;
        EXPECT_EQ(DtCode(fromDt), dt) << row.Name;
        std::string classical = std::regex_replace(ou, std::regex("O(\\d+)[+-]"), "$1 ");
        classical = std::regex_replace(classical, std::regex("U(\\d+)[+-]"), "-$1 ");
        EXPECT_TRUE(SameUpToMirror(JonesOf(ReadGaussCode(classical)), jones)) << row.Name << " " << classical;
    }
}

// Random braid words, in integers and in letters, close as the test
// support's separately written closure does; 1 1 1 is the table's 3_1.
TEST(Notations, BraidWordsCloseAsTheSupportClosesThem) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        const std::vector<int> word = testing::RandomBraidWord(rng, 2 + round % 4, 1 + round % 9);
        int largest = 0;
        std::string integers = round % 2 ? "[" : "", letters;
        for (const int g : word) {
            largest = std::max(largest, std::abs(g));
            integers += std::to_string(g) + (round % 2 ? ", " : " ");
            letters += static_cast<char>(g > 0 ? 'a' + g - 1 : 'A' - g - 1);
        }
        if (round % 2) integers += "]";
        const int given = round % 3 == 0 ? largest + 2 : 0;  // a strand apart
        const TKnot oracle = testing::BraidClosure(given == 0 ? largest + 1 : given, word);
        for (const std::string& text : {integers, letters}) {
            const TKnot read = ReadBraidWord(text, given);
            EXPECT_EQ(read.Writhe(), oracle.Writhe()) << text;
            EXPECT_EQ(JonesOf(read), JonesOf(oracle)) << text;
        }
    }
    for (const auto& row : testing::ReadTableFile(RAVELON_KNOT_TABLE)) {
        if (row.Name != "3_1") continue;
        EXPECT_EQ(JonesOf(ReadBraidWord("1 1 1")), JonesOf(ReadPdCode(row.Pd)));
    }
}

// V(T(p,q)) = t^((p-1)(q-1)/2) (1 - t^(p+1) - t^(q+1) + t^(p+q)) / (1 - t^2).
TEST(Notations, TorusKnotsHaveThePublishedJonesPolynomial) {
    for (const auto& [p, q] : {std::pair{2, 3}, {2, 9}, {3, 4}, {3, 5}, {4, 5}, {3, 7}, {5, 6}}) {
        std::vector<long> n(static_cast<std::size_t>(p + q + 1), 0), quotient(n.size(), 0);
        n[0] = 1;
        n[static_cast<std::size_t>(p + 1)] -= 1;
        n[static_cast<std::size_t>(q + 1)] -= 1;
        n[static_cast<std::size_t>(p + q)] += 1;
        TTermMap published;
        for (std::size_t k = 0; k < n.size(); ++k) {
            quotient[k] = n[k] + (k >= 2 ? quotient[k - 2] : 0);
            if (quotient[k] != 0) published[{static_cast<int>(k) + (p - 1) * (q - 1) / 2, 1}] = quotient[k];
        }
        const std::string name = " T ( " + std::to_string(q) + " , " + std::to_string(p) + " ) ";
        EXPECT_EQ(JonesOf(ReadTorusName(name)), published) << name;
        EXPECT_EQ(JonesOf(TorusKnot(-p, q)), Mirror(published)) << name;
    }
    EXPECT_EQ(JonesOf(ReadTorusName("T(1,5)")), NonZero(TPoly(1)));
}

// Published DT codes give the table's Jones polynomial up to the mirror, and
// a 101-crossing knot's DT code reads back.
TEST(Notations, PublishedAndLongDtCodes) {
    std::map<std::string, std::string> table;
    for (const testing::TTableRow& row : testing::ReadTableFile(RAVELON_KNOT_TABLE)) table[row.Name] = row.Pd;
    for (const auto& [name, code] : std::vector<std::pair<std::string, std::string>>{
             {"3_1", "[4, 6, 2]"}, {"3_1", "cacbca"}, {"4_1", "4 6 8 2"}, {"5_1", "6 8 10 2 4"},
             {"8_19", "4 8 -12 2 -14 -16 -6 -10"}, {"8_20", "4 8 -12 2 -14 -6 -16 -10"},
             {"8_21", "4 8 -12 2 14 -6 16 10"}, {"8_19", "bdFaGHCE"}})
        EXPECT_TRUE(SameUpToMirror(JonesOf(ReadDtCode(code)), JonesOf(ReadPdCode(table.at(name))))) << name << " " << code;
    std::mt19937 rng(2718);
    for (;;) {
        const std::vector<int> word = testing::RandomBraidWord(rng, 4, 101);
        std::vector<int> at{0, 1, 2, 3};  // the permutation of the closure: one cycle is one component
        for (const int g : word) std::swap(at[static_cast<std::size_t>(std::abs(g)) - 1], at[static_cast<std::size_t>(std::abs(g))]);
        int length = 1;
        for (int s = at[0]; s != 0; s = at[static_cast<std::size_t>(s)]) ++length;
        if (length != 4) continue;
        const TKnot k = testing::BraidClosure(4, word);
        const TKnot back = ReadDtCode(DtCode(k));
        EXPECT_EQ(back.FCrossingCount(), 101);
        EXPECT_TRUE(SameUpToMirror(JonesOf(back), JonesOf(k)));
        break;
    }
}

// Each reader names the first thing out of place and where, and refuses a
// code that cannot be drawn in the plane.
TEST(Notations, BadInputNamesItsFault) {
    const auto message = [](const std::function<void()>& Read) {
        try {
            Read();
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("(read)");
    };
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { ReadPdCode("[(0, 3, 1, 4), (3, 0, 4, 1]"); }, "PD コードとして読めません: 27 文字目の「]」"},
        {[] { ReadBraidWord("1 0 1"); }, "0 は生成元になりません: 3 文字目の「0」"},
        {[] { ReadBraidWord("1 2 3", 3); }, "生成元 3 には紐が 4 本以上要ります (3 本です)"},
        {[] { ReadTorusName("T(2,-101)"); }, "T(p, q) の数が大きすぎます (絶対値 100 まで): 6 文字目の「101」"},
        {[] { ReadOrientedGauss("O1-U2*"); }, "向き付きガウスコードとして読めない文字があります: 6 文字目の「*」"},
        {[] { ReadOrientedGauss("O1-U2-O3-U1+O2-U3-"); }, "交点 1 の符号が 1 文字目と 10 文字目で食い違っています"},
        {[] { ReadOrientedGauss("O1+O2+U1+U2+"); }, "平面に描けない向き付きガウスコードです"},
        {[] { ReadDtCode("4 4"); }, "DT コードに 4 が 2 回あります: 3 文字目の「4」"},
        {[] { ReadDtCode("4 6 8 10 2"); }, "平面に描けない DT コードです"},  // none of its 32 turnings is planar
        {[] { ReadGaussCode("1 2 -1 2"); }, "交点 2 を 2 回とも上で通っています (上と下で 1 回ずつのはずです)"},
        {[] { ReadGaussCode("1 2 -1 -2"); }, "平面に描けないガウスコードです"},
    };
    for (const auto& [read, expected] : cases) EXPECT_EQ(message(read), expected);
}

}  // namespace
}  // namespace ravelon
