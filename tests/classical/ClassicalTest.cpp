// SPDX-License-Identifier: GPL-3.0-or-later
// The classical invariants beyond the table: the exact pencil determinant
// against the Leibniz expansion, the sparse computations against the dense
// reference on random closed braids, torus knots and links against their
// closed formulas, and connected sums.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>

#include "classical/ClassicalInvariants.h"
#include "classical/FaceSeifertMatrix.h"
#include "classical/PencilDeterminant.h"
#include "classical/SeifertMatrix.h"
#include "tests/support/BraidCode.h"
#include "tests/support/PolyTerms.h"
#include "tests/support/RandomCode.h"

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

// The signature of the positive (3, q) torus knot: -8k, -8k - 2, -8k - 6
// and -8k - 8 for q = 6k + 1, 6k + 2, 6k + 4 and 6k + 5.
int TorusThreeSignature(int q) {
    const int k = q / 6;
    switch (q % 6) {
        case 1: return -8 * k;
        case 2: return -8 * k - 2;
        case 4: return -8 * k - 6;
        default: return -8 * k - 8;
    }
}

TEST(Classical, TorusKnotsAndLinks) {
    for (int q = 4; q <= 20; ++q) {
        if (q % 3 == 0) continue;
        std::vector<int> word;
        for (int i = 0; i < q; ++i) word.insert(word.end(), {1, 2});
        const TKnot k = testing::BraidClosure(3, word);
        EXPECT_EQ(testing::NonZero(AlexanderPolynomial(k)), TorusAlexander(3, q)) << "T(3, " << q << ")";
        EXPECT_EQ(Signature(k), TorusThreeSignature(q)) << "T(3, " << q << ")";
    }
    // Far past the reach of the dense matrix.
    for (const int n : {41, 301}) {
        const TKnot k = testing::TorusTwo(n);
        EXPECT_EQ(testing::NonZero(AlexanderPolynomial(k)), TorusAlexander(2, n)) << n;
        EXPECT_EQ(Signature(k), -(n - 1)) << n;
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

#ifdef RAVELON_SANITIZED_TESTS
constexpr int kBraids = 60;
#else
constexpr int kBraids = 400;
#endif

// Random closed braids, some with strands no generator touches (split
// diagrams) and some of generators that cancel (links whose Alexander
// polynomial is 0 on a diagram in one piece), and connected sums of them:
// the sparse matrix of the faces has as many rows as the dense one and a few
// entries for every crossing, and gives the same invariants.
TEST(Classical, SparseComputationsAgreeWithTheDenseOnes) {
    std::mt19937 rng(41);
    int split = 0, vanishing = 0;
    for (int round = 0; round < kBraids; ++round) {
        const int strands = 2 + round % 6;
        std::vector<int> word = testing::RandomBraidWord(rng, strands, 1 + round % 40);
        if (round % 7 == 3 && word.size() <= 15)
            for (std::size_t i = 0; i < word.size(); i += 2) word.insert(word.begin() + static_cast<std::ptrdiff_t>(i), -word[i]);
        TKnot k = testing::BraidClosure(strands, word);
        if (round % 11 == 5 && k.FCrossingCount() <= 15 && k.FEdges[1].Crossing1 > 0) k = testing::ConnectedSum(k, 2);
        const TFaceSeifertMatrix faces = FaceSeifertMatrixOf(k);
        const TSeifertMatrix dense = SeifertMatrixOf(k);
        ASSERT_EQ(faces.V.N, dense.V.N) << round;
        ASSERT_EQ(faces.Pieces, dense.Pieces) << round;
        EXPECT_LE(faces.V.Entries.size(), 8 * static_cast<std::size_t>(k.FCrossingCount())) << round;
        const TPoly alexander = AlexanderPolynomial(k);
        ASSERT_EQ(testing::NonZero(alexander), testing::NonZero(DenseAlexanderPolynomial(k))) << round;
        ASSERT_EQ(Signature(k), DenseSignature(k)) << round;
        split += dense.Pieces > 1 ? 1 : 0;
        vanishing += dense.Pieces == 1 && testing::NonZero(alexander).empty() ? 1 : 0;
    }
    EXPECT_GT(split, kBraids / 20);
    EXPECT_GT(vanishing, kBraids / 100);
}

// A watched computation gives the same value and ends with all of its work
// told done; a cancelled one stops with TCancelled.
TEST(Classical, ProgressIsToldAndCancellingStops) {
    std::mt19937 rng(42);
    const TKnot k = testing::BraidClosure(5, testing::RandomBraidWord(rng, 5, 80));
    TProgress alexander, signature;
    EXPECT_EQ(testing::NonZero(AlexanderPolynomial(k, &alexander)), testing::NonZero(AlexanderPolynomial(k)));
    EXPECT_EQ(Signature(k, &signature), Signature(k));
    EXPECT_EQ(alexander.Done(), 1.0);
    EXPECT_EQ(signature.Done(), 1.0);
    TProgress cancelled;
    cancelled.Cancel();
    EXPECT_THROW(AlexanderPolynomial(k, &cancelled), TCancelled);
    EXPECT_THROW(Signature(k, &cancelled), TCancelled);
    EXPECT_LT(cancelled.Done(), 1.0);
}

}  // namespace
}  // namespace ravelon
