// The classical invariants beyond the table: the exact pencil determinant
// against the Leibniz expansion, and torus knots and links and connected sums
// of up to 60 crossings against their closed formulas.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

#include "knot/ClassicalInvariants.h"
#include "knot/PencilDeterminant.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"

namespace ravelon {
namespace {

using Poly = std::vector<mpz_class>;  // coefficients, constant first

Poly Times(const Poly& a, const Poly& b) {
    Poly r(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) r[i + j] += a[i] * b[j];
    return r;
}

// det(A + t B) by the sum over all permutations.
Poly Leibniz(const TIntMatrix& A, const TIntMatrix& B) {
    std::vector<int> perm(static_cast<std::size_t>(A.N));
    std::iota(perm.begin(), perm.end(), 0);
    Poly sum(static_cast<std::size_t>(A.N) + 1, 0);
    do {
        int inversions = 0;
        for (std::size_t i = 0; i < perm.size(); ++i)
            for (std::size_t j = i + 1; j < perm.size(); ++j) inversions += perm[i] > perm[j] ? 1 : 0;
        Poly term{inversions % 2 == 0 ? 1 : -1};
        for (int r = 0; r < A.N; ++r)
            term = Times(term, {A(r, perm[static_cast<std::size_t>(r)]), B(r, perm[static_cast<std::size_t>(r)])});
        for (std::size_t k = 0; k < term.size(); ++k) sum[k] += term[k];
    } while (std::next_permutation(perm.begin(), perm.end()));
    return sum;
}

TEST(PencilDeterminant, EqualsTheLeibnizExpansion) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        const int n = round % 7;
        // Small entries, entries near 2^40 (many primes), and matrices of low rank.
        const std::int64_t range = round % 3 == 0 ? (std::int64_t{1} << 40) : 3;
        std::uniform_int_distribution<std::int64_t> pick(-range, range);
        TIntMatrix a(n), b(n);
        for (auto& e : a.At) e = pick(rng);
        for (auto& e : b.At) e = pick(rng);
        if (round % 5 == 4 && n >= 2)
            for (int c = 0; c < n; ++c) {
                a(1, c) = 2 * a(0, c);
                b(1, c) = 2 * b(0, c);
            }
        EXPECT_EQ(PencilDeterminant(a, b), Leibniz(a, b)) << "round " << round;
    }
}

// t^-((p-1)(q-1)/2) (t^pq - 1)(t - 1) / ((t^p - 1)(t^q - 1)) as twice the exponent -> coefficient.
std::map<std::pair<int, int>, TCoefficient> TorusAlexander(int p, int q) {
    Poly num(static_cast<std::size_t>(p * q + 2), 0);  // (t^pq - 1)(t - 1)
    num[static_cast<std::size_t>(p * q + 1)] += 1;
    num[static_cast<std::size_t>(p * q)] -= 1;
    num[1] -= 1;
    num[0] += 1;
    for (const int d : {p, q}) {  // divide by t^d - 1, from the top
        Poly quot(num.size() - static_cast<std::size_t>(d), 0);
        for (std::size_t k = num.size() - 1; k >= static_cast<std::size_t>(d); --k) {
            quot[k - static_cast<std::size_t>(d)] = num[k];
            num[k - static_cast<std::size_t>(d)] += num[k];
            num[k] = 0;
        }
        EXPECT_TRUE(std::all_of(num.begin(), num.end(), [](const mpz_class& c) { return c == 0; }));
        num = quot;
    }
    std::map<std::pair<int, int>, TCoefficient> r;
    const int shift = (p - 1) * (q - 1);
    for (std::size_t k = 0; k < num.size(); ++k)
        if (num[k] != 0) {
            const int twice = 2 * static_cast<int>(k) - shift;
            r[twice % 2 == 0 ? std::pair{twice / 2, 1} : std::pair{twice, 2}] = num[k];
        }
    return r;
}

TEST(Classical, TorusKnotsAndLinks) {
    for (int q = 4; q <= 20; ++q) {
        if (q % 3 == 0) continue;
        std::vector<int> word;
        for (int i = 0; i < q; ++i) word.insert(word.end(), {1, 2});
        const TKnot k = testing::BraidClosure(3, word);
        EXPECT_EQ(testing::NonZero(AlexanderPolynomial(k)), TorusAlexander(3, q)) << "T(3, " << q << ")";
    }
    for (int n = 2; n <= 41; ++n) {
        const TKnot k = testing::TorusTwo(n);
        // The positive (2, n) torus knot or link has signature -(n - 1) and
        // determinant n.
        EXPECT_EQ(Signature(k), -(n - 1)) << "T(2, " << n << ")";
        if (n % 2 == 1) {
            EXPECT_EQ(testing::NonZero(AlexanderPolynomial(k)), TorusAlexander(2, n)) << n;
        }
        EXPECT_EQ(DeterminantOf(AlexanderPolynomial(k)), n);
    }
}

TEST(Classical, ConnectedSumsAddTheSignatureAndMultiplyTheAlexanderPolynomial) {
    // The granny knot, the square knot and the sum of two figure-eight knots, as closed braids.
    const TKnot granny = testing::BraidClosure(3, {1, 1, 1, 2, 2, 2});
    const TKnot square = testing::BraidClosure(3, {1, 1, 1, -2, -2, -2});
    const TKnot eights = testing::BraidClosure(3, {1, -2, 1, -2, 2, 2});
    EXPECT_EQ(Signature(granny), -4);
    EXPECT_EQ(Signature(square), 0);
    // (t - 1 + t^-1)^2
    const std::map<std::pair<int, int>, TCoefficient> trefoils{{{2, 1}, 1}, {{1, 1}, -2}, {{0, 1}, 3}, {{-1, 1}, -2}, {{-2, 1}, 1}};
    EXPECT_EQ(testing::NonZero(AlexanderPolynomial(granny)), trefoils);
    EXPECT_EQ(testing::NonZero(AlexanderPolynomial(square)), trefoils);
    EXPECT_EQ(DeterminantOf(AlexanderPolynomial(granny)), 9);
    EXPECT_EQ(Signature(eights), 0);
}

}  // namespace
}  // namespace ravelon
