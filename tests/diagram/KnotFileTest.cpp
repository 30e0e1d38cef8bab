// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <sstream>
#include <string>

#include "diagram/Draw.h"
#include "diagram/FileError.h"
#include "tests/diagram/DiagramSupport.h"

namespace ravelon {
namespace {

namespace fs = std::filesystem;
using testing::DrawPolygon;

const char* const Triangle =
    "  400  300\r\n\r\n    3    3    1\r\n\r\n"
    "  100  100    0\r\n  200  100    0\r\n  150  200    0\r\n\r\n"
    "    0    1    0\r\n    1    2    0\r\n    2    0    0\r\n\r\n"
    "    0    1    1\r\n    0    0    1\r\n    0    0    0\r\n\r\n"
    "    0    0    0    0    0    0\r\n    0    0    0    0    0    0\r\n    0    0    0    0    0    0\r\n";

// A folder of its own for every test, removed afterwards.
class KnotFile : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = fs::temp_directory_path() / ("ravelon-file-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    void TearDown() override {
        fs::permissions(FDir, fs::perms::owner_all);
        fs::remove_all(FDir);
    }
    std::string Path(const std::string& Name) const { return (FDir / Name).string(); }
    static std::string Read(const std::string& Name) {
        std::ifstream in(Name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Write(const std::string& Name, const std::string& Text) {
        std::ofstream(Name, std::ios::binary) << Text;
    }
    // The message of the TFileError that F throws, or "" when it throws none.
    template <class F>
    static std::string ErrorOf(F&& f) {
        try {
            f();
        } catch (const TFileError& e) {
            return e.what();
        }
        return "";
    }
    int Entries() const { return static_cast<int>(std::distance(fs::directory_iterator(FDir), fs::directory_iterator())); }

    fs::path FDir;
};

TDraw TriangleDiagram() {
    TDraw d;
    DrawPolygon(d, {{100, 100}, {200, 100}, {150, 200}});
    return d;
}

TEST_F(KnotFile, TriangleAndEmptyDiagramByteForByte) {
    TriangleDiagram().SaveToFile(Path("t.rvd"), 400, 300);
    EXPECT_EQ(Read(Path("t.rvd")), Triangle);
    TDraw().SaveToFile(Path("e.rvd"), 400, 300);
    EXPECT_EQ(Read(Path("e.rvd")), "  400  300\r\n\r\n    0    0    0\r\n\r\n\r\n\r\n\r\n");
    TDraw points;
    points.BeginGroup({1, 2});
    points.SaveToFile(Path("p.rvd"), 0, 999);
    EXPECT_EQ(Read(Path("p.rvd")), "    0  999\r\n\r\n    1    0    0\r\n\r\n    1    2    0\r\n\r\n\r\n\r\n");
    EXPECT_EQ(Entries(), 3);  // no temporary file left

    TDraw d;
    int w = 0, h = 0;
    d.LoadFromFile(Path("t.rvd"), w, h);
    EXPECT_EQ(d, TriangleDiagram());
    EXPECT_EQ(w, 400);
    EXPECT_EQ(h, 300);
    d.LoadFromFile(Path("p.rvd"), w, h);  // an open group is accepted
    EXPECT_EQ(d, points);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 999);
}

TEST_F(KnotFile, WideNumbersKeepASpace) {
    TDraw d;
    DrawPolygon(d, {{-1000, 5}, {10000, 5}, {-2000000000, 2147483647}});
    d.FCross[1][2] = {12345, -99999};
    const std::string text = KnotFileText(d, 999, 999);
    EXPECT_NE(text.find(" -1000    5    0\r\n 10000    5    0\r\n"), std::string::npos);
    EXPECT_NE(text.find(" -2000000000 2147483647    0\r\n"), std::string::npos);
    EXPECT_NE(text.find(" 12345 -99999"), std::string::npos);
    // The crossings are recomputed from the points on loading.
    TDraw back;
    int w = 0, h = 0;
    back.LoadFromText(text, w, h);
    EXPECT_NE(back, d);
    d.RecomputeAllCrossings();
    EXPECT_EQ(back, d);
}

// Property: saving then loading gives back the same diagram, with swapped
// flags, moved points far outside the canvas and their crossings.
TEST_F(KnotFile, SaveThenLoadGivesTheSameDiagram) {
    std::mt19937 rng(17);
    for (int round = 0; round < 25; ++round) {
        TDraw d = testing::RandomDiagram(rng, {std::uniform_int_distribution<int>(1, 3)(rng), 3, 10, 999, false});
        d.MovePoint(0, {std::uniform_int_distribution<int>(-30000, 30000)(rng), 500});
        if (round % 3 == 0) {
            d.BeginGroup({5, 5});
            d.ExtendGroup({900, 900});
        }
        const int width = std::uniform_int_distribution<int>(0, 999)(rng);
        d.SaveToFile(Path("r.rvd"), width, 300);
        TDraw back;
        int w = -1, h = -1;
        back.LoadFromFile(Path("r.rvd"), w, h);
        ASSERT_EQ(back, d);
        ASSERT_EQ(w, width);
        ASSERT_EQ(h, 300);
    }
}

TEST_F(KnotFile, TokensSpacingEarlyEndAndNotANumber) {
    TDraw d, expected = TriangleDiagram();
    int w = 0, h = 0;
    // Every run of spacing collapsed to one space.
    const std::string collapsed = std::regex_replace(std::string(Triangle), std::regex("[ \r\n]+"), " ");
    d.LoadFromText(collapsed, w, h);
    EXPECT_EQ(d, expected);
    // Tabs and other control characters separate too; Ctrl-Z ends the file.
    std::string tabbed = std::regex_replace(std::string(Triangle), std::regex(" +"), "\t\x01");
    d.LoadFromText(tabbed + "\x1a" + "garbage 12a", w, h);
    EXPECT_EQ(d, expected);

    // A file that ends inside the crossing matrix loads (the crossings are
    // recomputed); one that ends inside the over/under matrix reads false for
    // the rest, which leaves pairs with neither line over: refused.
    const std::string text = KnotFileText(expected, 400, 300);
    TDraw bow;
    DrawPolygon(bow, {{100, 100}, {200, 200}, {200, 100}, {100, 200}});
    const std::string bowText = KnotFileText(bow, 400, 300);
    d.LoadFromText(bowText.substr(0, bowText.size() - 60), w, h);
    EXPECT_EQ(d.FLines, bow.FLines);
    EXPECT_EQ(d.FOver, bow.FOver);
    EXPECT_EQ(d.FCross[0][2], (TPoint{150, 150}));
    EXPECT_EQ(d.FCross[2][3], (TPoint{}));
    EXPECT_EQ(ErrorOf([&] { d.LoadFromText(text.substr(0, text.find("    0    1    1")), w, h); }),
              "結び目データの形式が正しくありません");

    EXPECT_EQ(ErrorOf([&] { d.LoadFromText("  400  300\r\n\r\n   12a    0    0\r\n", w, h); }),
              "入力値が数値ではありません");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromText("400 300 0 0 - ", w, h); }), "入力値が数値ではありません");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromText("400 300 0 0 2147483648", w, h); }), "入力値が数値ではありません");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromText("400 300 0 0 99999999999999999999", w, h); }), "入力値が数値ではありません");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromText("400 300 0 0 0x10", w, h); }), "入力値が数値ではありません");
    d.LoadFromText("400 +300 0 0 -0", w, h);
    EXPECT_EQ(h, 300);
    // A run of more than 32 characters is read as two numbers.
    d.LoadFromText("400 " + std::string(30, '0') + "300 0 0", w, h);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(d, TDraw{});
}

TEST_F(KnotFile, MalformedFilesLeaveTheDiagramAlone) {
    TDraw d = TriangleDiagram();
    d.SwapCrossing(0, 2);
    const TDraw before = d;
    int w = 7, h = 8;
    const std::string bad = "結び目データの形式が正しくありません";
    const std::string good = KnotFileText(TriangleDiagram(), 400, 300);
    auto with = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        const auto at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return s.replace(at, from.size(), to);
    };
    const std::vector<std::string> malformed{
        "400 300 -1 0 0",                                 // negative count
        "400 300 0 -1 0",
        "400 300 0 0 -1",
        "400 300 0 0 1",                                  // a closed group without points
        "1000 300 0 0 0",                                 // canvas larger than the canvas dialog allows
        "-1 300 0 0 0",
        "400 300 2000000000 2000000000 2000000000",       // counts the file cannot hold
        with("    3    3    1", "    3    2    1"),        // lines do not match the points
        with("    3    3    1", "    3    3    0"),        // the group is closed, count says open
        with("    3    3    1", "    3    3    2"),
        with("    2    0    0\r\n\r\n", "    9    0    0\r\n\r\n"),  // line to a point that does not exist
        with("    1    2    0", "    1    0    0"),        // line 1 must end at point 2
        with("    2    0    0\r\n\r\n", "    2    1    0\r\n\r\n"),  // closing line must end at the first point
        with("  150  200    0", "  150  200    1"),        // a point in another group
        with("  100  100    0", "  100  100    1"),        // groups not numbered from 0
    };
    for (const std::string& text : malformed) {
        EXPECT_EQ(ErrorOf([&] { d.LoadFromText(text, w, h); }), bad) << text;
        ASSERT_EQ(d, before) << text;
        ASSERT_EQ(w, 7);
        ASSERT_EQ(h, 8);
    }
    // Two points form no closed group.
    TDraw two;
    two.BeginGroup({10, 10});
    two.ExtendGroup({20, 20});
    two.FLines.push_back({1, 0, 0});
    two.FOver.assign(2, std::vector<bool>(2));
    two.FCross.assign(2, std::vector<TPoint>(2));
    two.FPoints[0].Group = two.FPoints[1].Group = 0;
    two.FGroupCount = 1;
    EXPECT_EQ(ErrorOf([&] { d.LoadFromText(KnotFileText(two, 400, 300), w, h); }), bad);
    EXPECT_EQ(d, before);
}

// Counts that the file's size rules out are refused after the counts have
// been read, not after reading the rest; a file without numbers is refused.
TEST_F(KnotFile, StreamsAndRefusesAsSoonAsTheCountsRuleTheRestOut) {
    TDraw d = TriangleDiagram();
    int w = 0, h = 0;
    const std::string bad = "結び目データの形式が正しくありません";
    for (const std::string head : {"  400  300\r\n\r\n    0 2000    0\r\n", "  400  300\r\n\r\n 2000000    0    0\r\n"}) {
        std::istringstream big(head + std::string(1'000'000, ' ') + std::string(2'000'000, '1'));
        EXPECT_EQ(ErrorOf([&] { d.LoadFromStream(big, w, h); }), bad);
        EXPECT_LE(big.tellg(), static_cast<std::streamoff>(head.size() + 1)) << "read past the counts";
    }
    std::istringstream nulls(std::string(1'000'000, '\0'));
    EXPECT_EQ(ErrorOf([&] { d.LoadFromStream(nulls, w, h); }), bad);
    EXPECT_EQ(ErrorOf([&] { d.LoadFromText("", w, h); }), bad);
    EXPECT_EQ(ErrorOf([&] { d.LoadFromText(" \r\n\x1a 400 300", w, h); }), bad);
    Write(Path("empty.rvd"), "");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile(Path("empty.rvd"), w, h); }), bad);
    EXPECT_EQ(d, TriangleDiagram());
}

// Over/under pairs must have exactly one line over; stored crossings that the
// points do not bear out are replaced by the recomputed ones.
TEST_F(KnotFile, OverUnderMustAgreeAndCrossingsAreRecomputed) {
    TDraw bow;
    DrawPolygon(bow, {{100, 100}, {200, 200}, {200, 100}, {100, 200}});
    const std::string good = KnotFileText(bow, 400, 300);
    // Over/under row r holds FOver[c][r]: make lines 0 and 1 both under, then
    // both over.
    int w = 0, h = 0;
    TDraw d;
    for (const auto& [row, changed] : {std::pair{"    0    1    1    1\r\n", "    0    0    1    1\r\n"},
                                       std::pair{"    0    0    1    1\r\n", "    1    0    1    1\r\n"}}) {
        std::string text = good;
        const std::size_t at = text.find(row);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, std::string(row).size(), changed);
        EXPECT_EQ(ErrorOf([&] { d.LoadFromText(text, w, h); }), "結び目データの形式が正しくありません") << changed;
    }
    // A file with its one crossing entry cleared, and one added.
    TDraw edited = bow;
    edited.FCross[0][2] = edited.FCross[2][0] = {};
    edited.FCross[0][1] = edited.FCross[1][0] = {130, 130};
    d.LoadFromText(KnotFileText(edited, 400, 300), w, h);
    EXPECT_EQ(d, bow);
}

// A file saved while a curve was being drawn goes on with that curve: the
// next click extends it, and closing it gives a file that loads again.
TEST_F(KnotFile, OpenGroupIsDrawnOnAfterLoading) {
    TDraw saved = TriangleDiagram();
    saved.BeginGroup({300, 100});
    saved.ExtendGroup({380, 120});
    saved.SaveToFile(Path("open.rvd"), 400, 300);
    ResetEditState();
    TDraw d;
    int w = 0, h = 0;
    d.LoadFromFile(Path("open.rvd"), w, h);
    EXPECT_EQ(DrawMode, TDrawMode::Drawing);
    EXPECT_EQ(OpenGroupStart, 3);
    EXPECT_EQ(StartPoint, (TPoint{300, 100}));
    EXPECT_EQ(LastPoint, (TPoint{380, 120}));
    EXPECT_EQ(CurrentPoint, LastPoint);
    d.ExtendGroup({340, 250});
    ASSERT_TRUE(d.CloseGroup());
    d.SaveToFile(Path("closed.rvd"), 400, 300);
    TDraw again;
    again.LoadFromFile(Path("closed.rvd"), w, h);
    EXPECT_EQ(again, d);
    EXPECT_EQ(again.FGroupCount, 2);
    EXPECT_EQ(DrawMode, TDrawMode::Idle);  // no open group: idle
    EXPECT_EQ(testing::JonesOf(again).size(), 2u);  // two separate curves
}

TEST_F(KnotFile, FileSystemErrors) {
    TDraw d = TriangleDiagram();
    int w = 0, h = 0;
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile(Path("missing.rvd"), w, h); }), "ファイルが見つかりません");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile("", w, h); }), "不正なファイル名です");
    EXPECT_EQ(ErrorOf([&] { d.SaveToFile("", 400, 300); }), "不正なファイル名です");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile(FDir.string(), w, h); }), "不正なファイル名です");
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile(Path("pipe"), w, h); }), "不正なファイル名です");  // and does not hang
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile("/dev/zero", w, h); }), "不正なファイル名です");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile(Path(std::string(300, 'x')), w, h); }), "不正なファイル名です");
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile(Path("t.rvd/x"), w, h); }), "ファイルが見つかりません");
    Write(Path("t.rvd"), Triangle);
    EXPECT_EQ(ErrorOf([&] { d.LoadFromFile(Path("t.rvd/x"), w, h); }), "不正なファイル名です");
    std::istringstream stream(Triangle);
    TDraw s;
    s.LoadFromStream(stream, w, h);
    EXPECT_EQ(s, d);
}

TEST_F(KnotFile, FailedSaveKeepsTheOldFile) {
    TDraw other;
    DrawPolygon(other, {{10, 10}, {90, 10}, {50, 90}, {20, 70}});
    // A folder that does not exist.
    EXPECT_EQ(ErrorOf([&] { other.SaveToFile(Path("nowhere/k.rvd"), 400, 300); }), "保存先のフォルダが存在しません");
    Write(Path("plain"), Triangle);
    EXPECT_EQ(ErrorOf([&] { other.SaveToFile(Path("plain/k.rvd"), 400, 300); }), "保存先のフォルダが存在しません");

    // A folder that cannot be written. Permissions do not bind the superuser,
    // so the save then runs as an ordinary user for the moment.
    const std::string old = Path("sub/k.rvd");
    fs::create_directories(FDir / "sub");
    Write(old, Triangle);
    fs::permissions(FDir / "sub", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::seteuid(65534), 0);
    }
    const std::string message = ErrorOf([&] { other.SaveToFile(old, 400, 300); });
    if (root) {
        ASSERT_EQ(::seteuid(0), 0);
    }
    EXPECT_EQ(message, "ファイルへのアクセスが拒否されました");
    EXPECT_EQ(Read(old), Triangle);
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir / "sub"), fs::directory_iterator()), 1);
    fs::permissions(FDir / "sub", fs::perms::owner_all);

    // The target is a folder: the rename fails after the temporary file was
    // written, and the temporary file is removed.
    fs::create_directories(FDir / "sub" / "dir.rvd" / "inside");
    EXPECT_NE(ErrorOf([&] { other.SaveToFile(Path("sub/dir.rvd"), 400, 300); }), "");
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir / "sub"), fs::directory_iterator()), 2);

    // A successful save replaces the old content and keeps its permissions.
    fs::permissions(old, fs::perms::owner_read | fs::perms::owner_write);
    other.SaveToFile(old, 640, 480);
    EXPECT_EQ(Read(old), KnotFileText(other, 640, 480));
    EXPECT_EQ(fs::status(old).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir / "sub"), fs::directory_iterator()), 2);
}

// Saving through a symbolic link (and a chain of them) writes the file the
// link points to; the links stay links.
TEST_F(KnotFile, SaveThroughALinkWritesItsTarget) {
    fs::create_directories(FDir / "real");
    Write(Path("real/k.rvd"), Triangle);
    fs::create_symlink("real/k.rvd", FDir / "first.rvd");
    fs::create_symlink(FDir / "first.rvd", FDir / "second.rvd");
    TDraw bow;
    DrawPolygon(bow, {{100, 100}, {200, 200}, {200, 100}, {100, 200}});
    bow.SaveToFile(Path("second.rvd"), 400, 300);
    EXPECT_TRUE(fs::is_symlink(FDir / "second.rvd"));
    EXPECT_TRUE(fs::is_symlink(FDir / "first.rvd"));
    EXPECT_EQ(Read(Path("real/k.rvd")), KnotFileText(bow, 400, 300));
    EXPECT_EQ(Entries(), 3);
    // A link to a file that does not exist yet creates it.
    fs::create_symlink("real/new.rvd", FDir / "dangling.rvd");
    bow.SaveToFile(Path("dangling.rvd"), 400, 300);
    EXPECT_EQ(Read(Path("real/new.rvd")), KnotFileText(bow, 400, 300));
}

// A file without write permission is refused and left as it was, even for
// the superuser; a new file gets the mode new files get under the umask.
TEST_F(KnotFile, ReadOnlyFileIsNotReplaced) {
    Write(Path("k.rvd"), Triangle);
    fs::permissions(Path("k.rvd"), fs::perms::owner_read | fs::perms::group_read);
    TDraw bow;
    DrawPolygon(bow, {{100, 100}, {200, 200}, {200, 100}, {100, 200}});
    EXPECT_EQ(ErrorOf([&] { bow.SaveToFile(Path("k.rvd"), 400, 300); }), "ファイルへのアクセスが拒否されました");
    EXPECT_EQ(Read(Path("k.rvd")), Triangle);
    EXPECT_EQ(Entries(), 1);

    const mode_t mask = ::umask(027);  // the test's own setting, restored below
    bow.SaveToFile(Path("new.rvd"), 400, 300);
    EXPECT_EQ(::umask(mask), 027);  // saving left the umask alone
    struct stat st {};
    ASSERT_EQ(::stat(Path("new.rvd").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace ravelon
