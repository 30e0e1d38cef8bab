// SPDX-License-Identifier: GPL-3.0-or-later
#include "arith/Poly.h"

#include <cstdio>
#include <map>
#include <utility>

namespace ravelon {

namespace {

// A key under which equal exponents meet: the exponent in lowest terms, with
// every zero written as 0/1.
std::pair<std::int32_t, std::int32_t> ExponentKey(TFraction E) {
    const TFraction r = Reduce(E);
    if (r.Num == 0) return {0, 1};
    return {r.Num, r.Den};
}

// Finds terms by exponent in a list that only grows at its end.
class TTermIndex {
public:
    explicit TTermIndex(const std::vector<TTerm>& Terms) {
        for (std::size_t i = 0; i < Terms.size(); ++i) Positions.emplace(ExponentKey(Terms[i].Exponent), i);
    }
    // The position of the first term with exponent E, or -1.
    long Find(TFraction E) const {
        const auto it = Positions.find(ExponentKey(E));
        return it == Positions.end() ? -1 : static_cast<long>(it->second);
    }
    void Appended(TFraction E, std::size_t Position) { Positions.emplace(ExponentKey(E), Position); }

private:
    std::map<std::pair<std::int32_t, std::int32_t>, std::size_t> Positions;
};

}  // namespace

TPoly::TPoly(const TCoefficient& Value) { SetConstant(Value); }

void TPoly::SetConstant(const TCoefficient& Value) {
    FTerms.assign(1, TTerm{MakeFraction(0, 1), Value});
}

void TPoly::Assign(const TPoly& Source) { FTerms = Source.FTerms; }

void TPoly::SetTerm(std::int32_t Exponent, const TCoefficient& Coefficient) {
    const TFraction e = MakeFraction(Exponent, 1);
    for (TTerm& t : FTerms) {
        if (SameFraction(t.Exponent, e)) {
            t.Coefficient = Coefficient;
            return;
        }
    }
    FTerms.push_back(TTerm{e, Coefficient});
}

void TPoly::Add(const TPoly& Other) {
    TTermIndex index(FTerms);
    for (const TTerm& o : Other.FTerms) {
        const long at = index.Find(o.Exponent);
        if (at >= 0) {
            FTerms[static_cast<std::size_t>(at)].Coefficient += o.Coefficient;
        } else {
            FTerms.push_back(o);
            index.Appended(o.Exponent, FTerms.size() - 1);
        }
    }
}

void TPoly::Multiply(const TPoly& Other) {
    TPoly product;
    product.FTerms.clear();
    product.FTerms.reserve(FTerms.size() * Other.FTerms.size());
    for (const TTerm& o : Other.FTerms)
        for (const TTerm& s : FTerms)
            product.FTerms.push_back(TTerm{AddFractions(s.Exponent, o.Exponent), s.Coefficient * o.Coefficient});
    product.Collect();
    *this = std::move(product);
}

void TPoly::Power(std::int32_t N) {
    if (N < 0) {
        SetConstant(0);
        return;
    }
    TPoly r(1);
    for (std::int32_t i = 0; i < N; ++i) r.Multiply(*this);
    *this = std::move(r);
}

void TPoly::DivideExponents(std::int32_t D) {
    for (TTerm& t : FTerms) t.Exponent = DivideFraction(t.Exponent, D);
}

// Each exponent keeps the place of its first occurrence and receives the sum
// of all coefficients with that exponent: the same list as merging pairwise
// from the front, found with an index instead of rescanning.
void TPoly::Collect() {
    std::vector<TTerm> merged;
    merged.reserve(FTerms.size());
    TTermIndex index(merged);
    for (TTerm& t : FTerms) {
        const long at = index.Find(t.Exponent);
        if (at >= 0) {
            merged[static_cast<std::size_t>(at)].Coefficient += t.Coefficient;
        } else {
            merged.push_back(std::move(t));
            index.Appended(merged.back().Exponent, merged.size() - 1);
        }
    }
    FTerms = std::move(merged);
}

void TPoly::Sort() {
    const std::size_t n = FTerms.size();
    if (n < 2) return;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        std::size_t best = i;
        for (std::size_t j = i + 1; j < n; ++j)
            if (CompareFractions(FTerms[j].Exponent, FTerms[best].Exponent) > 0) best = j;
        std::swap(FTerms[best], FTerms[i]);
    }
}

void TPoly::Typeset(TTextSurface& Canvas, int& X, int& Y, const std::string& VarName) const {
    Canvas.SetFontSize(18);
    const int h18 = Canvas.TextHeight("$");
    Canvas.SetFontSize(12);
    const int half = Canvas.TextHeight("$") / 2;

    bool first = true;
    for (const TTerm& t : FTerms) {
        if (sgn(t.Coefficient) == 0 && FCount() != 1) continue;

        std::string s = sgn(t.Coefficient) < 0 ? " - " : (first ? " " : " + ");
        first = false;
        const TCoefficient m = abs(t.Coefficient);
        const bool constant = t.Exponent.Num == 0;
        if (m > 1 || constant) s += m.get_str();
        if (!constant) s += VarName;

        Canvas.SetFontSize(18);
        Canvas.SetBold(false);
        Canvas.TextOut(X, Y + half, s);
        X += Canvas.TextWidth(s);

        std::string e;
        if (!constant && t.Exponent.Num != t.Exponent.Den) {
            char buf[32];
            if (t.Exponent.Den == 1)
                std::snprintf(buf, sizeof buf, "%d", static_cast<int>(t.Exponent.Num));
            else
                std::snprintf(buf, sizeof buf, "%d/%d", static_cast<int>(t.Exponent.Num),
                              static_cast<int>(t.Exponent.Den));
            e = buf;
        }
        Canvas.SetFontSize(12);
        Canvas.SetBold(true);
        Canvas.TextOut(X, Y, e);
        X += Canvas.TextWidth(e);
    }
    Y += half + h18;
}

TCoefficient TPoly::CoefficientOf(TFraction Exponent) const {
    TCoefficient sum = 0;
    for (const TTerm& t : FTerms)
        if (SameFraction(t.Exponent, Exponent)) sum += t.Coefficient;
    return sum;
}

}  // namespace ravelon
