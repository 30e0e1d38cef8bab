// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/TooComplex.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ravelon {

std::string TooComplexMessage(std::size_t NeededBytes) {
    std::string text = "結び目が複雑すぎて計算できません";
    if (NeededBytes == 0) return text;
    constexpr double MiB = 1024.0 * 1024.0, GiB = 1024.0 * MiB;
    const double bytes = static_cast<double>(NeededBytes);
    char amount[32];
    if (bytes >= GiB) std::snprintf(amount, sizeof amount, "%.1f GiB", std::nearbyint(bytes / GiB * 10) / 10);
    else std::snprintf(amount, sizeof amount, "%.0f MiB", std::max(1.0, std::nearbyint(bytes / MiB)));
    return text + " (約 " + amount + " のメモリが必要です)";
}

}  // namespace ravelon
