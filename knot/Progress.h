// SPDX-License-Identifier: GPL-3.0-or-later
// How far a long computation has got, and the word that stops it.
//
// Data model: a share done, from 0 to 1, that only grows, and a cancel flag.
// The computation writes the share and looks at the flag between its steps
// and inside its large loops; another thread (the window's) reads the share
// and sets the flag. Stopping throws TCancelled out of the computation, which
// then leaves nothing behind; a computation that is not stopped gives the
// same result as one that is never watched.
#pragma once

#include <atomic>
#include <stdexcept>

namespace ravelon {

// Thrown out of a computation whose progress was cancelled. The message is
// shown to the user as it is.
class TCancelled : public std::runtime_error {
public:
    TCancelled() : std::runtime_error("計算を中止しました") {}
};

// The progress of one computation, shared between the thread that computes
// and the one that watches.
class TProgress {
public:
    // Asks the computation to stop at its next look at the flag.
    void Cancel() noexcept { FCancelled.store(true, std::memory_order_relaxed); }
    bool Cancelled() const noexcept { return FCancelled.load(std::memory_order_relaxed); }
    // Throws TCancelled once Cancel has been called.
    void CheckCancelled() const {
        if (Cancelled()) throw TCancelled();
    }

    // The share done, from 0 to 1.
    double Done() const noexcept { return FDone.load(std::memory_order_relaxed); }
    // Raises the share done to Share (clamped to 1); a smaller share is ignored.
    void Advance(double Share) noexcept {
        if (Share > 1) Share = 1;
        double now = FDone.load(std::memory_order_relaxed);
        while (Share > now && !FDone.compare_exchange_weak(now, Share, std::memory_order_relaxed)) {
        }
    }

private:
    std::atomic<bool> FCancelled{false};
    std::atomic<double> FDone{0};
};

// CheckCancelled on Progress when there is one.
inline void CheckCancelled(const TProgress* Progress) {
    if (Progress != nullptr) Progress->CheckCancelled();
}

}  // namespace ravelon
