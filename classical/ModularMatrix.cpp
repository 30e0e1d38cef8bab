// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/ModularMatrix.h"

#include <utility>

#include "classical/Montgomery.h"

namespace ravelon {

std::uint64_t PowMod(std::uint64_t A, std::uint64_t E, std::uint64_t P) {
    std::uint64_t r = 1 % P, b = A % P;
    for (; E > 0; E >>= 1) {
        if (E & 1U) r = MulMod(r, b, P);
        b = MulMod(b, b, P);
    }
    return r;
}

std::uint64_t PrimeBelow(std::uint64_t Below) {
    std::uint64_t n = Below - 1;
    while (!IsPrime64(n)) --n;
    return n;
}

std::uint64_t SolveMod(TModMatrix M, TModMatrix& B) {
    const int n = M.N;
    const std::uint64_t p = M.P;
    std::uint64_t det = 1 % p;
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        while (pivot < n && M(pivot, k) == 0) ++pivot;
        if (pivot == n) return 0;
        if (pivot != k) {
            for (int c = 0; c < n; ++c) {
                std::swap(M(k, c), M(pivot, c));
                std::swap(B(k, c), B(pivot, c));
            }
            det = (p - det) % p;
        }
        det = MulMod(det, M(k, k), p);
        const std::uint64_t inv = InvMod(M(k, k), p);
        for (int c = k; c < n; ++c) M(k, c) = MulMod(M(k, c), inv, p);
        for (int c = 0; c < n; ++c) B(k, c) = MulMod(B(k, c), inv, p);
        for (int r = 0; r < n; ++r) {
            if (r == k || M(r, k) == 0) continue;
            const std::uint64_t f = p - M(r, k);
            for (int c = k; c < n; ++c) M(r, c) = (M(r, c) + MulMod(f, M(k, c), p)) % p;
            for (int c = 0; c < n; ++c) B(r, c) = (B(r, c) + MulMod(f, B(k, c), p)) % p;
        }
    }
    return det;
}

std::vector<std::uint64_t> CharPolyMod(TModMatrix M) {
    const int n = M.N;
    const std::uint64_t p = M.P;
    // Similarity transforms to upper Hessenberg form: zeros below the subdiagonal.
    for (int k = 0; k + 2 <= n; ++k) {
        int pivot = k + 1;
        while (pivot < n && M(pivot, k) == 0) ++pivot;
        if (pivot == n) continue;
        if (pivot != k + 1) {
            for (int c = 0; c < n; ++c) std::swap(M(pivot, c), M(k + 1, c));
            for (int r = 0; r < n; ++r) std::swap(M(r, pivot), M(r, k + 1));
        }
        const std::uint64_t inv = InvMod(M(k + 1, k), p);
        for (int r = k + 2; r < n; ++r) {
            if (M(r, k) == 0) continue;
            const std::uint64_t f = MulMod(M(r, k), inv, p);
            // Row r -= f * row k+1, then column k+1 += f * column r.
            for (int c = 0; c < n; ++c) M(r, c) = (M(r, c) + MulMod(p - f, M(k + 1, c), p)) % p;
            for (int rr = 0; rr < n; ++rr) M(rr, k + 1) = (M(rr, k + 1) + MulMod(f, M(rr, r), p)) % p;
        }
    }
    // poly[m] = det(x I - H_m) for the leading m x m block, by expansion
    // along its last column.
    std::vector<std::vector<std::uint64_t>> poly(static_cast<std::size_t>(n) + 1);
    poly[0] = {1 % p};
    for (int m = 1; m <= n; ++m) {
        std::vector<std::uint64_t>& cur = poly[static_cast<std::size_t>(m)];
        const std::vector<std::uint64_t>& prev = poly[static_cast<std::size_t>(m - 1)];
        cur.assign(static_cast<std::size_t>(m) + 1, 0);
        // (x - h_mm) * prev
        const std::uint64_t h = M(m - 1, m - 1);
        for (std::size_t i = 0; i < prev.size(); ++i) {
            cur[i + 1] = (cur[i + 1] + prev[i]) % p;
            cur[i] = (cur[i] + MulMod(p - h, prev[i], p)) % p;
        }
        std::uint64_t sub = 1 % p;  // product of the subdiagonal entries h_{j, j-1}, j = i+1..m-1
        for (int i = m - 1; i >= 1; --i) {
            sub = MulMod(sub, M(i, i - 1), p);
            if (sub == 0) break;
            const std::uint64_t coef = MulMod(sub, M(i - 1, m - 1), p);
            const std::vector<std::uint64_t>& lower = poly[static_cast<std::size_t>(i - 1)];
            for (std::size_t k = 0; k < lower.size(); ++k) cur[k] = (cur[k] + MulMod(p - coef, lower[k], p)) % p;
        }
    }
    return poly[static_cast<std::size_t>(n)];
}

}  // namespace ravelon
