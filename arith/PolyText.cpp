// SPDX-License-Identifier: GPL-3.0-or-later
#include "arith/PolyText.h"

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

namespace {

// The exponent Num/Den after "^": (1/2) and -3 as text, {1/2} and {-3} in LaTeX.
std::string ExponentText(const TTextTerm& T, bool Latex) {
    const std::string e = T.Den == 1 ? std::to_string(T.Num) : std::to_string(T.Num) + "/" + std::to_string(T.Den);
    if (Latex) return "{" + e + "}";
    return T.Den == 1 ? e : "(" + e + ")";
}

std::string Written(const TPoly& P, const std::string& VarName, bool Latex) {
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
        text += "^" + ExponentText(t, Latex);
    }
    return text;
}

}  // namespace

std::string PolyText(const TPoly& P, const std::string& VarName) { return Written(P, VarName, false); }

std::string PolyLatex(const TPoly& P, const std::string& VarName) { return Written(P, VarName, true); }

}  // namespace ravelon
