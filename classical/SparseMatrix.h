// SPDX-License-Identifier: GPL-3.0-or-later
// Square integer matrices of few non-zero entries, as lists of entries.
//
// Data model: an N x N matrix is the list of its non-zero entries (row,
// column, value), sorted by row and then by column, each place at most once.
// Entries are 64-bit: they are sums of a few terms for every crossing of a
// diagram, far from the 64-bit bounds.
#pragma once

#include <cstdint>
#include <vector>

namespace ravelon {

// One non-zero entry of a sparse matrix.
struct TMatrixEntry {
    int Row = 0;
    int Column = 0;
    std::int64_t Value = 0;
    friend bool operator==(const TMatrixEntry&, const TMatrixEntry&) = default;
};

// A square integer matrix of few non-zero entries.
struct TSparseMatrix {
    int N = 0;
    std::vector<TMatrixEntry> Entries;
};

// A * M + B * M^T, its entries sorted and the zeros left out.
TSparseMatrix Combined(const TSparseMatrix& M, std::int64_t A, std::int64_t B);

}  // namespace ravelon
