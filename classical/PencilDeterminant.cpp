// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/PencilDeterminant.h"

#include <stdexcept>

#include "classical/ModularMatrix.h"

namespace ravelon {

namespace {

std::uint64_t Residue(std::int64_t v, std::uint64_t p) {
    const auto sp = static_cast<std::int64_t>(p);
    const std::int64_t r = v % sp;
    return static_cast<std::uint64_t>(r < 0 ? r + sp : r);
}

// det(A + t B) modulo p, N + 1 coefficients.
std::vector<std::uint64_t> PencilModP(const TIntMatrix& A, const TIntMatrix& B, std::uint64_t p) {
    const int n = A.N;
    std::vector<std::uint64_t> result(static_cast<std::size_t>(n) + 1, 0);
    TModMatrix bm{n, p, std::vector<std::uint64_t>(B.At.size())};
    for (std::size_t k = 0; k < B.At.size(); ++k) bm.At[k] = Residue(B.At[k], p);
    for (std::int64_t c = 0; c <= n + 1; ++c) {
        TModMatrix m{n, p, std::vector<std::uint64_t>(A.At.size())};
        for (std::size_t k = 0; k < A.At.size(); ++k) m.At[k] = (Residue(A.At[k], p) + MulMod(Residue(c, p), bm.At[k], p)) % p;
        TModMatrix x = bm;
        const std::uint64_t det = SolveMod(m, x);
        if (det == 0) continue;
        // det(I + u X) = sum_k (-1)^k chi_{n-k} u^k for chi = det(x I - X).
        const std::vector<std::uint64_t> chi = CharPolyMod(x);
        std::vector<std::uint64_t> q(static_cast<std::size_t>(n) + 1);
        for (int k = 0; k <= n; ++k) {
            const std::uint64_t v = MulMod(det, chi[static_cast<std::size_t>(n - k)], p);
            q[static_cast<std::size_t>(k)] = (k % 2 == 0 || v == 0) ? v : p - v;
        }
        // q(t - c): Horner with the linear factor (t - c).
        const std::uint64_t negc = (p - Residue(c, p)) % p;
        for (int k = n; k >= 0; --k) {
            // result := result * (t - c) + q_k
            for (int i = n; i >= 1; --i)
                result[static_cast<std::size_t>(i)] =
                    (result[static_cast<std::size_t>(i - 1)] + MulMod(negc, result[static_cast<std::size_t>(i)], p)) % p;
            result[0] = (MulMod(negc, result[0], p) + q[static_cast<std::size_t>(k)]) % p;
        }
        return result;
    }
    return result;
}

}  // namespace

std::vector<mpz_class> PencilDeterminant(const TIntMatrix& A, const TIntMatrix& B) {
    if (A.N != B.N) throw std::invalid_argument("a pencil of two matrices of different sizes");
    const int n = A.N;
    mpz_class bound = 1;
    for (int r = 0; r < n; ++r) {
        mpz_class row = 0;
        for (int c = 0; c < n; ++c) {
            row += A(r, c) < 0 ? -A(r, c) : A(r, c);
            row += B(r, c) < 0 ? -B(r, c) : B(r, c);
        }
        bound *= row;
    }
    std::vector<mpz_class> value(static_cast<std::size_t>(n) + 1, 0);
    if (bound == 0) return value;
    mpz_class modulus = 1;
    std::uint64_t prime = std::uint64_t{1} << 31;
    while (modulus <= 2 * bound) {
        prime = PrimeBelow(prime);
        const std::vector<std::uint64_t> r = PencilModP(A, B, prime);
        // Garner: value += modulus * ((r - value) / modulus mod prime).
        const mpz_class mp = modulus % static_cast<unsigned long>(prime);
        const std::uint64_t inv = InvMod(mp.get_ui(), prime);
        for (std::size_t k = 0; k < value.size(); ++k) {
            const mpz_class vk = value[k] % static_cast<unsigned long>(prime);
            const std::uint64_t diff = (r[k] + prime - vk.get_ui()) % prime;
            const std::uint64_t step = MulMod(diff, inv, prime);
            value[k] += modulus * static_cast<unsigned long>(step);
        }
        modulus *= static_cast<unsigned long>(prime);
    }
    const mpz_class half = modulus / 2;
    for (mpz_class& v : value)
        if (v > half) v -= modulus;
    return value;
}

std::vector<mpz_class> CharacteristicPolynomial(const TIntMatrix& S) {
    TIntMatrix a(S.N), b(S.N);
    for (int r = 0; r < S.N; ++r) {
        for (int c = 0; c < S.N; ++c) a(r, c) = -S(r, c);
        b(r, r) = 1;
    }
    return PencilDeterminant(a, b);
}

}  // namespace ravelon
