// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/SparsePencil.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "classical/Montgomery.h"
#include "knot/Parts.h"
#include "classical/PencilElimination.h"

namespace ravelon {

namespace {

// The points of one piece of work of a thread.
constexpr std::size_t RunPoints = 32;
// The share of the work that finding the plan stands for.
constexpr double PlanShare = 0.05;

// The coefficients of P (of size N) modulo the prime of M, constant first,
// from its values at t = 2, 3, ..., N / 2 + 2 (plain residues).
std::vector<std::uint64_t> Interpolate(const TMontgomery& M, int N, const std::vector<std::uint64_t>& Values,
                                       const TProgress* Progress) {
    const auto h = static_cast<std::size_t>(N / 2);
    const std::size_t count = h + 1;
    std::vector<std::uint64_t> u(count), q(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t t = M.From(static_cast<std::int64_t>(i + 2));
        const std::uint64_t inverse = M.Inverse(t);
        u[i] = M.Add(t, inverse);
        q[i] = M.Mul(M.From(static_cast<std::int64_t>(Values[i])), M.Pow(inverse, h));
        if (N % 2 != 0) q[i] = M.Mul(q[i], M.Inverse(M.Sub(t, M.One())));
    }
    // Lagrange: Q(u) = sum_i q_i / W'(u_i) * W(u) / (u - u_i), W = prod (u - u_i).
    std::vector<std::uint64_t> w{M.One()};
    for (std::size_t i = 0; i < count; ++i) {
        w.push_back(0);
        for (std::size_t k = w.size() - 1; k > 0; --k) w[k] = M.Sub(w[k - 1], M.Mul(u[i], w[k]));
        w[0] = M.Sub(0, M.Mul(u[i], w[0]));
    }
    std::vector<std::uint64_t> qc(count, 0), b(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 256 == 0) CheckCancelled(Progress);
        std::uint64_t derivative = M.One();
        for (std::size_t j = 0; j < count; ++j)
            if (j != i) derivative = M.Mul(derivative, M.Sub(u[i], u[j]));
        const std::uint64_t scale = M.Mul(q[i], M.Inverse(derivative));
        b[h] = w[count];
        for (std::size_t k = h; k > 0; --k) b[k - 1] = M.Add(w[k], M.Mul(u[i], b[k]));
        for (std::size_t k = 0; k < count; ++k) qc[k] = M.Add(qc[k], M.Mul(scale, b[k]));
    }
    // R(t) = t^h Q(t + 1/t): (t + 1/t)^k = sum_j C(k, j) t^(k - 2j).
    std::vector<std::uint64_t> r(2 * h + 1, 0), binomial{M.One()};
    for (std::size_t k = 0; k < count; ++k) {
        for (std::size_t j = 0; j <= k; ++j) r[h + k - 2 * j] = M.Add(r[h + k - 2 * j], M.Mul(qc[k], binomial[j]));
        binomial.push_back(0);
        for (std::size_t j = binomial.size() - 1; j > 0; --j) binomial[j] = M.Add(binomial[j], binomial[j - 1]);
    }
    // P = (t - 1) R when N is odd.
    std::vector<std::uint64_t> p(static_cast<std::size_t>(N) + 1, 0);
    for (std::size_t k = 0; k < r.size(); ++k) {
        if (N % 2 == 0) {
            p[k] = r[k];
        } else {
            p[k + 1] = M.Add(p[k + 1], r[k]);
            p[k] = M.Sub(p[k], r[k]);
        }
    }
    for (std::uint64_t& c : p) c = M.ToPlain(c);
    return p;
}

// The integers of least absolute value with the given residues modulo the
// primes (Garner's mixed radix), one for every coefficient.
std::vector<mpz_class> Combine(const std::vector<std::uint64_t>& Primes, const std::vector<std::vector<std::uint64_t>>& Residues) {
    const std::size_t size = Residues.front().size();
    std::vector<mpz_class> result(size);
    mpz_class modulus = 1;
    for (std::size_t j = 0; j < Primes.size(); ++j) {
        const TMontgomery m(Primes[j]);
        const std::uint64_t inverse = m.Inverse(m.From(static_cast<std::int64_t>(mpz_fdiv_ui(modulus.get_mpz_t(), Primes[j]))));
        for (std::size_t k = 0; k < size; ++k) {
            const auto now = static_cast<std::int64_t>(mpz_fdiv_ui(result[k].get_mpz_t(), Primes[j]));
            const std::uint64_t step = m.Mul(m.Sub(m.From(static_cast<std::int64_t>(Residues[j][k])), m.From(now)), inverse);
            result[k] += modulus * mpz_class(static_cast<unsigned long>(m.ToPlain(step)));
        }
        modulus *= mpz_class(static_cast<unsigned long>(Primes[j]));
    }
    const mpz_class half = modulus / 2;
    for (mpz_class& c : result)
        if (c > half) c -= modulus;
    return result;
}

}  // namespace

std::vector<mpz_class> SparsePencilDeterminant(const TSparseMatrix& V, const mpz_class& Bound, unsigned Threads,
                                               TProgress* Progress, double Done, double Share) {
    const int n = V.N;
    if (n == 0) return {mpz_class(1)};
    // Primes whose product passes twice the bound.
    std::vector<std::uint64_t> primes{FirstModulus()};
    for (mpz_class product = static_cast<unsigned long>(primes.back()); product <= 2 * Bound;
         product *= static_cast<unsigned long>(primes.back()))
        primes.push_back(PrimeBelow64(primes.back()));
    const TPencilElimination elimination(V, Progress);
    if (Progress != nullptr) Progress->Advance(Done + PlanShare * Share);
    std::vector<TMontgomery> moduli;
    for (const std::uint64_t p : primes) moduli.emplace_back(p);
    const std::size_t points = static_cast<std::size_t>(n / 2) + 1;
    const std::size_t runs = (points + RunPoints - 1) / RunPoints;
    const std::size_t items = primes.size() * runs;
    std::vector<std::vector<std::uint64_t>> values(primes.size(), std::vector<std::uint64_t>(points));
    std::atomic<std::size_t> next{0}, finished{0};
    const unsigned parts = static_cast<unsigned>(
        std::min<std::size_t>(items, Threads == 0 ? CoreParts() : std::min(Threads, MostParts)));
    RunParts(parts, [&](unsigned) {
        for (std::size_t item = next++; item < items; item = next++) {
            const std::size_t j = item / runs, first = item % runs * RunPoints;
            std::vector<std::uint64_t> at;
            for (std::size_t i = first; i < std::min(points, first + RunPoints); ++i) at.push_back(i + 2);
            const std::vector<std::uint64_t> found = elimination.Values(moduli[j], at);
            std::copy(found.begin(), found.end(), values[j].begin() + static_cast<std::ptrdiff_t>(first));
            const double share = static_cast<double>(++finished) / static_cast<double>(items);
            if (Progress != nullptr) Progress->Advance(Done + Share * (PlanShare + (1 - PlanShare) * share));
        }
    });
    std::vector<std::vector<std::uint64_t>> residues;
    for (std::size_t j = 0; j < primes.size(); ++j) residues.push_back(Interpolate(moduli[j], n, values[j], Progress));
    return Combine(primes, residues);
}

}  // namespace ravelon
