// SPDX-License-Identifier: GPL-3.0-or-later
// Threads kept for the whole of a contraction, so that the many short loops
// of its large steps are shared among the cores without starting threads
// for every one.
//
// Data model: Parts - 1 threads wait for a round; a round runs Body(Part)
// for the parts it names, part 0 on the caller's thread, the others each on
// a thread of its own, and ends when all have ended. An exception of a part
// is thrown again once all have ended (the one of the lowest part). The
// threads end with the object.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ravelon {

// A pool of threads for the loops of a contraction.
class TWorkers {
public:
    explicit TWorkers(unsigned Parts);
    ~TWorkers();
    TWorkers(const TWorkers&) = delete;
    TWorkers& operator=(const TWorkers&) = delete;

    unsigned Parts() const { return static_cast<unsigned>(FThreads.size()) + 1; }
    // Runs Body(Part) for Part 0 to Parts - 1 (at most Parts()) at once.
    void Run(unsigned Parts, const std::function<void(unsigned Part)>& Body);

private:
    void Serve(unsigned Part);

    std::mutex FMutex;
    std::condition_variable FWake, FDone;
    std::uint64_t FRound = 0;
    unsigned FRunning = 0;
    unsigned FLeft = 0;
    bool FStop = false;
    const std::function<void(unsigned)>* FBody = nullptr;
    std::vector<std::exception_ptr> FErrors;
    std::vector<std::thread> FThreads;
};

}  // namespace ravelon
