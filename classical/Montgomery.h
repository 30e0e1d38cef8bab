// SPDX-License-Identifier: GPL-3.0-or-later
// Arithmetic modulo a prime below 2^62 in Montgomery form, for the
// determinants of large sparse matrices modulo several primes.
//
// Data model: a residue x is held as x * 2^64 mod P (its Montgomery form), a
// 64-bit integer below P. A product of two of them is formed in 128 bits and
// reduced without division; sums stay below 2P < 2^63 before they are
// reduced, so nothing wraps around.
#pragma once

#include <cstdint>

namespace ravelon {

// The residues modulo one prime P, 2 < P < 2^62.
class TMontgomery {
public:
    explicit TMontgomery(std::uint64_t P);

    std::uint64_t Prime() const { return FP; }

    // The Montgomery form of V mod P, and back.
    std::uint64_t From(std::int64_t V) const;
    std::uint64_t ToPlain(std::uint64_t X) const { return Reduce(X); }

    std::uint64_t Mul(std::uint64_t A, std::uint64_t B) const {
        return Reduce(static_cast<TWide>(A) * B);
    }
    std::uint64_t Add(std::uint64_t A, std::uint64_t B) const {
        const std::uint64_t s = A + B;
        return s >= FP ? s - FP : s;
    }
    std::uint64_t Sub(std::uint64_t A, std::uint64_t B) const { return A >= B ? A - B : A + FP - B; }
    std::uint64_t Neg(std::uint64_t A) const { return A == 0 ? 0 : FP - A; }
    // A^E, and the inverse of A (not 0) by Fermat's little theorem.
    std::uint64_t Pow(std::uint64_t A, std::uint64_t E) const;
    std::uint64_t Inverse(std::uint64_t A) const { return Pow(A, FP - 2); }
    // The form of 1.
    std::uint64_t One() const { return FOne; }

private:
    __extension__ typedef unsigned __int128 TWide;

    std::uint64_t Reduce(TWide T) const {
        const std::uint64_t m = static_cast<std::uint64_t>(T) * FNegInverse;
        const auto u = static_cast<std::uint64_t>((T + static_cast<TWide>(m) * FP) >> 64);
        return u >= FP ? u - FP : u;
    }

    std::uint64_t FP;
    // -P^-1 mod 2^64, 2^64 mod P and 2^128 mod P.
    std::uint64_t FNegInverse = 0;
    std::uint64_t FOne = 0;
    std::uint64_t FSquare = 0;
};

// True when N is prime (Miller-Rabin with bases that decide every 64-bit N).
bool IsPrime64(std::uint64_t N);

// The largest prime below Below (at most 2^62).
std::uint64_t PrimeBelow64(std::uint64_t Below);

// The first prime of the moduli: the largest below 2^62.
inline std::uint64_t FirstModulus() { return PrimeBelow64(std::uint64_t{1} << 62); }

}  // namespace ravelon
