// SPDX-License-Identifier: GPL-3.0-or-later
// The determinant of the pencil V - t V^T of a sparse integer matrix V as a
// polynomial in t, exactly: det(t^(-1/2) V - t^(1/2) V^T) is the Alexander
// polynomial of a Seifert matrix V.
//
// Data model: the result is the polynomial P(t) = det(V - t V^T) as its
// N + 1 integer coefficients, constant term first.
//
// Method: P is found modulo primes below 2^62 and put together by the Chinese
// remainder theorem, from enough primes that their product passes twice the
// bound given on the sum of the absolute values of its coefficients. Since
// t^N P(1/t) = (-1)^N P(t), P(t) / t^(N/2) is a polynomial Q of degree N / 2
// in u = t + 1/t when N is even, and P(t) / ((t - 1) t^((N-1)/2)) one of
// degree (N - 1) / 2 when N is odd: modulo each prime, Q is interpolated
// from its values at the points t = 2, 3, ..., each a determinant by sparse
// elimination (classical/PencilElimination.h). The points of all primes are
// shared among the threads in runs of a few; the result does not depend on
// their number.
#pragma once

#include <vector>

#include <gmpxx.h>

#include "knot/Progress.h"
#include "classical/SparseMatrix.h"

namespace ravelon {

// det(V - t V^T), constant first, given a bound on the sum of the absolute
// values of its coefficients. Threads 0 is one per core (at most 8).
// Progress is told the share done, from Done on for the share Share of the
// whole work, and looked at for the word to stop.
std::vector<mpz_class> SparsePencilDeterminant(const TSparseMatrix& V, const mpz_class& Bound, unsigned Threads = 0,
                                               TProgress* Progress = nullptr, double Done = 0, double Share = 1);

}  // namespace ravelon
