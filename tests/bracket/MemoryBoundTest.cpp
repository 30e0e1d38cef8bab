// SPDX-License-Identifier: GPL-3.0-or-later
// The memory bound of the contraction: read from the machine's free memory,
// told in the refusal, and overridden by the caller.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

TEST(MemoryBound, ReadsTheCgroupsOfTheProcess) {
    std::istringstream hybrid(
        "9:name=systemd:/\n5:cpu,memory:/docker/ab:c\n4:memoryless:/no\n0::/\n");
    const TCgroupPaths paths = CgroupPathsOf(hybrid);
    EXPECT_EQ(paths.V2, "/");
    EXPECT_EQ(paths.V1Memory, "/docker/ab:c");

    const auto room = [](const std::string& Limit, const std::string& Usage) {
        std::istringstream limit(Limit), usage(Usage);
        return CgroupRoomOf(limit, usage);
    };
    EXPECT_EQ(room("1000\n", "4000\n"), 0u);
    EXPECT_EQ(room("", "4000\n"), NoLimit);
}

// A made-up cgroup tree: the least room of the process's cgroup and those
// above it counts, in v2, in v2 beside v1 (unified) and in v1.
TEST(MemoryBound, TheLeastRoomOfTheCgroupsAboveCounts) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("ravelon-cgroup-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const auto write = [&](const fs::path& Dir, const char* Limit, const char* Usage, const std::string& L,
                           const std::string& U) {
        fs::create_directories(Dir);
        std::ofstream(Dir / Limit) << L << '\n';
        std::ofstream(Dir / Usage) << U << '\n';
    };
    const TCgroupPaths none;
    EXPECT_EQ(CgroupRoomUnder(root.string(), none), NoLimit);
    write(root / "a", "memory.max", "memory.current", "max", "50");
    write(root / "a/b", "memory.max", "memory.current", "9000", "1000");
    write(root / "a/b/c", "memory.max", "memory.current", "max", "10");
    TCgroupPaths v2;
    v2.V2 = "/a/b/c";
    EXPECT_EQ(CgroupRoomUnder(root.string(), v2), 8000u);
    write(root / "a", "memory.max", "memory.current", "3000", "500");
    EXPECT_EQ(CgroupRoomUnder(root.string(), v2), 2500u);
    v2.V2 = "/a/b/missing";  // a folder not seen still has the limits above
    EXPECT_EQ(CgroupRoomUnder(root.string(), v2), 2500u);
    write(root / "unified/a", "memory.max", "memory.current", "700", "100");
    v2.V2 = "/a";
    EXPECT_EQ(CgroupRoomUnder(root.string(), v2), 600u);
    TCgroupPaths v1;
    v1.V1Memory = "/docker/x";
    write(root / "memory", "memory.limit_in_bytes", "memory.usage_in_bytes", "9223372036854771712", "10");
    EXPECT_EQ(CgroupRoomUnder(root.string(), v1), std::size_t{9223372036854771702u});
    write(root / "memory/docker", "memory.limit_in_bytes", "memory.usage_in_bytes", "4096", "1024");
    EXPECT_EQ(CgroupRoomUnder(root.string(), v1), 3072u);
    fs::remove_all(root);
}

TEST(MemoryBound, TheFreeMemoryIsTheLeastOfWhatIsKnown) {
    std::istringstream status("Name: x\nVmPeak:  9000 kB\nVmSize:\t  4000 kB\n");
    EXPECT_EQ(AddressRoomOf(std::uint64_t{5000} * 1024, status), std::size_t{1000} * 1024);
    std::istringstream over("VmSize: 4000 kB\n"), without("Name: x\n"), any;
    EXPECT_EQ(AddressRoomOf(1024, over), 0u);
    EXPECT_EQ(AddressRoomOf(1024, without), 1024u);
    EXPECT_EQ(AddressRoomOf(NoLimit, any), NoLimit);

    // The least of the figures known; none known is not known.
    EXPECT_EQ(FreeMemoryOf(8000, NoLimit, 3000), 3000u);
    EXPECT_EQ(FreeMemoryOf(0, 5000, NoLimit), 5000u);
    EXPECT_EQ(FreeMemoryOf(0, NoLimit, NoLimit), 0u);
    EXPECT_EQ(FreeMemoryOf(8000, 0, NoLimit), 1u);
}

#ifndef RAVELON_SANITIZED_TESTS
// Under an address space limit the bound is a share of the room it leaves.
TEST(MemoryBoundDeathTest, AnAddressSpaceLimitBoundsTheFreeMemory) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::size_t before = FreeMemoryNow();
            std::ifstream status("/proc/self/status");
            std::size_t vm = 0;
            for (std::string key; status >> key;)
                if (key == "VmSize:") status >> vm;
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = vm * 1024 + 3 * GiB;
            if (::setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(3);
            const std::size_t free = FreeMemoryNow();
            const bool bounded = free <= 3 * GiB && free + 64 * (std::size_t{1} << 20) >= std::min(3 * GiB, before);
            std::_Exit(bounded && MachineContractionBytes() == ContractionBytesFor(free) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

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
    EXPECT_LE(machine.MaxBytes, ContractionBytesFor(FreeMemoryNow()) + GiB);
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

// A step from more states than the bound of a step's states is refused with
// the memory it needs, on one thread and on several; at the bound it is not.
TEST(MemoryBound, AStepFromTooManyStatesIsRefused) {
    std::mt19937 rng(21);
    const TKnot code = testing::BraidClosure(7, testing::RandomBraidWord(rng, 7, 60));
    for (const unsigned threads : {1u, 3u}) {
        TContractionLimits limits;
        limits.Threads = threads;
        limits.ThreadStates = 16;
        TContractionStats stats;
        const TLaurent terms = ContractBracket(code, limits, &stats);
        ASSERT_GT(stats.PeakStates, 8u);
        // The widest table is the start of a step: the last one holds a few.
        limits.MaxStepStates = stats.PeakStates;
        EXPECT_EQ(ContractBracket(code, limits), terms);
        limits.MaxStepStates = stats.PeakStates - 1;
        try {
            ContractBracket(code, limits);
            ADD_FAILURE() << "no refusal";
        } catch (const TTooComplex& e) {
            EXPECT_GT(e.NeededBytes, stats.PeakStates * 2);
        }
    }
}

}  // namespace
}  // namespace ravelon
