// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which the contraction takes the crossings of a code.
//
// Data model: an order is a permutation of the crossings 0 to n - 1 (crossing
// c of the code is c - 1 here). After the first k crossings of the order are
// taken, the boundary is the set of edges with one end on a taken crossing and
// the other on a crossing not yet taken; its size after each step is kept in
// Widths. The contraction keeps one polynomial per pairing of the boundary
// ends, so its cost grows with the widest boundary.
#pragma once

#include <cstdint>
#include <vector>

namespace ravelon {

// A crossing order and the boundary sizes it goes through.
struct TCrossingOrder {
    std::vector<std::int32_t> Crossings;
    // Widths[k]: the number of boundary edges after the first k + 1 crossings.
    std::vector<int> Widths;
    int MaxWidth = 0;
};

}  // namespace ravelon
