// SPDX-License-Identifier: GPL-3.0-or-later
// The bracket and the Jones polynomial of a crossing code (TKnot::Bracket,
// TKnot::Jones), by contraction; a code without crossings gets the state
// sum's own polynomial.
#include "bracket/Contraction.h"
#include "knot/Knot.h"

namespace ravelon {

void TKnot::Bracket(TPoly& Result, TProgress* Progress, std::size_t MemoryLimit) const {
    if (FCrossingCount() == 0) {
        StateSumBracket(Result);
        return;
    }
    TContractionLimits limits;
    limits.Progress = Progress;
    limits.MaxBytes = MemoryLimit;
    Result.Assign(BracketPolynomial(ContractBracket(*this, limits)));
}

void TKnot::Jones(TPoly& Result, TProgress* Progress, std::size_t MemoryLimit) const {
    if (FCrossingCount() == 0) {
        StateSumJones(Result);
        return;
    }
    TContractionLimits limits;
    limits.Progress = Progress;
    limits.MaxBytes = MemoryLimit;
    Result.Assign(JonesPolynomial(ContractBracket(*this, limits), Writhe()));
}

}  // namespace ravelon
