// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/PolyTerms.h"

#include <numeric>
#include <stdexcept>

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

TPoly BracketPoly(const TLaurent& Terms) {
    TPoly p(0);
    for (const auto& [exponent, coefficient] : Terms) p.SetTerm(static_cast<int>(exponent), coefficient);
    return p;
}

TTermMap JonesFromBracket(const TPoly& Bracket, int W) {
    TTermMap jones;
    for (const auto& [exponent, coefficient] : NonZero(Bracket)) {
        if (exponent.second != 1) throw std::invalid_argument("a bracket with a fractional exponent");
        const long num = 3L * W - exponent.first;
        const long g = std::gcd(num, 4L);
        const auto key = num == 0 ? std::make_pair(0, 1) : std::make_pair(static_cast<int>(num / g), static_cast<int>(4 / g));
        jones[key] += W % 2 != 0 ? TCoefficient(-coefficient) : coefficient;
    }
    std::erase_if(jones, [](const auto& kv) { return kv.second == 0; });
    return jones;
}

TTermMap JonesOf(const TKnot& K) {
    TPoly jones;
    K.Jones(jones);
    return NonZero(jones);
}

TTermMap Mirror(const TTermMap& Terms) {
    TTermMap out;
    for (const auto& [e, c] : Terms) out[{-e.first, e.second}] = c;
    return out;
}

}  // namespace ravelon::testing
