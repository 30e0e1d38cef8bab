// SPDX-License-Identifier: GPL-3.0-or-later
// Threads kept for the whole of a contraction, so that the many short loops
// of its large steps are shared among the cores without starting threads
// for every one.
//
// Data model: up to Parts - 1 threads wait for a round (fewer when the
// system starts no more: then the caller's thread may be the only one); a
// round runs Body(Part) for the parts it names, part 0 and every Threads-th
// part after it on the caller's thread, part t and every Threads-th after it
// on thread t, and ends when all have ended. An exception of a part is
// thrown again once all have ended (the one of the lowest part). The threads
// end with the object, and those started are joined however it ends.
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

    // The threads that run a round, the caller's included.
    unsigned Threads() const { return static_cast<unsigned>(FThreads.size()) + 1; }
    // Runs Body(Part) for Part 0 to Parts - 1, at once on as many threads as
    // there are.
    void Run(unsigned Parts, const std::function<void(unsigned Part)>& Body);

private:
    // Thread Thread's rounds, until the object ends.
    void Serve(unsigned Thread);
    // The parts of thread Thread in the round.
    void RunParts(unsigned Thread);
    // Tells the threads to end and joins them.
    void Stop();

    std::mutex FMutex;
    std::condition_variable FWake, FDone;
    std::uint64_t FRound = 0;
    unsigned FParts = 0;  // of the round
    unsigned FLeft = 0;   // threads still running the round
    bool FStop = false;
    const std::function<void(unsigned)>* FBody = nullptr;
    std::vector<std::exception_ptr> FErrors;
    std::vector<std::thread> FThreads;
};

}  // namespace ravelon
