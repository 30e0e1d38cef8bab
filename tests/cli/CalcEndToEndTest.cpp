// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built ravelon-calc binary on the example files and checks what it
// prints and its exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <sstream>
#include <variant>
#include <vector>

#include "cli/Calc.h"
#include "diagram/Draw.h"

#include "tests/cli/CalcRun.h"

namespace ravelon {
namespace {

using namespace calctest;

TEST(CalcEndToEnd, PrintsTheInvariantsOfOneAndOfSeveralFiles) {
    const TRun one = Calc(Example("trefoil-right.rvd"));
    EXPECT_EQ(one.Status, 0);
    EXPECT_EQ(one.Err, "");
    EXPECT_EQ(Lines(one.Out), (std::vector<std::string>{kExamples + "/trefoil-right.rvd",
                                                        "  ブラケット多項式: -A^5 - A^-3 + A^-7",
                                                        "  ねじり数: 3",
                                                        "  ジョーンズ多項式: -t^4 + t^3 + t"}));

    const TRun two = Calc("--twist " + Example("unknot.rvd") + " " + Example("hopf-link.rvd"));
    EXPECT_EQ(two.Status, 0);
    EXPECT_EQ(Lines(two.Out), (std::vector<std::string>{kExamples + "/unknot.rvd", "  ねじり数: 0", "",
                                                        kExamples + "/hopf-link.rvd", "  ねじり数: 2"}));

    // The state sum gives the same polynomials.
    const TRun reference = Calc("--reference " + Example("trefoil-right.rvd"));
    EXPECT_EQ(reference.Out, one.Out);
}

TEST(CalcEndToEnd, JsonIsOneObjectPerFileWithExactTerms) {
    const TRun r = Calc("--json " + Example("trefoil-right.rvd") + " " + Example("borromean-rings.rvd"));
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto lines = Lines(r.Out);
    ASSERT_EQ(lines.size(), 2u);
    const TJson trefoil = TJsonReader(lines[0]).Read();
    EXPECT_EQ(std::get<std::string>(trefoil["file"].V), kExamples + "/trefoil-right.rvd");
    EXPECT_EQ(std::get<long long>(trefoil["crossings"].V), 3);
    EXPECT_EQ(std::get<long long>(trefoil["components"].V), 1);
    EXPECT_EQ(std::get<std::string>(trefoil["bracket"]["text"].V), "-A^5 - A^-3 + A^-7");
    EXPECT_EQ(std::get<long long>(trefoil["twist"].V), 3);
    const TJson& terms = trefoil["jones"]["terms"];
    ASSERT_EQ(std::get<3>(terms.V).size(), 3u);
    EXPECT_EQ(std::get<long long>(terms[0][0].V), 4);
    EXPECT_EQ(std::get<long long>(terms[0][1].V), 1);
    EXPECT_EQ(std::get<long long>(terms[0][2].V), -1);

    const TJson rings = TJsonReader(lines[1]).Read();
    EXPECT_EQ(std::get<long long>(rings["components"].V), 3);
    EXPECT_EQ(std::get<long long>(rings["crossings"].V), 6);

    const TRun only = Calc("--json --jones " + Example("hopf-link.rvd"));
    const TJson hopf = TJsonReader(Lines(only.Out).at(0)).Read();
    EXPECT_TRUE(hopf.Has("jones"));
    EXPECT_FALSE(hopf.Has("bracket"));
    EXPECT_FALSE(hopf.Has("twist"));
    EXPECT_EQ(std::get<std::string>(hopf["jones"]["text"].V), "-t^(5/2) - t^(1/2)");
    const TJson& half = hopf["jones"]["terms"][0];
    EXPECT_EQ(std::get<long long>(half[0].V), 5);
    EXPECT_EQ(std::get<long long>(half[1].V), 2);
}

TEST(CalcEndToEnd, PdCodeOfTheTrefoil) {
    const TRun r = Calc("--pd --twist " + Example("trefoil-right.rvd"));
    ASSERT_EQ(r.Status, 0);
    const auto lines = Lines(r.Out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].rfind("  PD: PD[X[", 0), 0u) << lines[2];
    // Three crossings, each arc 1..6 used exactly twice.
    std::map<int, int> uses;
    int crossings = 0;
    for (std::size_t p = 0; (p = lines[2].find("X[", p)) != std::string::npos; ++p) {
        ++crossings;
        int a, b, c, d;
        ASSERT_EQ(std::sscanf(lines[2].c_str() + p, "X[%d, %d, %d, %d]", &a, &b, &c, &d), 4);
        for (int arc : {a, b, c, d}) ++uses[arc];
    }
    EXPECT_EQ(crossings, 3);
    EXPECT_EQ(uses, (std::map<int, int>{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}));

    // A curve without crossings has no place in PD notation: said on standard error.
    const TRun loop = Calc("--pd " + Example("unknot.rvd"));
    EXPECT_EQ(loop.Status, 0);
    EXPECT_NE(loop.Out.find("PD: PD[]"), std::string::npos);
    EXPECT_NE(loop.Err.find("PD"), std::string::npos);
}

TEST(CalcEndToEnd, BrokenFilesAndWrongUsage) {
    const auto dir = std::filesystem::temp_directory_path() / ("ravelon-broken-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string broken = (dir / "broken.rvd").string();
    std::ofstream(broken) << "  400  300\r\n\r\n   12a";
    const TRun r = Calc(Example("unknot.rvd") + " '" + broken + "' '" + (dir / "missing.rvd").string() + "' " +
                        Example("hopf-link.rvd"));
    std::filesystem::remove_all(dir);
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Out.find("unknot.rvd"), std::string::npos);
    EXPECT_NE(r.Out.find("hopf-link.rvd"), std::string::npos);
    EXPECT_EQ(r.Out.find("broken.rvd"), std::string::npos);
    EXPECT_NE(r.Err.find(broken + ": 入力値が数値ではありません"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("missing.rvd: ファイルが見つかりません"), std::string::npos) << r.Err;

    for (const char* args : {"", "--frobnicate x.rvd", "--json"}) {
        const TRun bad = Calc(args);
        EXPECT_EQ(bad.Status, 2) << args;
        EXPECT_NE(bad.Err.find("使い方"), std::string::npos) << args;
        EXPECT_EQ(bad.Out, "") << args;
    }
    const TRun version = Calc("--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "ravelon-calc 1.2.0.30\n");
    EXPECT_EQ(Calc("--help").Status, 0);
}

// Writes the closed polygons Curves, drawn in order with the flags as drawn,
// as a knot data file; returns its quoted name.
std::string DrawnFile(const std::filesystem::path& Dir, const std::string& Name,
                      const std::vector<std::vector<TPoint>>& Curves) {
    TDraw d;
    for (const auto& curve : Curves) {
        d.BeginGroup(curve.front());
        for (std::size_t i = 1; i < curve.size(); ++i) d.ExtendGroup(curve[i]);
        d.CloseGroup();
    }
    d.SaveToFile((Dir / Name).string(), 700, 500);
    return "'" + (Dir / Name).string() + "'";
}

// The drawings a new user makes with corners on lines, a spike and three
// lines through one point compute as knots and links do.
TEST(CalcEndToEnd, DrawingsOutOfGeneralPosition) {
    const auto dir = std::filesystem::temp_directory_path() / ("ravelon-drawn-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::vector<TPoint> square{{100, 100}, {400, 100}, {400, 400}, {100, 400}};
    const std::string files =
        DrawnFile(dir, "hexagon.rvd", {{{100, 100}, {300, 300}, {300, 100}, {100, 300}, {200, 50}, {200, 350}}}) + " " +
        DrawnFile(dir, "corner.rvd", {square, {{250, 50}, {250, 100}, {250, 250}, {600, 250}, {600, 50}}}) + " " +
        DrawnFile(dir, "spike.rvd", {{{100, 100}, {400, 100}, {400, 300}, {200, 300}, {200, 50}, {200, 200}, {100, 300}}});
    const TRun r = Calc("--jones " + files);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("hexagon.rvd\n  ジョーンズ多項式: 1\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("corner.rvd\n  ジョーンズ多項式: -t^(1/2) - t^(-1/2)\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("spike.rvd\n  ジョーンズ多項式: 1\n"), std::string::npos) << r.Out;
}

// Output that cannot be written is a failure; so is running out of memory,
// reported in the user's words.
TEST(CalcEndToEnd, UnwritableOutputAndNoMemory) {
    const int raw = std::system(("'" + kCalc + "' " + Example("trefoil-right.rvd") + " >/dev/full 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);

    // An output whose every write runs out of memory.
    struct TNoMemory : std::streambuf {
        int_type overflow(int_type) override { throw std::bad_alloc(); }
    } buffer;
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit);
    std::ostringstream err;
    EXPECT_EQ(RunCalc({kExamples + "/trefoil-right.rvd"}, out, err), 1);
    EXPECT_NE(err.str().find("trefoil-right.rvd: メモリが不足しています\n"), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("bad_alloc"), std::string::npos);
}

}  // namespace
}  // namespace ravelon
