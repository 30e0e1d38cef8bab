// SPDX-License-Identifier: GPL-3.0-or-later
// The classical invariants of a crossing code, from its Seifert matrix V:
// the Alexander polynomial, the determinant and the signature.
//
// Data model: the Alexander polynomial is the one the Conway polynomial fixes,
// Delta(t) = nabla(t^(1/2) - t^(-1/2)) = det(t^(-1/2) V - t^(1/2) V^T), held
// as a polynomial in t whose exponents are whole or halves (halves for an even
// number of components), non-zero terms largest exponent first, or the single
// term 0 for the zero polynomial (a split link). The determinant is
// |Delta(-1)| with t^(1/2) = i. The signature is that of V + V^T, counted so
// that the right-handed trefoil has -2. All of it is exact.
//
// The matrix is the sparse one of the faces (classical/FaceSeifertMatrix.h): the
// Alexander polynomial comes from its pencil modulo primes
// (classical/SparsePencil.h), bounded by the Kauffman states
// (classical/KauffmanStates.h), and the signature from the inertia of V + V^T
// (classical/SymmetricElimination.h), both in time that follows the width of the
// diagram rather than its size. The reference computations take the dense
// matrix of SeifertMatrixOf instead, its pencil determinant and Descartes'
// count of the signs of the roots of its characteristic polynomial.
#pragma once

#include <gmpxx.h>

#include "arith/Poly.h"
#include "knot/Knot.h"
#include "knot/Progress.h"

namespace ravelon {

// The Conway-normalised Alexander polynomial of Code (see SeifertMatrixOf for
// the codes accepted and the exceptions). Progress, when given, is told the
// share of the work done, and its cancellation stops the computation with
// TCancelled.
TPoly AlexanderPolynomial(const TKnot& Code, TProgress* Progress = nullptr);

// |Delta(-1)| of a Conway-normalised Alexander polynomial.
mpz_class DeterminantOf(const TPoly& Alexander);

// The signature of Code, with Progress as for AlexanderPolynomial.
int Signature(const TKnot& Code, TProgress* Progress = nullptr);

// The reference computations from the dense Seifert matrix, of cost cubic in
// the number of crossings: the same values.
TPoly DenseAlexanderPolynomial(const TKnot& Code);
int DenseSignature(const TKnot& Code);

}  // namespace ravelon
