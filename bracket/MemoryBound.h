// SPDX-License-Identifier: GPL-3.0-or-later
// The memory a contraction may take: a share of what the machine has free
// when the computation starts.
//
// Data model: the free memory is MemAvailable of /proc/meminfo (what the
// kernel can give without swapping, the page cache it can drop included).
// Of it, a margin is left for the desktop window and the rest of the system,
// and a share of the rest is the bound; where the free memory cannot be read,
// the bound is a fixed one an ordinary desktop can give.
#pragma once

#include <cstddef>
#include <istream>

namespace ravelon {

// The bound where the free memory is not known: 1.5 GiB.
constexpr std::size_t FallbackContractionBytes = std::size_t{3} << 29;
// The memory left for the rest of the system, and the share of what is left
// after it that a computation may take.
constexpr std::size_t SystemMarginBytes = std::size_t{1} << 30;
constexpr double FreeMemoryShare = 0.75;
// The smallest bound, however little is free.
constexpr std::size_t LeastContractionBytes = std::size_t{1} << 28;

// MemAvailable of a text in the form of /proc/meminfo, in bytes; 0 when it
// has none.
std::size_t MemAvailableOf(std::istream& Meminfo);
// MemAvailable of this machine now; 0 when it cannot be read.
std::size_t MemAvailableNow();

// The bound for Available free bytes (0: not known).
std::size_t ContractionBytesFor(std::size_t Available);
// The bound for this machine now.
std::size_t MachineContractionBytes();

}  // namespace ravelon
