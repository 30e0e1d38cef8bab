// SPDX-License-Identifier: GPL-3.0-or-later
// Square matrices over the integers modulo a prime below 2^31.
//
// Data model: an n x n matrix is n * n residues 0 <= x < p, row after row.
// Every product of two residues is formed in 64 bits, where it always fits
// (both factors are below 2^31), so no arithmetic here can overflow.
#pragma once

#include <cstdint>
#include <vector>

namespace ravelon {

// A square matrix of residues modulo P.
struct TModMatrix {
    int N = 0;
    std::uint64_t P = 2;
    std::vector<std::uint64_t> At;  // N * N residues, row-major
    std::uint64_t& operator()(int r, int c) { return At[static_cast<std::size_t>(r) * static_cast<std::size_t>(N) + static_cast<std::size_t>(c)]; }
    std::uint64_t operator()(int r, int c) const { return At[static_cast<std::size_t>(r) * static_cast<std::size_t>(N) + static_cast<std::size_t>(c)]; }
};

// A * B mod P, A and B below P.
constexpr std::uint64_t MulMod(std::uint64_t A, std::uint64_t B, std::uint64_t P) { return A * B % P; }
// A^E mod P.
std::uint64_t PowMod(std::uint64_t A, std::uint64_t E, std::uint64_t P);
// The inverse of A (not 0) modulo the prime P.
inline std::uint64_t InvMod(std::uint64_t A, std::uint64_t P) { return PowMod(A, P - 2, P); }

// The largest prime below Below (the primality test is IsPrime64 of
// classical/Montgomery.h).
std::uint64_t PrimeBelow(std::uint64_t Below);

// Solves M X = B for X, overwriting B with X, and returns det M; returns 0
// (and leaves B undefined) when M is singular. M is taken by value.
std::uint64_t SolveMod(TModMatrix M, TModMatrix& B);

// The characteristic polynomial det(x I - M): N + 1 coefficients, constant
// first, leading 1 (Hessenberg reduction, then its recurrence).
std::vector<std::uint64_t> CharPolyMod(TModMatrix M);

}  // namespace ravelon
