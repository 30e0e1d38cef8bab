// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/MemoryBound.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace ravelon {

std::size_t MemAvailableOf(std::istream& Meminfo) {
    std::string line;
    while (std::getline(Meminfo, line)) {
        std::istringstream words(line);
        std::string key, unit;
        unsigned long long amount = 0;
        if (!(words >> key >> amount) || key != "MemAvailable:") continue;
        words >> unit;
        const unsigned long long scale = unit == "kB" ? 1024 : 1;
        if (amount > static_cast<unsigned long long>(SIZE_MAX) / scale) return SIZE_MAX;
        return static_cast<std::size_t>(amount * scale);
    }
    return 0;
}

std::size_t MemAvailableNow() {
    std::ifstream meminfo("/proc/meminfo");
    return meminfo ? MemAvailableOf(meminfo) : 0;
}

std::size_t ContractionBytesFor(std::size_t Available) {
    if (Available == 0) return FallbackContractionBytes;
    const double rest = static_cast<double>(Available > SystemMarginBytes ? Available - SystemMarginBytes : 0);
    return std::max(LeastContractionBytes, static_cast<std::size_t>(FreeMemoryShare * rest));
}

std::size_t MachineContractionBytes() { return ContractionBytesFor(MemAvailableNow()); }

}  // namespace ravelon
