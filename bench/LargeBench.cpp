// SPDX-License-Identifier: GPL-3.0-or-later
// Times the Jones polynomial of large random one-polygon diagrams of the
// 999 x 999 canvas (about 150 to 450 crossings, fixed seeds), the old way
// (the greedy order, no simplification) and the new one (moves I and II
// removed, the order search) side by side, each in a process of its own so
// that its peak resident size is its own; then the time to refuse a diagram
// beyond reach; last a sample of twelve more 450-point diagrams (seeds 1 to
// 12), the new way only; last the contraction of the largest diagram of the
// sizes (its plan made once) on 1, 2, 4 and 8 threads, with its speedup.
//
//   ./build/bench/bench_large            # every size, old and new, the sample and the threads
//   ./build/bench/bench_large 450        # one size
//   ./build/bench/bench_large sample     # the sample only
//   ./build/bench/bench_large sample 4   # its diagram of seed 4 only
//   ./build/bench/bench_large threads    # the speedup only
//   ./build/bench/bench_large --threads 2 sample   # every large step on 2 threads
//
// The large steps run on one thread per core (at most 8) unless --threads
// says otherwise. A computation that passes the memory bound (a share of the
// memory free, bracket/MemoryBound.h) is reported as refused, with the time the
// refusal took and the memory it would need; one that runs past Timeout
// seconds is stopped.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/time.h>

#include "tests/support/PolygonDiagram.h"
#include "bracket/Contraction.h"
#include "knot/Knot.h"
#include "bracket/TooComplex.h"

namespace {

using ravelon::TKnot;

constexpr int Sizes[] = {150, 250, 350, 450};
constexpr int BeyondReach = 900;
constexpr unsigned Timeout = 300;

// What a child process reports through its pipe.
struct TReport {
    double Seconds = 0;
    int Crossings = 0;
    int Contracted = 0;
    int Width = 0;
    double States = 0;
    int Terms = 0;
    bool Refused = false;
    double NeededMiB = 0;
};

constexpr unsigned SampleSize = 450, SampleSeeds = 12;

TKnot Diagram(int Size, unsigned Seed) {
    TKnot k;
    ravelon::testing::RandomPolygon(Size, Seed).MakeKnot(k);
    return k;
}

TReport Compute(const TKnot& Code, bool New, unsigned Threads) {
    ravelon::TContractionLimits limits;
    limits.Threads = Threads;
    if (!New) {
        limits.Simplify = false;
        limits.Order = ravelon::TOrderSearch::Greedy;
    }
    TReport r;
    r.Crossings = Code.FCrossingCount();
    ravelon::TContractionStats stats;
    const auto start = std::chrono::steady_clock::now();
    try {
        // The Jones polynomial is the bracket's terms with a shifted exponent.
        r.Terms = static_cast<int>(ravelon::ContractBracket(Code, limits, &stats).size());
    } catch (const ravelon::TTooComplex& e) {
        r.Refused = true;
        r.NeededMiB = static_cast<double>(e.NeededBytes) / (1 << 20);
    }
    r.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.Contracted = stats.Crossings;
    r.Width = stats.MaxWidth;
    r.States = static_cast<double>(stats.PeakStates);
    return r;
}

// Runs Compute in a child process; the report and the child's peak resident
// size in MiB, or false when the child failed or was stopped.
bool InChild(int Size, unsigned Seed, bool New, unsigned Threads, TReport& Report, double& PeakMiB) {
    const TKnot code = Diagram(Size, Seed);
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        close(fds[0]);
        alarm(Timeout);
        const TReport r = Compute(code, New, Threads);
        const bool written = write(fds[1], &r, sizeof r) == static_cast<ssize_t>(sizeof r);
        _exit(written ? 0 : 1);
    }
    close(fds[1]);
    const bool read_ = read(fds[0], &Report, sizeof Report) == static_cast<ssize_t>(sizeof Report);
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    PeakMiB = static_cast<double>(usage.ru_maxrss) / 1024;
    return read_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// One row of the table; Seed 0 for the size's own seed, 4242 + Size.
void Row(int Size, bool New, unsigned Threads, unsigned Seed = 0) {
    TReport r;
    double mib = 0;
    const std::string label = Seed == 0 ? std::to_string(Size) : std::to_string(Size) + " #" + std::to_string(Seed);
    if (!InChild(Size, Seed == 0 ? static_cast<unsigned>(4242 + Size) : Seed, New, Threads, r, mib)) {
        std::printf("| %s | %s | stopped after %u s |\n", label.c_str(), New ? "new" : "old", Timeout);
        return;
    }
    std::printf("| %s | %3d | %s | %3d | %5d | %9.0f | %8.2f s | %6.0f MiB | %s |\n", label.c_str(), r.Crossings,
                New ? "new" : "old", r.Contracted, r.Width, r.States, r.Seconds, mib,
                r.Refused ? ("refused, needs " + std::to_string(static_cast<long>(r.NeededMiB)) + " MiB").c_str()
                          : (std::to_string(r.Terms) + " terms").c_str());
    std::fflush(stdout);
}

void Header() {
    std::printf("| size | crossings | order | contracted | width | states | time | peak memory | result |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec); };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The contraction of the largest diagram of the sizes on 1, 2, 4 and 8
// threads, its plan (simplification, order) made once: the time, the
// processor time of all threads and the speedup over one thread.
void Speedup() {
    const int size = Sizes[std::size(Sizes) - 1];
    const TKnot code = Diagram(size, static_cast<unsigned>(4242 + size));
    const ravelon::TBracketPlan plan = ravelon::PlanBracket(code);
    std::printf("\nthe contraction of the %d-point diagram (%d crossings contracted, widest boundary %d) on "
                "several threads:\n",
                size, plan.Simple.Graph.Crossings, plan.Order.MaxWidth);
    std::printf("| threads | time | processor time | speedup |\n|---|---|---|---|\n");
    double single = 0;
    for (const unsigned threads : {1u, 2u, 4u, 8u}) {
        ravelon::TContractionLimits limits;
        limits.Threads = threads;
        const double cpu = CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        ravelon::ContractBracket(plan, limits);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (threads == 1) single = seconds;
        std::printf("| %u | %.2f s | %.2f s | %.2f |\n", threads, seconds, CpuSeconds() - cpu, single / seconds);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    unsigned threads = 0;
    if (args.size() >= 2 && args[0] == "--threads") {
        threads = static_cast<unsigned>(std::atoi(args[1].c_str()));
        args.erase(args.begin(), args.begin() + 2);
    }
    const std::string only = args.empty() ? "" : args[0];
    if (only.empty() || (only != "sample" && only != "threads")) {
        std::vector<int> sizes(std::begin(Sizes), std::end(Sizes));
        if (!only.empty()) sizes.assign(1, std::atoi(only.c_str()));
        Header();
        for (const int size : sizes) {
            Row(size, false, threads);
            Row(size, true, threads);
        }
    }
    if (only.empty()) {
        std::printf("\nbeyond reach (about %d crossings):\n", BeyondReach);
        Header();
        Row(BeyondReach, true, threads);
    }
    if (only.empty() || only == "sample") {
        std::printf("\nsample of %u more diagrams of %u points:\n", SampleSeeds, SampleSize);
        Header();
        const unsigned one = args.size() >= 2 && only == "sample" ? static_cast<unsigned>(std::atoi(args[1].c_str())) : 0;
        for (unsigned seed = 1; seed <= SampleSeeds; ++seed)
            if (one == 0 || seed == one) Row(SampleSize, true, threads, seed);
    }
    if (only.empty() || only == "threads") Speedup();
    return 0;
}
