// SPDX-License-Identifier: GPL-3.0-or-later
// ravelon-calc --code-in: one knot written in every notation gives one Jones
// polynomial (up to the mirror image where the notation does not tell it),
// the notation named by a prefix, by --code-format or by the text.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/cli/CalcRun.h"

namespace ravelon {
namespace {

using namespace calctest;

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = Text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(Text.substr(start, end - start));
    return lines;
}

// What --table prints after Prefix for the entry Name.
std::string TableLine(const std::string& Options, const std::string& Name, const std::string& Prefix) {
    for (const std::string& line : Lines(Calc("--table " + Options + " '" + Name + "'").Out))
        if (line.rfind(Prefix, 0) == 0) return line.substr(Prefix.size());
    return {};
}

TEST(CalcCodeIn, EveryNotationOfAKnotGivesItsJonesPolynomial) {
    for (const std::string name : {"8_19", "10_132", "L7a1{0}"}) {
        const std::string pd = TableLine("--pd", name, "  PD: ");
        const std::string gauss = TableLine("--gauss", name, "  ガウスコード: ");
        ASSERT_FALSE(pd.empty() || gauss.empty()) << name;
        std::string lines = "PD: " + pd + "\n" + pd + "\ngauss: " + gauss + "\n" + gauss + "\n";
        const bool knot = name[0] != 'L';
        if (knot) {
            // The classical Gauss code: the oriented one without its signs.
            std::string classical = std::regex_replace(gauss, std::regex("O(\\d+)[+-]"), "$1 ");
            classical = std::regex_replace(classical, std::regex("U(\\d+)[+-]"), "-$1 ");
            lines += classical + "\n";
        }
        const TRun r = Calc("--code-in --jones " + TInputFile(lines).Name);
        ASSERT_EQ(r.Status, 0) << r.Err;
        const std::string jones = TableLine("--jones", name, "  ジョーンズ多項式: ");
        const std::vector<std::string> out = Lines(r.Out);
        const std::vector<std::string> notations = {"PD コード", "PD コード", "ガウスコード", "ガウスコード", "ガウスコード"};
        ASSERT_EQ(out.size(), (knot ? 5u : 4u) * 3 - 1) << r.Out;
        // The mirror image: the PD code read as if it were clockwise.
        const std::string mirror =
            Lines(Calc("--pd-in --pd-clockwise --jones " + TInputFile(pd + "\n").Name).Out).at(1);
        for (std::size_t k = 0; 3 * k < out.size(); ++k) {
            EXPECT_NE(out[3 * k].find("(" + notations[k] + ")"), std::string::npos) << out[3 * k];
            // The classical Gauss code (line 5) does not tell the mirror image.
            if (k < 4 || out[3 * k + 1] != mirror) {
                EXPECT_EQ(out[3 * k + 1], "  ジョーンズ多項式: " + jones) << name << " line " << k + 1;
            }
        }
    }
}

// T(3, 4), its braid word and 8_19's DT code are one knot up to the mirror.
TEST(CalcCodeIn, TorusNameBraidAndDtCode) {
    const std::string dt = TableLine("--dt", "8_19", "  DT: ");
    ASSERT_FALSE(dt.empty());
    const TInputFile in("T(3,4)\nbraid: 1 2 1 2 1 2 1 2\nBRAID: abababab\n" + dt + "\nDT: " + dt + "\n");
    const TRun r = Calc("--code-in --json --jones " + in.Name);
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::vector<std::string> out = Lines(r.Out);
    ASSERT_EQ(out.size(), 5u);
    const std::regex jones("\"jones\": (\\{.*\\})");
    std::smatch first, each;
    ASSERT_TRUE(std::regex_search(out[0], first, jones));
    const std::vector<std::string> notations = {"torus", "braid", "braid", "dt", "dt"};
    for (std::size_t k = 0; k < out.size(); ++k) {
        EXPECT_NE(out[k].find("\"notation\": \"" + notations[k] + "\""), std::string::npos) << out[k];
        ASSERT_TRUE(std::regex_search(out[k], each, jones)) << out[k];
        if (k < 3) {
            EXPECT_EQ(each[1], first[1]) << out[k];
        }
    }
    // The DT code reads as 8_19 or its mirror: identified by the table.
    const TRun id = Calc("--code-in --identify --jones " + in.Name);
    EXPECT_NE(id.Out.find("同定: 8_19"), std::string::npos) << id.Out;
}

// Letters alone need a prefix or --code-format; an unknown prefix is named.
TEST(CalcCodeIn, LettersAloneNeedTheirNotation) {
    const TInputFile in("aBaB\nfoo: 1 2\n");
    const TRun r = Calc("--code-in --jones " + in.Name);
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("1 行目: 文字だけのコードは組みひもか DT コードか決められません"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("2 行目: 知らない記法です: 「foo」"), std::string::npos) << r.Err;
    const TRun braid = Calc("--code-in --code-format braid --jones " + in.Name);
    EXPECT_NE(braid.Out.find("1 行目 (組みひも)\n  ジョーンズ多項式: t^2 - t + 1 - t^-1 + t^-2"), std::string::npos) << braid.Out;
    EXPECT_EQ(Calc("--code-format dt --jones x.rvd").Status, 2);
}

}  // namespace
}  // namespace ravelon
