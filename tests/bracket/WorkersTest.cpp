// SPDX-License-Identifier: GPL-3.0-or-later
// The threads of a contraction: every part of a round runs once, on however
// many threads the system would start.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bracket/Workers.h"

namespace ravelon {
namespace {

// Runs rounds of random sizes on Workers; each part of each round must run
// exactly once, and the error of the lowest failing part comes out.
void CheckRounds(TWorkers& Workers, unsigned Seed) {
    std::mt19937 rng(Seed);
    for (int round = 0; round < 40; ++round) {
        const unsigned parts = 1 + rng() % 12;
        std::vector<std::atomic<int>> runs(parts);
        const unsigned failing = rng() % (2 * parts);  // none when past the parts
        const auto body = [&](unsigned Part) {
            ++runs[Part];
            if (Part >= failing) throw std::runtime_error(std::to_string(Part));
        };
        if (failing < parts) {
            try {
                Workers.Run(parts, body);
                ADD_FAILURE() << "no error";
            } catch (const std::runtime_error& e) {
                EXPECT_EQ(e.what(), std::to_string(failing));
            }
        } else {
            Workers.Run(parts, body);
        }
        for (unsigned part = 0; part < parts; ++part) ASSERT_EQ(runs[part].load(), 1) << part << " of " << parts;
    }
}

TEST(Workers, EveryPartRunsOnceOnAnyNumberOfThreads) {
    for (const unsigned threads : {1u, 2u, 3u, 8u}) {
        TWorkers workers(threads);
        EXPECT_EQ(workers.Threads(), threads);
        CheckRounds(workers, threads);
    }
}

#ifndef RAVELON_SANITIZED_TESTS
// The bytes of this process's address space now.
unsigned long long MappedBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;)
        if (key == "VmSize:") {
            unsigned long long kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    return 0;
}

// Under an address space with room for few thread stacks the pool starts
// fewer threads (down to none) and still runs every part, then ends cleanly.
TEST(WorkersDeathTest, ThreadsTheSystemRefusesMeanFewerThreads) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const unsigned long long room : {0ull, 12ull << 20, 20ull << 20}) {
        EXPECT_EXIT(
            {
                rlimit limit{};
                limit.rlim_cur = limit.rlim_max = MappedBytes() + room;
                if (::setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(3);
                unsigned threads = 0;
                {
                    TWorkers workers(16);
                    threads = workers.Threads();
                    CheckRounds(workers, 5);
                }
                std::_Exit(threads < 16 && !::testing::Test::HasFailure() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << room;
    }
}
#endif

}  // namespace
}  // namespace ravelon
