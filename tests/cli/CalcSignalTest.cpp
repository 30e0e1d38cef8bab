// SPDX-License-Identifier: GPL-3.0-or-later
// ravelon-calc stopped by SIGINT or SIGTERM in the middle of a long
// computation: it ends soon with status 128 + the signal, and what it has
// printed are whole reports (whole JSON lines), flushed.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "knot/PdCode.h"
#include "tests/cli/CalcRun.h"
#include "tests/support/PolygonDiagram.h"

namespace ravelon {
namespace {

using namespace calctest;

// Runs ravelon-calc --pd-in Options on Codes, sends Signal once its output
// holds Wait, and gives back the exit status and standard output.
TRun Interrupted(const std::string& Options, const std::string& Codes, int Signal, const std::string& Wait) {
    const TInputFile input(Codes);
    int out[2];
    EXPECT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        const std::string command = "exec '" + kCalc + "' --pd-in " + Options + " " + input.Name + " 2>/dev/null";
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    TRun r;
    char buffer[4096];
    bool sent = false;
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, 100) > 0) {
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            if (n <= 0) break;
            r.Out.append(buffer, static_cast<std::size_t>(n));
        }
        if (!sent && r.Out.find(Wait) != std::string::npos) {
            ::usleep(300000);  // well inside the long computation
            ::kill(child, Signal);
            sent = true;
        }
    }
    ::close(out[0]);
    int raw = 0;
    ::waitpid(child, &raw, 0);
    r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

TEST(CalcSignal, StopsSoonWithWholeOutput) {
    // The trefoil, then a code whose Jones polynomial takes seconds.
    TKnot big;
    testing::RandomPolygon(420, 8).MakeKnot(big);
    const std::string codes = "X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]\n" + PdText(MakePdCode(big)) + "\n";

    const auto start = std::chrono::steady_clock::now();
    const TRun json = Interrupted("--json --jones", codes, SIGINT, "}\n");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("stopped after %.2f s in all (0.3 s after the first line)\n", seconds);
    EXPECT_EQ(json.Status, 130);
    ASSERT_EQ(Lines(json.Out).size(), 1u) << json.Out;
    EXPECT_EQ(std::get<std::string>(TJsonReader(Lines(json.Out)[0]).Read()["jones"]["text"].V), "-t^4 + t^3 + t");

    const TRun text = Interrupted("--jones", codes, SIGTERM, "ジョーンズ多項式");
    EXPECT_EQ(text.Status, 143);
    EXPECT_EQ(text.Out.back(), '\n');
    EXPECT_EQ(Lines(text.Out).size(), 2u) << text.Out;
}

}  // namespace
}  // namespace ravelon
