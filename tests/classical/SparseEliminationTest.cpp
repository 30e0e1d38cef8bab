// SPDX-License-Identifier: GPL-3.0-or-later
// The exact sparse eliminations of the classical invariants against dense
// computations written apart: the pencil determinant modulo 62-bit primes
// against the dense pencil determinant, the inertia without fractions
// against Descartes' count on the characteristic polynomial, and the
// arithmetic modulo the primes against 128-bit remainders.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "classical/IntMatrix.h"
#include "classical/Montgomery.h"
#include "classical/PencilDeterminant.h"
#include "classical/SparsePencil.h"
#include "classical/SymmetricElimination.h"

namespace ravelon {
namespace {

__extension__ typedef unsigned __int128 TWide;

TIntMatrix Dense(const TSparseMatrix& M) {
    TIntMatrix d(M.N);
    for (const TMatrixEntry& e : M.Entries) d(e.Row, e.Column) += e.Value;
    return d;
}

// A random sparse matrix: about Density entries per row, many diagonal ones
// 0 (all of them with Hollow, where the elimination must first merge rows);
// with Singular, its last row twice the first.
TSparseMatrix RandomSparse(std::mt19937& Rng, int N, int Density, std::int64_t Range, bool Symmetric, bool Singular,
                           bool Hollow = false) {
    std::uniform_int_distribution<int> place(0, N - 1);
    std::uniform_int_distribution<std::int64_t> value(-Range, Range);
    TIntMatrix d(N);
    for (int k = 0; k < N * Density; ++k) {
        const int r = place(Rng), c = place(Rng);
        const std::int64_t v = r == c && (Hollow || k % 3 != 0) ? 0 : value(Rng);
        d(r, c) = v;
        if (Symmetric) d(c, r) = v;
    }
    if (Singular && N >= 2)
        for (int c = 0; c < N; ++c) {
            d(N - 1, c) = 2 * d(0, c);
            if (Symmetric) d(c, N - 1) = d(N - 1, c);
        }
    if (Singular && Symmetric && N >= 2) d(N - 1, N - 1) = 4 * d(0, 0);
    // Within a few small values, the pivots the merges make are often 0.
    if (Hollow)
        for (int r = 0; r < N; ++r) d(r, r) = 0;
    TSparseMatrix m{N, {}};
    for (int r = 0; r < N; ++r)
        for (int c = 0; c < N; ++c)
            if (d(r, c) != 0) m.Entries.push_back({r, c, d(r, c)});
    return m;
}

// The product over the rows of the sums of |V_rc| + |V_cr|: a bound of the
// sum of the absolute coefficients of det(V - t V^T).
mpz_class RowBound(const TIntMatrix& V) {
    mpz_class bound = 1;
    for (int r = 0; r < V.N; ++r) {
        mpz_class row = 0;
        for (int c = 0; c < V.N; ++c) row += std::abs(V(r, c)) + std::abs(V(c, r));
        bound *= row;
    }
    return bound;
}

TEST(SparsePencil, EqualsTheDensePencilDeterminant) {
    std::mt19937 rng(21);
    int singular = 0;
    for (int round = 0; round < 300; ++round) {
        const int n = round % 13;
        // Small entries (one prime), entries of 2^30 (several), low rank.
        const std::int64_t range = round % 7 == 0 ? (std::int64_t{1} << 30) : 2;
        const TSparseMatrix v = RandomSparse(rng, n, 1 + round % 3, range, false, round % 5 == 4, round % 4 == 1);
        const TIntMatrix dense = Dense(v);
        TIntMatrix minusT = Transposed(dense);
        for (std::int64_t& e : minusT.At) e = -e;
        const std::vector<mpz_class> expected = PencilDeterminant(dense, minusT);
        singular += std::all_of(expected.begin(), expected.end(), [](const mpz_class& c) { return c == 0; }) ? 1 : 0;
        const mpz_class bound = RowBound(dense);
        ASSERT_EQ(SparsePencilDeterminant(v, bound, 1), expected) << "round " << round;
        ASSERT_EQ(SparsePencilDeterminant(v, bound, 3), expected) << "round " << round;
    }
    EXPECT_GT(singular, 30);
}

// Signs of the roots of a characteristic polynomial with real roots only.
TInertia DescartesInertia(const TIntMatrix& S) {
    const std::vector<mpz_class> chi = CharacteristicPolynomial(S);
    auto changes = [&](bool alternate) {
        int count = 0, last = 0;
        for (std::size_t k = 0; k < chi.size(); ++k) {
            const int s = (alternate && k % 2 == 1 ? -1 : 1) * sgn(chi[k]);
            if (s == 0) continue;
            count += last != 0 && s != last ? 1 : 0;
            last = s;
        }
        return count;
    };
    TInertia in;
    in.Positive = changes(false);
    in.Negative = changes(true);
    in.Zero = S.N - in.Positive - in.Negative;
    in.Determinant = chi.front() * (S.N % 2 == 0 ? 1 : -1);
    return in;
}

TEST(SymmetricElimination, InertiaAndDeterminantAsDescartesCounts) {
    std::mt19937 rng(22);
    int degenerate = 0;
    for (int round = 0; round < 400; ++round) {
        const int n = round % 14;
        const std::int64_t range = round % 9 == 0 ? 1000000 : 1 + round % 2;
        const TSparseMatrix s = RandomSparse(rng, n, 1 + round % 4, range, true, round % 6 == 5, round % 4 == 1);
        const TInertia expected = DescartesInertia(Dense(s));
        const TInertia found = InertiaOf(s);
        degenerate += expected.Zero > 0 ? 1 : 0;
        ASSERT_EQ(found.Positive, expected.Positive) << "round " << round;
        ASSERT_EQ(found.Negative, expected.Negative) << "round " << round;
        ASSERT_EQ(found.Zero, expected.Zero) << "round " << round;
        ASSERT_EQ(found.Determinant, expected.Determinant) << "round " << round;
    }
    EXPECT_GT(degenerate, 40);
    // Only zeros on the diagonal: a hyperbolic pair and a path of them.
    TSparseMatrix pair{2, {{0, 1, 3}, {1, 0, 3}}};
    EXPECT_EQ(InertiaOf(pair).Determinant, -9);
    EXPECT_EQ(InertiaOf(pair).Positive, 1);
}

TEST(Montgomery, ProductsAndPrimesAsWideRemainders) {
    std::mt19937_64 rng(23);
    const std::uint64_t p = FirstModulus();
    EXPECT_LT(p, std::uint64_t{1} << 62);
    EXPECT_GT(p, (std::uint64_t{1} << 62) - 1000);
    const TMontgomery m(p);
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t a = static_cast<std::int64_t>(rng() >> 2) * (i % 2 == 0 ? 1 : -1);
        const std::int64_t b = static_cast<std::int64_t>(rng() >> 3);
        const auto ra = static_cast<std::uint64_t>(((a % static_cast<std::int64_t>(p)) + static_cast<std::int64_t>(p)) %
                                                   static_cast<std::int64_t>(p));
        const auto rb = static_cast<std::uint64_t>(b) % p;
        ASSERT_EQ(m.ToPlain(m.Mul(m.From(a), m.From(b))), static_cast<std::uint64_t>(static_cast<TWide>(ra) * rb % p));
        ASSERT_EQ(m.ToPlain(m.Sub(m.From(a), m.From(b))), (ra + p - rb) % p);
        if (ra != 0) {
            ASSERT_EQ(m.ToPlain(m.Mul(m.Inverse(m.From(a)), m.From(a))), 1u);
        }
    }
    // Primality against trial division, near 2^40 and among small numbers.
    auto trial = [](std::uint64_t n) {
        if (n < 2) return false;
        for (std::uint64_t d = 2; d * d <= n; ++d)
            if (n % d == 0) return false;
        return true;
    };
    for (std::uint64_t n = 0; n < 3000; ++n) ASSERT_EQ(IsPrime64(n), trial(n)) << n;
    for (std::uint64_t n = (std::uint64_t{1} << 40) - 500; n < (std::uint64_t{1} << 40); ++n) ASSERT_EQ(IsPrime64(n), trial(n)) << n;
    EXPECT_FALSE(IsPrime64(3215031751ULL));  // a strong pseudoprime to the bases 2, 3, 5 and 7
    EXPECT_LT(PrimeBelow64(p), p);
    EXPECT_TRUE(IsPrime64(PrimeBelow64(p)));
}

}  // namespace
}  // namespace ravelon
