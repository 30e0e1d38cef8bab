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
#pragma once

#include <gmpxx.h>

#include "arith/Poly.h"
#include "knot/Knot.h"

namespace ravelon {

// The Conway-normalised Alexander polynomial of Code (see SeifertMatrixOf for
// the codes accepted and the exceptions).
TPoly AlexanderPolynomial(const TKnot& Code);

// |Delta(-1)| of a Conway-normalised Alexander polynomial.
mpz_class DeterminantOf(const TPoly& Alexander);

// The signature of Code.
int Signature(const TKnot& Code);

}  // namespace ravelon
