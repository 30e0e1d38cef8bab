// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/Montgomery.h"

#include <stdexcept>

namespace ravelon {

namespace {

__extension__ typedef unsigned __int128 TWide;

std::uint64_t MulMod(std::uint64_t A, std::uint64_t B, std::uint64_t M) {
    return static_cast<std::uint64_t>(static_cast<TWide>(A) * B % M);
}

std::uint64_t PowMod(std::uint64_t A, std::uint64_t E, std::uint64_t M) {
    std::uint64_t r = 1 % M;
    for (A %= M; E > 0; E >>= 1) {
        if (E & 1U) r = MulMod(r, A, M);
        A = MulMod(A, A, M);
    }
    return r;
}

}  // namespace

TMontgomery::TMontgomery(std::uint64_t P) : FP(P) {
    if (P < 3 || P % 2 == 0 || P >> 62 != 0) throw std::invalid_argument("a Montgomery modulus that is not odd below 2^62");
    // Newton's iteration doubles the correct low bits of the inverse.
    std::uint64_t inverse = P;
    for (int i = 0; i < 6; ++i) inverse *= 2 - P * inverse;
    FNegInverse = 0 - inverse;
    FOne = (0 - P) % P;
    FSquare = MulMod(FOne, FOne, P);
}

std::uint64_t TMontgomery::From(std::int64_t V) const {
    const auto p = static_cast<std::int64_t>(FP);
    const std::int64_t r = V % p;
    return Mul(static_cast<std::uint64_t>(r < 0 ? r + p : r), FSquare);
}

std::uint64_t TMontgomery::Pow(std::uint64_t A, std::uint64_t E) const {
    std::uint64_t r = FOne;
    for (; E > 0; E >>= 1) {
        if (E & 1U) r = Mul(r, A);
        A = Mul(A, A);
    }
    return r;
}

bool IsPrime64(std::uint64_t N) {
    if (N < 2) return false;
    for (const std::uint64_t q : {2U, 3U, 5U, 7U, 11U, 13U, 17U, 19U, 23U, 29U, 31U, 37U})
        if (N % q == 0) return N == q;
    std::uint64_t d = N - 1;
    int s = 0;
    while ((d & 1U) == 0) {
        d >>= 1;
        ++s;
    }
    for (const std::uint64_t a : {2ULL, 325ULL, 9375ULL, 28178ULL, 450775ULL, 9780504ULL, 1795265022ULL}) {
        std::uint64_t x = PowMod(a, d, N);
        if (x == 0 || x == 1 || x == N - 1) continue;
        bool composite = true;
        for (int i = 1; i < s && composite; ++i) {
            x = MulMod(x, x, N);
            if (x == N - 1) composite = false;
        }
        if (composite) return false;
    }
    return true;
}

std::uint64_t PrimeBelow64(std::uint64_t Below) {
    if (Below < 4 || Below > (std::uint64_t{1} << 62)) throw std::invalid_argument("no prime modulus below that bound");
    std::uint64_t n = Below - 1;
    while (!IsPrime64(n)) --n;
    return n;
}

}  // namespace ravelon
