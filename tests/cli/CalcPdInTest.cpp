// SPDX-License-Identifier: GPL-3.0-or-later
// ravelon-calc with PD codes in, the classical invariants and --identify, as
// a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <random>

#include "examples/generator/ExampleKnots.h"
#include "arith/PolyText.h"
#include "knot/GaussRead.h"
#include "knot/PdCode.h"
#include "tests/cli/CalcRun.h"
#include "tests/support/BraidCode.h"

namespace ravelon {
namespace {

using namespace calctest;

TEST(CalcPdIn, TheTrefoilFromStandardInput) {
    const TInputFile in("X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]\n");
    const TRun r = Calc("--pd-in --identify --alexander --signature --determinant < " + in.Name);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(Lines(r.Out), (std::vector<std::string>{"標準入力 1 行目", "  アレキサンダー多項式: t - 1 + t^-1",
                                                      "  行列式: 3", "  符号数: -2", "  同定: 3_1"}));
}

// The trefoil written clockwise is read as the same trefoil with the switch
// and as its mirror without it; the switch goes with --pd-in only.
TEST(CalcPdIn, ClockwiseCodesWithTheSwitch) {
    const TRun counterClockwise = Calc("--pd-in --jones < " + TInputFile("X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]\n").Name);
    const TInputFile in("X[1,4,2,5] X[3,6,4,1] X[5,2,6,3]\n");
    const TRun with = Calc("--pd-in --pd-clockwise --jones < " + in.Name);
    const TRun without = Calc("--pd-in --jones < " + in.Name);
    EXPECT_EQ(Lines(with.Out), (std::vector<std::string>{"標準入力 1 行目", "  ジョーンズ多項式: -t^4 + t^3 + t"}));
    EXPECT_EQ(with.Out, counterClockwise.Out);
    EXPECT_EQ(Lines(without.Out), (std::vector<std::string>{"標準入力 1 行目", "  ジョーンズ多項式: t^-1 + t^-3 - t^-4"}));
    EXPECT_EQ(Calc("--pd-clockwise --jones " + in.Name).Status, 2);
}

// What --gauss prints of every example reads back as a code of the same
// Jones polynomial, as JSON too.
TEST(CalcPdIn, GaussCodesReadBack) {
    for (const auto& entry : std::filesystem::directory_iterator(RAVELON_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".rvd") continue;
        const TRun r = Calc("--gauss --jones " + entry.path().string());
        ASSERT_EQ(r.Status, 0) << r.Err;
        const std::vector<std::string> lines = Lines(r.Out);
        ASSERT_EQ(lines.size(), 3u);
        const std::string prefix = "  ガウスコード: ";
        ASSERT_EQ(lines[2].rfind(prefix, 0), 0u) << lines[2];
        TPoly jones(0);
        ReadOrientedGauss(lines[2].substr(prefix.size())).Jones(jones);
        EXPECT_EQ("  ジョーンズ多項式: " + PolyText(jones, "t"), lines[1]) << entry.path();
    }
    const TRun json = Calc("--json --gauss --twist " + std::string(RAVELON_EXAMPLES_DIR) + "/trefoil-right.rvd");
    EXPECT_NE(json.Out.find("\"gauss\": \"O1+U2+O3+U1+O2+U3+\""), std::string::npos) << json.Out;
}

TEST(CalcPdIn, BadLinesAreNamedAndTheOthersComputed) {
    const TInputFile in("# knots\nPD[X[1, 5, 2, 4], X[3, 1, 4, 6], X[5, 3, 6, 2]]\nX[1,2,3]\n\n[[4,2,5,1],[8,6,1,5],[6,3,7,4],[2,7,3,8]]\nX[1,2,3,4]\n");
    const TRun r = Calc("--pd-in --signature " + in.Name);
    EXPECT_EQ(r.Status, 1);
    const std::string file = in.Name.substr(1, in.Name.size() - 2);
    EXPECT_EQ(Lines(r.Out), (std::vector<std::string>{file + " 2 行目", "  符号数: -2", "", file + " 5 行目", "  符号数: 0"}));
    EXPECT_EQ(Lines(r.Err), (std::vector<std::string>{
                                file + " 3 行目: 交点 1 のラベルが 4 個ではありません (3 個)",
                                file + " 6 行目: ラベル 1 が 1 回現れます (ちょうど 2 回のはずです)"}));
}

TEST(CalcPdIn, JsonIdentifyAndWhatPdPrintsReadBack) {
    const TRun first = Calc("--pd --jones --alexander --signature " + Example("figure-eight.rvd"));
    ASSERT_EQ(first.Status, 0);
    const std::string pd = Lines(first.Out).back().substr(std::string("  PD: ").size());
    const TInputFile in(pd + "\n");
    const TRun again = Calc("--pd-in --pd --jones --alexander --signature " + in.Name);
    ASSERT_EQ(again.Status, 0) << again.Err;
    // Everything but the heading is the same.
    auto body = [](const std::string& out) { return out.substr(out.find('\n')); };
    EXPECT_EQ(body(again.Out), body(first.Out));

    const TRun json = Calc("--pd-in --json --identify --determinant " + in.Name);
    const TJson j = TJsonReader(Lines(json.Out).at(0)).Read();
    EXPECT_EQ(std::get<long long>(j["line"].V), 1);
    EXPECT_EQ(std::get<long long>(j["determinant"].V), 5);
    EXPECT_EQ(std::get<std::string>(j["identify"]["candidates"][0]["name"].V), "4_1");
    EXPECT_FALSE(std::get<bool>(j["identify"]["candidates"][0]["mirror"].V));
    EXPECT_TRUE(std::get<bool>(j["identify"]["unique"].V));
}

TEST(CalcPdIn, IdentifyNamesMirrorsSeveralCandidatesAndNone) {
    // The left-handed trefoil, and the Conway knot, which shares every
    // invariant computed with the Kinoshita-Terasaka knot.
    const TInputFile in(
        "X[1,4,2,5] X[3,6,4,1] X[5,2,6,3]\n"
        "X[4,2,5,1] X[8,4,9,3] X[17,1,18,22] X[12,5,13,6] X[6,13,7,14] X[11,18,12,19] X[19,14,20,15] "
        "X[9,17,10,16] X[15,20,16,21] X[21,10,22,11] X[2,8,3,7]\n");
    // The granny knot, drawn by the example generator.
    examples::TExample granny = examples::BraidExample("granny.rvd", "3_1 # 3_1", 3, {1, 1, 1, 2, 2, 2});
    const std::string grannyFile = (in.Dir / "granny.rvd").string();
    granny.Draw.SaveToFile(grannyFile, 800, 600);
    const TRun r = Calc("--pd-in --jones --identify " + in.Name);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("  同定: 3_1 (鏡像)\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("  同定: 計算した不変量がすべて一致する候補が 2 個あります: 11n_34, 11n_42\n"), std::string::npos)
        << r.Out;
    const TRun sum = Calc("--identify --json '" + grannyFile + "'");
    EXPECT_EQ(sum.Status, 0) << sum.Err;
    const TJson j = TJsonReader(Lines(sum.Out).at(0)).Read();
    EXPECT_TRUE(std::get<std::vector<TJson>>(j["identify"]["candidates"].V).empty());
    EXPECT_FALSE(std::get<bool>(j["identify"]["unique"].V));
    const TRun text = Calc("--identify --jones '" + grannyFile + "'");
    EXPECT_NE(text.Out.find("  同定: 表の素な結び目・絡み目ではありません"), std::string::npos) << text.Out;
}

// --memory-limit bounds the bracket's memory both ways; a size that is not
// one is wrong usage. --reference computes the classical invariants the
// dense way, to the same values.
TEST(CalcPdIn, MemoryLimitAndReference) {
    std::mt19937 rng(3);
    const TInputFile in(PdText(MakePdCode(testing::BraidClosure(10, testing::RandomBraidWord(rng, 10, 60)))) + "\n");
    const TRun plain = Calc("--pd-in --jones " + in.Name);
    ASSERT_EQ(plain.Status, 0) << plain.Err;
    const TRun tight = Calc("--pd-in --jones --memory-limit 1K " + in.Name);
    EXPECT_EQ(tight.Status, 1);
    EXPECT_EQ(tight.Out, "");
    EXPECT_NE(tight.Err.find(" 1 行目: 結び目が複雑すぎて計算できません (約 "), std::string::npos) << tight.Err;
    EXPECT_NE(tight.Err.find(" のメモリが必要です)\n"), std::string::npos) << tight.Err;
    EXPECT_EQ(Calc("--pd-in --jones --memory-limit=4G " + in.Name).Out, plain.Out);
    for (const char* size : {"--memory-limit 12Q", "--memory-limit=0", "--memory-limit"}) {
        const TRun bad = Calc(std::string("--pd-in ") + size + " " + in.Name);
        EXPECT_EQ(bad.Status, 2) << size;
        EXPECT_NE(bad.Err.find("使い方"), std::string::npos) << size;
    }
    const std::string classical = "--pd-in --alexander --determinant --signature " + in.Name;
    const TRun fast = Calc(classical), dense = Calc("--reference " + classical);
    EXPECT_EQ(fast.Status, 0) << fast.Err;
    EXPECT_EQ(dense.Out, fast.Out);
}

}  // namespace
}  // namespace ravelon
