#include "cli/PolyText.h"

#include <algorithm>

namespace ravelon {

std::vector<TTextTerm> NonZeroTerms(const TPoly& P) {
    TPoly merged;
    merged.Assign(P);
    merged.Collect();
    merged.Sort();
    std::vector<TTextTerm> terms;
    for (const TTerm& t : merged.FTerms) {
        if (sgn(t.Coefficient) == 0) continue;
        TFraction e = Reduce(t.Exponent);
        if (e.Num == 0) e.Den = 1;
        terms.push_back({e.Num, e.Den, t.Coefficient});
    }
    return terms;
}

std::string PolyText(const TPoly& P, const std::string& VarName) {
    const std::vector<TTextTerm> terms = NonZeroTerms(P);
    if (terms.empty()) return "0";
    std::string text;
    for (const TTextTerm& t : terms) {
        const bool negative = sgn(t.Coefficient) < 0;
        if (text.empty()) text = negative ? "-" : "";
        else text += negative ? " - " : " + ";
        const TCoefficient m = abs(t.Coefficient);
        if (t.Num == 0) {
            text += m.get_str();
            continue;
        }
        if (m != 1) text += m.get_str();
        text += VarName;
        if (t.Den == 1 && t.Num == 1) continue;
        text += "^";
        if (t.Den == 1) text += std::to_string(t.Num);
        else text += "(" + std::to_string(t.Num) + "/" + std::to_string(t.Den) + ")";
    }
    return text;
}

}  // namespace ravelon
