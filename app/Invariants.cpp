// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Invariants.h"

#include "arith/PolyText.h"
#include "classical/ClassicalInvariants.h"
#include "knot/PdCode.h"
#include "table/Identify.h"

namespace ravelon {

namespace {

TResult PolynomialResult(TInvariantKind Kind, TPoly P) {
    const std::string letter = InvariantOf(Kind).Letter;
    TResult r;
    r.Kind = Kind;
    r.Text = PolyText(P, letter);
    r.Latex = PolyLatex(P, letter);
    r.Poly = std::move(P);
    return r;
}

TResult SentenceResult(TInvariantKind Kind, std::string Sentence) {
    TResult r;
    r.Kind = Kind;
    r.Text = Sentence;
    r.Latex = LatexProse(Sentence);
    r.Sentence = std::move(Sentence);
    return r;
}

TPoly Constant(const TCoefficient& Value) {
    TPoly p(0);
    p.SetConstant(Value);
    return p;
}

}  // namespace

TBracketAndJones ComputeBracketAndJones(const TKnot& Code, const TBracketPlan* Plan, TProgress& Progress) {
    TBracketAndJones both;
    if (Code.FCrossingCount() == 0) {
        // The state sum's own polynomials, as the commands have always shown them.
        Code.Bracket(both.Bracket);
        Code.Jones(both.Jones);
    } else {
        TContractionLimits limits;
        limits.Progress = &Progress;
        const TLaurent terms =
            Plan != nullptr ? ContractBracket(*Plan, limits) : ContractBracket(Code, limits);
        both.Bracket = BracketPolynomial(terms);
        both.Jones = JonesPolynomial(terms, Code.Writhe());
    }
    both.Bracket.Sort();
    both.Jones.Sort();
    return both;
}

TResult ComputeResult(TInvariantKind Kind, const TKnot& Code, const TBracketPlan* Plan, const TKnotTable* Table,
                      TProgress& Progress) {
    switch (Kind) {
        case TInvariantKind::Bracket: return PolynomialResult(Kind, ComputeBracketAndJones(Code, Plan, Progress).Bracket);
        case TInvariantKind::Twist: return PolynomialResult(Kind, Constant(Code.Writhe()));
        case TInvariantKind::Jones: return PolynomialResult(Kind, ComputeBracketAndJones(Code, Plan, Progress).Jones);
        case TInvariantKind::Alexander: {
            TPoly alexander = AlexanderPolynomial(Code, &Progress);
            alexander.Sort();
            return PolynomialResult(Kind, std::move(alexander));
        }
        case TInvariantKind::Determinant:
            return PolynomialResult(Kind, Constant(DeterminantOf(AlexanderPolynomial(Code, &Progress))));
        case TInvariantKind::Signature: return PolynomialResult(Kind, Constant(Signature(Code, &Progress)));
        case TInvariantKind::Identify: {
            TIdentifyInput in;
            in.Components = MakePdCode(Code).Components;
            in.Jones = ComputeBracketAndJones(Code, Plan, Progress).Jones;
            in.Alexander = AlexanderPolynomial(Code, &Progress);
            in.Signature = Signature(Code, &Progress);
            return SentenceResult(Kind, IdentifyText(Identify(*Table, in)));
        }
        case TInvariantKind::PdCode: break;
    }
    const TPdCode pd = MakePdCode(Code);
    TResult r = SentenceResult(Kind, PdText(pd));
    if (pd.LoopsLeftOut > 0)
        r.Sentence += "  (交点のない成分 " + std::to_string(pd.LoopsLeftOut) + " 個は PD コードに含まれません)";
    return r;
}

std::string LatexProse(const std::string& Text) {
    std::string latex;
    for (const char c : Text) {
        switch (c) {
            case '_':
            case '{':
            case '}':
            case '#':
            case '%':
            case '&':
            case '$': latex += '\\', latex += c; break;
            case '\\': latex += "\\textbackslash{}"; break;
            case '^': latex += "\\textasciicircum{}"; break;
            case '~': latex += "\\textasciitilde{}"; break;
            default: latex += c; break;
        }
    }
    return latex;
}

}  // namespace ravelon
