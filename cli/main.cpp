// SPDX-License-Identifier: GPL-3.0-or-later
// ravelon-calc's entry. SIGINT and SIGTERM stop the computation running at
// its next look at its progress (within a fraction of a second); what was
// computed before is printed whole and flushed, and the program ends with
// status 128 + the signal (130, 143).
#include <signal.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Calc.h"
#include "knot/Progress.h"

namespace {

// What the signal handler touches: the run's progress, whose cancel flag is
// a lock-free atomic, and the signal received.
ravelon::TProgress* RunProgress = nullptr;
volatile std::sig_atomic_t Received = 0;

extern "C" void OnSignal(int Signal) {
    Received = Signal;
    if (RunProgress != nullptr) RunProgress->Cancel();
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    static_assert(std::atomic<bool>::is_always_lock_free);
    ravelon::TProgress stop;
    RunProgress = &stop;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a read of standard input ends at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    const int status = ravelon::RunCalc(args, std::cout, std::cerr, &stop);
    return Received != 0 ? 128 + Received : status;
}
