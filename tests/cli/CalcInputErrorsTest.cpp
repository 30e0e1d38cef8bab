// SPDX-License-Identifier: GPL-3.0-or-later
// ravelon-calc given what it cannot use: a memory size out of range is wrong
// usage, a folder or a file that fails part-way is a failure with its cause,
// and a drawing that cannot be written is not taken for one written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Calc.h"
#include "cli/LineReader.h"
#include "tests/cli/CalcRun.h"

namespace ravelon {
namespace {

using namespace calctest;

TEST(CalcInputErrors, MemorySizesOutOfRangeAreWrongUsage) {
    const std::string huge(400, '9'), tiny = "0." + std::string(400, '0') + "1";
    for (const std::string& args : {"--memory-limit " + huge, "--memory-limit=" + tiny, std::string("--memory-limit=8E")}) {
        const TRun r = Calc(args + " " + Example("trefoil-right.rvd"));
        EXPECT_EQ(r.Status, 2) << args;
        EXPECT_EQ(r.Out, "") << args;
        EXPECT_EQ(r.Err.rfind("ravelon-calc: メモリの大きさが正しくありません: ", 0), 0u) << args;
    }
}

// Whole sizes with a unit read as the same number of bytes computed apart.
TEST(CalcInputErrors, MemorySizesReadAsTheirBytes) {
    std::mt19937_64 rng(7);
    const std::string units = "KMGT";
    for (int trial = 0; trial < 500; ++trial) {
        const std::uint64_t number = rng() >> (rng() % 64);
        const int unit = static_cast<int>(rng() % 5);  // 0: bytes
        const std::string text = std::to_string(number) + (unit == 0 ? "" : std::string(1, units[unit - 1]));
        TCalcOptions options;
        std::string error;
        const bool read = ParseCalcOptions({"--memory-limit", text, "x.rvd"}, options, error);
        const int shift = 10 * unit;
        const bool fits = number >= 1 && number < (std::uint64_t{1} << (63 - shift));
        // A double holds the number to 53 bits; the sizes near 2^63 are left out.
        if (fits && number >= (std::uint64_t{1} << (62 - shift))) continue;
        ASSERT_EQ(read, fits) << text << " " << error;
        if (!fits) continue;
        const std::uint64_t bytes = number << shift;
        const double relative = std::abs(static_cast<double>(options.MemoryLimit) - static_cast<double>(bytes)) /
                                static_cast<double>(bytes);
        EXPECT_LE(relative, 1e-15) << text;
    }
}

TEST(CalcInputErrors, AFolderGivenAsCodesIsAFailure) {
    const TInputFile in("X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]\n");
    const std::string dir = in.Dir.string();
    const TRun r = Calc("--pd-in --twist '" + dir + "' " + in.Name);
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(Lines(r.Err), (std::vector<std::string>{dir + ": ファイルではなくフォルダです"}));
    // The file after it is still computed.
    EXPECT_NE(r.Out.find("codes.txt 1 行目\n  ねじり数: "), std::string::npos) << r.Out;

    const TRun fromStdin = Calc("--pd-in --twist < '" + dir + "'");
    EXPECT_EQ(fromStdin.Status, 1);
    EXPECT_EQ(Lines(fromStdin.Err), (std::vector<std::string>{"標準入力: ファイルではなくフォルダです"}));

    const TRun missing = Calc("--pd-in '" + dir + "/none.txt'");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(Lines(missing.Err), (std::vector<std::string>{dir + "/none.txt: ファイルが見つかりません"}));
}

// A drawing that the folder does not take is a failure, never a file named
// as written.
TEST(CalcInputErrors, ADrawingNotWrittenIsAFailure) {
    for (const std::string folder : {"/proc/self", "/proc/ravelon-draw"}) {
        const TRun r = Calc("--table --twist 3_1 --draw " + folder);
        EXPECT_EQ(r.Status, 1) << folder;
        EXPECT_EQ(r.Out.find("図:"), std::string::npos) << r.Out;
        ASSERT_EQ(Lines(r.Err).size(), 1u) << r.Err;
        EXPECT_EQ(r.Err.rfind("3_1: ", 0), 0u) << r.Err;
    }
}

// Text cut into reads of random sizes gives the lines std::getline gives,
// and a read that fails ends them with its error.
TEST(LineReader, GivesTheLinesOfAnyReadsAndKeepsAFailure) {
    std::mt19937 rng(3);
    for (int trial = 0; trial < 300; ++trial) {
        std::string text;
        for (std::size_t n = rng() % 200; n > 0; --n) text += "ab\n\r #"[rng() % 6];
        const bool fails = trial % 3 == 0;
        std::size_t at = 0;
        TLineReader reader([&](char* Buffer, std::size_t Size) -> long {
            if (at == text.size()) return fails ? -EIO : 0;
            const std::size_t n = std::min<std::size_t>({Size, text.size() - at, 1 + rng() % 9});
            text.copy(Buffer, n, at);
            at += n;
            return static_cast<long>(n);
        });
        std::vector<std::string> got, expected;
        for (std::string line; reader.Next(line);) got.push_back(line);
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) expected.push_back(line);
        // A failed read loses the line it cut short.
        if (fails && !text.empty() && text.back() != '\n') expected.pop_back();
        EXPECT_EQ(got, expected) << text;
        EXPECT_EQ(reader.Error(), fails ? EIO : 0);
        std::string line;
        EXPECT_FALSE(reader.Next(line));
    }
}

}  // namespace
}  // namespace ravelon
