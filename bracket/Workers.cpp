// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/Workers.h"

#include <algorithm>
#include <system_error>

namespace ravelon {

TWorkers::TWorkers(unsigned Parts) : FErrors(Parts > 0 ? Parts : 1) {
    FThreads.reserve(FErrors.size() - 1);
    try {
        for (unsigned thread = 1; thread < Parts; ++thread) FThreads.emplace_back([this, thread] { Serve(thread); });
    } catch (const std::system_error&) {
        // The system starts no more threads: the parts go to those started.
    }
}

TWorkers::~TWorkers() { Stop(); }

void TWorkers::Stop() {
    {
        const std::lock_guard lock(FMutex);
        FStop = true;
    }
    FWake.notify_all();
    for (std::thread& t : FThreads) t.join();
    FThreads.clear();
}

void TWorkers::RunParts(unsigned Thread) {
    for (unsigned part = Thread; part < FParts; part += Threads()) {
        try {
            (*FBody)(part);
        } catch (...) {
            FErrors[part] = std::current_exception();
        }
    }
}

void TWorkers::Serve(unsigned Thread) {
    std::uint64_t seen = 0;
    while (true) {
        {
            std::unique_lock lock(FMutex);
            FWake.wait(lock, [&] { return FStop || FRound != seen; });
            if (FStop) return;
            seen = FRound;
            if (Thread >= FParts) continue;
        }
        RunParts(Thread);
        const std::lock_guard lock(FMutex);
        if (--FLeft == 0) FDone.notify_one();
    }
}

void TWorkers::Run(unsigned Parts, const std::function<void(unsigned)>& Body) {
    if (Parts == 0) return;
    FErrors.assign(Parts, nullptr);
    const unsigned threads = std::min(Parts, Threads());
    {
        const std::lock_guard lock(FMutex);
        FBody = &Body;
        FParts = Parts;
        FLeft = threads - 1;
        ++FRound;
    }
    if (threads > 1) FWake.notify_all();
    RunParts(0);
    {
        std::unique_lock lock(FMutex);
        FDone.wait(lock, [&] { return FLeft == 0; });
    }
    for (const std::exception_ptr& e : FErrors)
        if (e) std::rethrow_exception(e);
}

}  // namespace ravelon
