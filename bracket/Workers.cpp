// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/Workers.h"

namespace ravelon {

TWorkers::TWorkers(unsigned Parts) : FErrors(Parts > 0 ? Parts : 1) {
    for (unsigned part = 1; part < Parts; ++part) FThreads.emplace_back([this, part] { Serve(part); });
}

TWorkers::~TWorkers() {
    {
        const std::lock_guard lock(FMutex);
        FStop = true;
    }
    FWake.notify_all();
    for (std::thread& t : FThreads) t.join();
}

void TWorkers::Serve(unsigned Part) {
    std::uint64_t seen = 0;
    while (true) {
        const std::function<void(unsigned)>* body = nullptr;
        {
            std::unique_lock lock(FMutex);
            FWake.wait(lock, [&] { return FStop || FRound != seen; });
            if (FStop) return;
            seen = FRound;
            if (Part >= FRunning) continue;
            body = FBody;
        }
        try {
            (*body)(Part);
        } catch (...) {
            FErrors[Part] = std::current_exception();
        }
        const std::lock_guard lock(FMutex);
        if (--FLeft == 0) FDone.notify_one();
    }
}

void TWorkers::Run(unsigned Parts, const std::function<void(unsigned)>& Body) {
    if (Parts > this->Parts()) Parts = this->Parts();
    if (Parts == 0) return;
    for (std::exception_ptr& e : FErrors) e = nullptr;
    {
        const std::lock_guard lock(FMutex);
        FBody = &Body;
        FRunning = Parts;
        FLeft = Parts - 1;
        ++FRound;
    }
    if (Parts > 1) FWake.notify_all();
    try {
        Body(0);
    } catch (...) {
        FErrors[0] = std::current_exception();
    }
    {
        std::unique_lock lock(FMutex);
        FDone.wait(lock, [&] { return FLeft == 0; });
    }
    for (const std::exception_ptr& e : FErrors)
        if (e) std::rethrow_exception(e);
}

}  // namespace ravelon
