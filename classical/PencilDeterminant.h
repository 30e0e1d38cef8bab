// SPDX-License-Identifier: GPL-3.0-or-later
// The determinant of a matrix pencil A + t B with integer entries, exactly.
//
// Data model: the result is the polynomial det(A + t B) in t as its n + 1
// integer coefficients, constant term first (n the size of A and B).
//
// Method: the polynomial is found modulo primes below 2^31 and put together
// by the Chinese remainder theorem, until the product of the primes exceeds
// twice a bound on every coefficient (the product over the rows of the sum of
// |a_ij| + |b_ij|, which bounds the sum of the absolute coefficients of the
// determinant). Modulo a prime p, with c chosen so that M = A + c B is
// invertible, det(A + t B) = det M det(I + u M^-1 B) with u = t - c, and the
// second factor is read off the characteristic polynomial of M^-1 B. When no
// c of 0 .. n + 1 makes M invertible, the polynomial (degree at most n) is 0
// modulo p. Every step costs O(n^3) operations on residues.
#pragma once

#include <vector>

#include <gmpxx.h>

#include "classical/IntMatrix.h"

namespace ravelon {

// det(A + t B): N + 1 coefficients, constant first. A and B have the same size.
std::vector<mpz_class> PencilDeterminant(const TIntMatrix& A, const TIntMatrix& B);

// The characteristic polynomial det(x I - S) of S, constant first.
std::vector<mpz_class> CharacteristicPolynomial(const TIntMatrix& S);

}  // namespace ravelon
