// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/ClassicalInvariants.h"

#include <stdexcept>
#include <vector>

#include "arith/Laurent.h"
#include "classical/FaceSeifertMatrix.h"
#include "classical/KauffmanStates.h"
#include "classical/PencilDeterminant.h"
#include "knot/PortGraph.h"
#include "classical/SeifertMatrix.h"
#include "classical/SparsePencil.h"
#include "classical/SymmetricElimination.h"

namespace ravelon {

namespace {

// The share of the work of the Alexander polynomial that counting the
// Kauffman states stands for.
constexpr double StatesShare = 0.1;

// Sign changes along the non-zero coefficients, constant term first; with
// Alternate, of the polynomial at -x.
int SignChanges(const std::vector<mpz_class>& c, bool Alternate) {
    int changes = 0, last = 0;
    for (std::size_t k = 0; k < c.size(); ++k) {
        int s = sgn(c[k]);
        if (Alternate && k % 2 == 1) s = -s;
        if (s == 0) continue;
        if (last != 0 && s != last) ++changes;
        last = s;
    }
    return changes;
}

// t^(-N/2) P(t) for the N + 1 coefficients of P = det(V - t V^T): det(t^(-1/2) V
// - t^(1/2) V^T) = t^(-N/2) det(V - t V^T).
TPoly FromPencil(const std::vector<mpz_class>& C) {
    const auto n = static_cast<std::int64_t>(C.size()) - 1;
    std::vector<TLaurent::TTermOf> halves;  // exponents of t^(1/2)
    for (std::size_t k = 0; k < C.size(); ++k) halves.emplace_back(2 * static_cast<std::int64_t>(k) - n, C[k]);
    return ToPoly(TLaurent(std::move(halves)), 2);
}

void Finish(TProgress* Progress) {
    if (Progress != nullptr) Progress->Advance(1);
}

}  // namespace

TPoly AlexanderPolynomial(const TKnot& Code, TProgress* Progress) {
    const TFaceSeifertMatrix s = FaceSeifertMatrixOf(Code);
    CheckCancelled(Progress);
    if (s.Pieces > 1) {
        Finish(Progress);
        return TPoly();
    }
    const mpz_class states = s.V.N == 0 ? mpz_class(1) : KauffmanStates(BuildPortGraph(Code), Progress, 0, StatesShare);
    const TPoly result = FromPencil(SparsePencilDeterminant(s.V, states, 0, Progress, StatesShare, 1 - StatesShare));
    Finish(Progress);
    return result;
}

mpz_class DeterminantOf(const TPoly& Alexander) {
    // t^(k/2) at t^(1/2) = i is i^k.
    mpz_class re = 0, im = 0;
    for (const auto& [k, coefficient] : FromPoly(Alexander, 2)) {
        switch (((k % 4) + 4) % 4) {
            case 0: re += coefficient; break;
            case 1: im += coefficient; break;
            case 2: re -= coefficient; break;
            default: im -= coefficient; break;
        }
    }
    return abs(re) + abs(im);
}

int Signature(const TKnot& Code, TProgress* Progress) {
    const TFaceSeifertMatrix s = FaceSeifertMatrixOf(Code);
    const TInertia inertia = InertiaOf(Combined(s.V, 1, 1), Progress);
    Finish(Progress);
    return inertia.Positive - inertia.Negative;
}

TPoly DenseAlexanderPolynomial(const TKnot& Code) {
    const TSeifertMatrix s = SeifertMatrixOf(Code);
    if (s.Pieces > 1) return TPoly();
    TIntMatrix minusT = Transposed(s.V);
    for (std::int64_t& e : minusT.At) e = -e;
    return FromPencil(PencilDeterminant(s.V, minusT));
}

int DenseSignature(const TKnot& Code) {
    const TSeifertMatrix s = SeifertMatrixOf(Code);
    // V + V^T is symmetric, so its characteristic polynomial has real roots
    // only, and Descartes' rule of signs counts them exactly.
    const std::vector<mpz_class> chi = CharacteristicPolynomial(PlusTransposed(s.V, 1));
    const int positive = SignChanges(chi, false), negative = SignChanges(chi, true);
    return positive - negative;
}

}  // namespace ravelon
