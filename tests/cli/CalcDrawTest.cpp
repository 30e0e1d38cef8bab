// SPDX-License-Identifier: GPL-3.0-or-later
// ravelon-calc drawing codes: --table names entries of the knot table,
// --draw writes the diagram of every code into a folder, and the file
// written reads back as the same knot.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "diagram/Draw.h"
#include "tests/cli/CalcRun.h"

namespace ravelon {
namespace {

using namespace calctest;
namespace fs = std::filesystem;

// A folder name that does not exist yet, removed afterwards with what it holds.
struct TOutFolder {
    fs::path Dir = fs::temp_directory_path() / ("ravelon-draw-" + std::to_string(::getpid())) / "out";
    TOutFolder() { fs::remove_all(Dir.parent_path()); }
    ~TOutFolder() { fs::remove_all(Dir.parent_path()); }
    std::string Quoted() const { return "'" + Dir.string() + "'"; }
    std::string File(int N) const { return (Dir / (std::to_string(N) + ".rvd")).string(); }
};

TEST(CalcDraw, TheTableEntryIsDrawnAndIdentifiedFromItsFile) {
    const TOutFolder out;
    const TRun r = Calc("--table 8_19 --draw " + out.Quoted());
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(Lines(r.Out), (std::vector<std::string>{"8_19", "  ブラケット多項式: A^12 + A^4 - A^-8", "  ねじり数: 8",
                                                      "  ジョーンズ多項式: -t^8 + t^5 + t^3", "  図: " + out.File(1)}));
    ASSERT_TRUE(fs::exists(out.File(1)));
    const TRun id = Calc("--identify --jones '" + out.File(1) + "'");
    EXPECT_EQ(id.Status, 0) << id.Err;
    EXPECT_EQ(Lines(id.Out), (std::vector<std::string>{out.File(1), "  ジョーンズ多項式: -t^8 + t^5 + t^3", "  同定: 8_19"}));
    TDraw d;
    int width = 0, height = 0;
    d.LoadFromFile(out.File(1), width, height);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 300);
    EXPECT_EQ(d.FGroupCount, 1);
}

TEST(CalcDraw, CodesAreNumberedInOrderAndAnUnknownNameIsAnError) {
    const TOutFolder out;
    const TRun r = Calc("--table --twist 3_1 nosuch 'L6a4{0,0}' --draw " + out.Quoted());
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(Lines(r.Err), (std::vector<std::string>{"nosuch: 結び目の表にない名前です"}));
    // What is printed without --draw, with the file's line after each entry.
    std::vector<std::string> expected = Lines(Calc("--table --twist 3_1 'L6a4{0,0}'").Out);
    ASSERT_EQ(expected.size(), 5u);
    expected.insert(expected.begin() + 2, "  図: " + out.File(1));
    expected.push_back("  図: " + out.File(3));
    EXPECT_EQ(Lines(r.Out), expected);
    EXPECT_TRUE(fs::exists(out.File(1)));
    EXPECT_FALSE(fs::exists(out.File(2)));
    const TRun id = Calc("--identify --twist '" + out.File(3) + "'");
    EXPECT_EQ(Lines(id.Out).back().rfind("  同定: L6a4{0,0}, ", 0), 0u) << Lines(id.Out).back();

    const TRun json = Calc("--table --json --jones 4_1");
    ASSERT_EQ(json.Status, 0);
    const TJson j = TJsonReader(Lines(json.Out).at(0)).Read();
    EXPECT_EQ(std::get<std::string>(j["table"].V), "4_1");
    EXPECT_FALSE(j.Has("drawing"));
}

TEST(CalcDraw, PdCodesAreDrawnAndUnreadableOnesReportedWithTheReadersMessage) {
    const TOutFolder out;
    const TInputFile in("X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]\n# a comment\nX[1,3,2,4] X[4,2,3,1] X[5,5]\nX[3,1,4,2] X[4,2,3,1]\nX[1,1]\n");
    const TRun r = Calc("--pd-in --json --twist --draw " + out.Quoted() + " " + in.Name);
    EXPECT_EQ(r.Status, 1);
    const std::string file = in.Name.substr(1, in.Name.size() - 2);
    EXPECT_EQ(Lines(r.Err), (std::vector<std::string>{file + " 4 行目: 平面に描けない PD コードです"}));
    const auto lines = Lines(r.Out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(std::get<std::string>(TJsonReader(lines[1]).Read()["drawing"].V), out.File(2));
    for (const int n : {1, 2, 4}) {
        // What the file holds computes as the code did.
        const TRun again = Calc("--json --twist '" + out.File(n) + "'");
        ASSERT_EQ(again.Status, 0) << again.Err;
        const TJson a = TJsonReader(Lines(again.Out).at(0)).Read();
        const TJson b = TJsonReader(lines[static_cast<std::size_t>(n == 4 ? 2 : n - 1)]).Read();
        for (const char* key : {"crossings", "components", "twist"})
            EXPECT_EQ(std::get<long long>(a[key].V), std::get<long long>(b[key].V)) << n << " " << key;
    }
    EXPECT_FALSE(fs::exists(out.File(3)));
}

TEST(CalcDraw, WrongUsage) {
    for (const char* args : {"--draw", "--draw x --pd", "--table", "--table --pd-in 3_1", "--draw x file.rvd"}) {
        const TRun r = Calc(args);
        EXPECT_EQ(r.Status, 2) << args;
        EXPECT_EQ(r.Out, "") << args;
        EXPECT_EQ(r.Err.rfind("ravelon-calc: ", 0), 0u) << args;
    }
    const TRun help = Calc("--help");
    EXPECT_NE(help.Out.find("--table"), std::string::npos);
    EXPECT_NE(help.Out.find("--draw"), std::string::npos);
}

TEST(CalcDraw, AFolderThatCannotBeMadeIsAnError) {
    const TOutFolder out;
    // A file stands where the folder should be.
    fs::create_directories(out.Dir.parent_path());
    std::ofstream(out.Dir) << "not a folder";
    const TRun r = Calc("--table --twist 3_1 --draw " + out.Quoted());
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(Lines(r.Err), (std::vector<std::string>{"3_1: フォルダを作れません: " + out.Dir.string()}));
    EXPECT_EQ(r.Out, Calc("--table --twist 3_1").Out);
}

}  // namespace
}  // namespace ravelon
