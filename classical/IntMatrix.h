// SPDX-License-Identifier: GPL-3.0-or-later
// Small dense integer matrices: the Seifert matrix and the matrices built from it.
//
// Data model: an n x n matrix is n * n entries, row after row. Entries are
// 64-bit; they are sums of at most a few terms for every crossing of a diagram
// (whose number is an int), so they never come near the 64-bit bounds.
#pragma once

#include <cstdint>
#include <vector>

namespace ravelon {

// A square integer matrix.
struct TIntMatrix {
    int N = 0;
    std::vector<std::int64_t> At;  // N * N entries, row-major

    TIntMatrix() = default;
    explicit TIntMatrix(int n) : N(n), At(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0) {}
    std::int64_t& operator()(int r, int c) { return At[Index(r, c)]; }
    std::int64_t operator()(int r, int c) const { return At[Index(r, c)]; }
    friend bool operator==(const TIntMatrix&, const TIntMatrix&) = default;

private:
    std::size_t Index(int r, int c) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(N) + static_cast<std::size_t>(c);
    }
};

// The transpose of M.
TIntMatrix Transposed(const TIntMatrix& M);
// M + Sign * M^T (Sign is 1 or -1).
TIntMatrix PlusTransposed(const TIntMatrix& M, int Sign);

}  // namespace ravelon
