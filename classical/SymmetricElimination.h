// SPDX-License-Identifier: GPL-3.0-or-later
// The inertia and the determinant of a symmetric sparse integer matrix,
// exactly, by elimination without fractions.
//
// Data model: after the variables of a set E are eliminated, the matrix left
// is the Schur complement S of E; each of its entries is kept as the integer
// N = delta * S with delta = det(A[E, E]) (Sylvester's identity makes every
// such N a minor of A, so every division below is exact). Eliminating v on
// its diagonal makes delta' = N(v, v) and N'(i, j) = (N(v, v) N(i, j) -
// N(i, v) N(v, j)) / delta for its neighbours i, j; an entry that no step
// touches is brought to the new delta only when it is read (times delta' /
// delta of its step). The sign of the pivot S(v, v) = N(v, v) / delta counts a
// positive or a negative square (Sylvester's law of inertia). Where no
// diagonal entry is left that is not 0, a variable d with a neighbour u of
// N(d, u) not 0 is replaced by d + u or d - u (a congruence, which keeps the
// inertia), whose diagonal entry is not 0. What is left once no entry is
// other than 0 counts as zero squares.
#pragma once

#include <gmpxx.h>

#include "knot/Progress.h"
#include "classical/SparseMatrix.h"

namespace ravelon {

// The numbers of positive, negative and zero squares of a symmetric matrix,
// and its determinant.
struct TInertia {
    int Positive = 0;
    int Negative = 0;
    int Zero = 0;
    mpz_class Determinant;
};

// The inertia of the symmetric matrix S (both halves of its entries given).
// Progress is told the share of the variables eliminated and looked at for
// the word to stop, from Done on for the share Share of the whole work.
TInertia InertiaOf(const TSparseMatrix& S, TProgress* Progress = nullptr, double Done = 0, double Share = 1);

}  // namespace ravelon
