// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/Parts.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace ravelon {

unsigned CoreParts() { return std::clamp(std::thread::hardware_concurrency(), 1u, 8u); }

void RunParts(unsigned Parts, const std::function<void(unsigned Part)>& Body) {
    std::vector<std::exception_ptr> errors(Parts);
    auto guarded = [&](unsigned Part) {
        try {
            Body(Part);
        } catch (...) {
            errors[Part] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> threads;
        threads.reserve(Parts > 0 ? Parts - 1 : 0);
        for (unsigned part = 1; part < Parts; ++part) threads.emplace_back(guarded, part);
        if (Parts > 0) guarded(0);
    }
    for (const std::exception_ptr& error : errors)
        if (error) std::rethrow_exception(error);
}

}  // namespace ravelon
