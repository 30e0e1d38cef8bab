// SPDX-License-Identifier: GPL-3.0-or-later
// The bracket and the Jones polynomial of a crossing code (TKnot::Bracket,
// TKnot::Jones), by contraction; a code without crossings gets the state
// sum's own polynomial.
#include "bracket/Contraction.h"
#include "knot/Knot.h"

namespace ravelon {

namespace {

TContractionLimits LimitsOf(TProgress* Progress, std::size_t MemoryLimit) {
    TContractionLimits limits;
    limits.Progress = Progress;
    limits.MaxBytes = MemoryLimit;
    return limits;
}

}  // namespace

void TKnot::Bracket(TPoly& Result, TProgress* Progress, std::size_t MemoryLimit) const {
    if (FCrossingCount() == 0) {
        StateSumBracket(Result);
        return;
    }
    Result.Assign(BracketPolynomial(ContractBracket(*this, LimitsOf(Progress, MemoryLimit))));
}

void TKnot::Jones(TPoly& Result, TProgress* Progress, std::size_t MemoryLimit) const {
    if (FCrossingCount() == 0) {
        StateSumJones(Result);
        return;
    }
    Result.Assign(JonesPolynomial(ContractBracket(*this, LimitsOf(Progress, MemoryLimit)), Writhe()));
}

}  // namespace ravelon
