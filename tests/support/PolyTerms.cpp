#include "tests/support/PolyTerms.h"

namespace ravelon::testing {

TTermMap NonZero(const TPoly& P) {
    TTermMap r;
    for (const TTerm& t : P.FTerms) {
        const TFraction e = Reduce(t.Exponent);
        const auto key = e.Num == 0 ? std::make_pair(0, 1) : std::make_pair(int{e.Num}, int{e.Den});
        r[key] += t.Coefficient;
    }
    std::erase_if(r, [](const auto& kv) { return kv.second == 0; });
    return r;
}

bool NonZeroDescending(const TPoly& P) {
    if (P.FCount() == 1 && P.FTerms[0].Coefficient == 0) return P.FTerms[0].Exponent.Num == 0;
    for (std::size_t i = 0; i < P.FTerms.size(); ++i) {
        if (P.FTerms[i].Coefficient == 0) return false;
        if (i > 0 && CompareFractions(P.FTerms[i - 1].Exponent, P.FTerms[i].Exponent) <= 0) return false;
    }
    return true;
}

}  // namespace ravelon::testing
