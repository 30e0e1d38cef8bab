// SPDX-License-Identifier: GPL-3.0-or-later
#include "arith/Laurent.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace ravelon {

TLaurent::TLaurent(std::vector<TTermOf> Terms) {
    std::sort(Terms.begin(), Terms.end(), [](const TTermOf& a, const TTermOf& b) { return a.first > b.first; });
    for (TTermOf& t : Terms) {
        if (!FTerms.empty() && FTerms.back().first == t.first) {
            FTerms.back().second += t.second;
            if (FTerms.back().second == 0) FTerms.pop_back();
        } else if (t.second != 0) {
            FTerms.push_back(std::move(t));
        }
    }
}

TLaurent TLaurent::Times(int Sign, std::int64_t Shift) const {
    TLaurent r;
    r.FTerms.reserve(FTerms.size());
    for (const auto& [e, c] : FTerms) {
        std::int64_t shifted = 0;
        if (__builtin_add_overflow(e, Shift, &shifted)) throw std::overflow_error("exponent beyond 64 bits");
        r.FTerms.emplace_back(shifted, Sign < 0 ? TCoefficient(-c) : c);
    }
    return r;
}

TPoly ToPoly(const TLaurent& P, std::int32_t Divisor) {
    if (Divisor == 0) throw std::invalid_argument("an exponent divided by 0");
    TPoly result(0);
    if (P.IsZero()) return result;
    result.FTerms.clear();
    auto add = [&](const TLaurent::TTermOf& t) {
        if (t.first < std::numeric_limits<std::int32_t>::min() || t.first > std::numeric_limits<std::int32_t>::max())
            throw std::overflow_error("exponent beyond 32 bits");
        const TFraction e = DivideFraction(MakeFraction(static_cast<std::int32_t>(t.first), 1), Divisor);
        result.FTerms.push_back(TTerm{Reduce(e), t.second});
    };
    // Dividing by a negative number turns the order round.
    if (Divisor > 0) std::for_each(P.Terms().begin(), P.Terms().end(), add);
    else std::for_each(P.Terms().rbegin(), P.Terms().rend(), add);
    return result;
}

TLaurent FromPoly(const TPoly& P, std::int32_t Multiplier) {
    std::vector<TLaurent::TTermOf> terms;
    for (const TTerm& t : P.FTerms) {
        const TFraction e = Reduce(t.Exponent);
        const std::int64_t scaled = static_cast<std::int64_t>(e.Num) * Multiplier;
        if (scaled % e.Den != 0) throw std::invalid_argument("an exponent that is not a whole multiple");
        terms.emplace_back(scaled / e.Den, t.Coefficient);
    }
    return TLaurent(std::move(terms));
}

}  // namespace ravelon
