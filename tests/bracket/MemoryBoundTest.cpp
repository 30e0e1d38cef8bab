// SPDX-License-Identifier: GPL-3.0-or-later
// The memory bound of the contraction: read from the machine's free memory,
// told in the refusal, and overridden by the caller.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "bracket/Contraction.h"
#include "bracket/MemoryBound.h"
#include "bracket/TooComplex.h"
#include "tests/support/BraidCode.h"

namespace ravelon {
namespace {

constexpr std::size_t GiB = std::size_t{1} << 30;

TEST(MemoryBound, ReadsMemAvailable) {
    std::istringstream meminfo(
        "MemTotal:       24683752 kB\nMemFree:        24250444 kB\nMemAvailable:   24350520 kB\nBuffers: 2604 kB\n");
    EXPECT_EQ(MemAvailableOf(meminfo), std::size_t{24350520} * 1024);
    std::istringstream without("MemTotal: 1000 kB\nMemFree: 500 kB\n");
    EXPECT_EQ(MemAvailableOf(without), 0u);
    std::istringstream empty;
    EXPECT_EQ(MemAvailableOf(empty), 0u);
}

TEST(MemoryBound, IsAShareOfTheFreeMemoryPastAMargin) {
    EXPECT_EQ(ContractionBytesFor(0), FallbackContractionBytes);
    EXPECT_EQ(ContractionBytesFor(9 * GiB), static_cast<std::size_t>(FreeMemoryShare * static_cast<double>(8 * GiB)));
    EXPECT_EQ(ContractionBytesFor(GiB / 2), LeastContractionBytes);
    // More free memory never lowers the bound, and the margin is always left.
    for (std::size_t free = GiB; free < 64 * GiB; free += GiB / 3) {
        EXPECT_LE(ContractionBytesFor(free), ContractionBytesFor(free + GiB / 3));
        EXPECT_LE(ContractionBytesFor(free) + SystemMarginBytes, free + LeastContractionBytes);
    }
}

TEST(MemoryBound, TheRefusalTellsTheMemoryNeeded) {
    EXPECT_EQ(TooComplexMessage(0), "結び目が複雑すぎて計算できません");
    EXPECT_EQ(TooComplexMessage(static_cast<std::size_t>(3.2 * static_cast<double>(GiB))),
              "結び目が複雑すぎて計算できません (約 3.2 GiB のメモリが必要です)");
    EXPECT_EQ(TooComplexMessage(35 << 20), "結び目が複雑すぎて計算できません (約 35 MiB のメモリが必要です)");
    const TTooComplex e(5 * GiB);
    EXPECT_EQ(e.NeededBytes, 5 * GiB);
    EXPECT_STREQ(e.what(), "結び目が複雑すぎて計算できません (約 5.0 GiB のメモリが必要です)");
}

// Without a bound of its own the contraction takes the machine's; a bound
// given overrides it both ways.
TEST(MemoryBound, TheCallersBoundOverridesTheMachines) {
    std::mt19937 rng(12);
    const TKnot code = testing::BraidClosure(8, testing::RandomBraidWord(rng, 8, 80));
    TContractionStats machine, given;
    const TLaurent terms = ContractBracket(code, {}, &machine);
    EXPECT_GE(machine.MaxBytes, LeastContractionBytes);
    EXPECT_LE(machine.MaxBytes, ContractionBytesFor(MemAvailableNow()) + GiB);
    TContractionLimits limits;
    limits.MaxBytes = machine.PeakBytes / 3;
    try {
        ContractBracket(code, limits, &given);
        ADD_FAILURE() << "no refusal";
    } catch (const TTooComplex& e) {
        EXPECT_GT(e.NeededBytes, limits.MaxBytes);
        EXPECT_EQ(given.MaxBytes, limits.MaxBytes);
    }
    TPoly small(0), large(0);
    EXPECT_THROW(code.Bracket(small, nullptr, limits.MaxBytes), TTooComplex);
    code.Bracket(large, nullptr, 64 * GiB);
    EXPECT_EQ(large.FCount(), static_cast<int>(terms.size()));
}

}  // namespace
}  // namespace ravelon
