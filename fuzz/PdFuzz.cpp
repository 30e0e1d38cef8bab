// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry point: arbitrary bytes as a line of PD code for ravelon-calc
// --pd-in. A code the reader accepts must be complete and planar, must read
// back from the PD code it prints, and for small codes must have invariants
// that agree with what every knot or link has: the Jones polynomial of the
// contraction equals the state sum's (up to 8 crossings), V(1) = (-2)^(c - 1)
// for c components and whole exponents for a knot; a knot's Alexander
// polynomial has Delta(1) = 1 and an odd determinant, and its signature is
// even. A code the reader refuses says why in a message.
#include <cstddef>
#include <cstdint>
#include <string>

#include "arith/PolyText.h"
#include "fuzz/CodeChecks.h"
#include "classical/ClassicalInvariants.h"
#include "knot/PdCode.h"
#include "knot/PdRead.h"
#include "tests/support/Planarity.h"

using ravelon::fuzz::Check;

namespace {

// The sum of the coefficients: the polynomial at t = 1.
ravelon::TCoefficient AtOne(const ravelon::TPoly& P) {
    ravelon::TCoefficient sum = 0;
    for (const ravelon::TTerm& t : P.FTerms) sum += t.Coefficient;
    return sum;
}

void CheckInvariants(const ravelon::TKnot& Knot, int Components) {
    ravelon::TPoly jones(0);
    Knot.Jones(jones);
    ravelon::TCoefficient expected = 1;
    for (int i = 1; i < Components; ++i) expected *= -2;
    Check(AtOne(jones) == expected);
    if (Knot.FCrossingCount() <= 8) {
        ravelon::TPoly reference(0);
        Knot.StateSumJones(reference);
        Check(ravelon::PolyText(reference, "t") == ravelon::PolyText(jones, "t"));
    }
    if (Components != 1) return;
    for (const ravelon::TTerm& t : jones.FTerms) Check(t.Coefficient == 0 || t.Exponent.Num % t.Exponent.Den == 0);
    const ravelon::TPoly alexander = ravelon::AlexanderPolynomial(Knot);
    Check(AtOne(alexander) == 1);
    Check(ravelon::DeterminantOf(alexander) % 2 == 1);
    Check(ravelon::Signature(Knot) % 2 == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    ravelon::TKnot knot;
    try {
        knot = ravelon::ReadPdCode(text);
    } catch (const ravelon::TPdError& e) {
        Check(e.what()[0] != '\0');
        return 0;
    }
    ravelon::fuzz::CheckComplete(knot);
    Check(ravelon::testing::PlanarityFault(knot).empty());
    const ravelon::TPdCode pd = ravelon::MakePdCode(knot);
    if (knot.FCrossingCount() > 0) {
        const std::string printed = ravelon::PdText(pd);
        Check(ravelon::PdText(ravelon::MakePdCode(ravelon::ReadPdCode(printed))) == printed);
    }
    if (knot.FCrossingCount() <= 12) CheckInvariants(knot, pd.Components);
    return 0;
}
