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

void AddState(std::map<int, TCoefficient>& Sum, int AExponent, int Loops) {
    const int p = Loops - 1;
    TCoefficient binom = 1;
    for (int j = 0; j <= p; ++j) {
        Sum[AExponent + 2 * p - 4 * j] += (p % 2 ? -1 : 1) * binom;
        binom = binom * (p - j) / (j + 1);
    }
}

TPoly BracketPoly(const TBracketTerms& Terms) {
    TPoly p(0);
    for (const auto& [exponent, coefficient] : Terms) p.SetTerm(static_cast<int>(exponent), coefficient);
    return p;
}

TPoly JonesFromBracket(const TPoly& Bracket, int W) {
    TPoly factor(0), jones(0);
    factor.SetTerm(-3 * W, W % 2 != 0 ? -1 : 1);
    jones.Assign(Bracket);
    jones.Multiply(factor);
    jones.DivideExponents(-4);
    return jones;
}

}  // namespace ravelon::testing
