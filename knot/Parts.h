// SPDX-License-Identifier: GPL-3.0-or-later
// Loops of a contraction step shared among the cores.
//
// Data model: a loop over the items 0 to N - 1 is cut into at most Parts
// runs of consecutive items, one thread each (the caller's thread takes the
// first). The parts write to places of their own, so the result does not
// depend on how the loop was cut.
#pragma once

#include <cstddef>
#include <exception>
#include <algorithm>
#include <functional>

namespace ravelon {

// The parts a contraction cuts its large loops into when told to use all
// cores: one per core, at most 8.
unsigned CoreParts();
// The most parts it cuts them into when told a number of threads.
constexpr unsigned MostParts = 64;

// Runs Body(Part) for Part 0 to Parts - 1 at once, each on a thread of its
// own but the first, and returns when all have ended. An exception of a part
// is thrown again once all have ended (the one of the lowest part).
void RunParts(unsigned Parts, const std::function<void(unsigned Part)>& Body);

// The first item of Part when N items are cut into Parts runs of nearly
// equal length.
constexpr std::size_t PartBegin(std::size_t N, unsigned Parts, unsigned Part) {
    return N / Parts * Part + std::min<std::size_t>(Part, N % Parts);
}

}  // namespace ravelon
