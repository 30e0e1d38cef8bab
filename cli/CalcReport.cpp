// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CalcReport.h"

#include <cctype>
#include <ostream>
#include <stdexcept>

#include "cli/Json.h"
#include "arith/PolyText.h"
#include "classical/ClassicalInvariants.h"
#include "knot/DtCode.h"
#include "knot/GaussCode.h"

namespace ravelon {

namespace {

std::string IdentifyJson(const TIdentification& id) {
    std::string out = "{\"candidates\": [";
    for (std::size_t i = 0; i < id.Candidates.size(); ++i) {
        if (i > 0) out += ", ";
        out += "{\"name\": " + JsonString(id.Candidates[i].Name) +
               ", \"mirror\": " + (id.Candidates[i].Mirror ? "true" : "false") + "}";
    }
    return out + "], \"unique\": " + (id.Unique ? "true" : "false") + "}";
}

}  // namespace

TReport ComputeReport(const TKnot& Knot, const TCalcOptions& Options, const TKnotTable* Table, TProgress* Stop) {
    TReport r;
    r.Crossings = Knot.FCrossingCount();
    r.Pd = MakePdCode(Knot);
    r.Components = r.Pd.Components;
    if (Options.Gauss) r.Gauss = OrientedGaussCode(Knot);
    if (Options.Dt) {
        if (r.Components > 1) throw std::runtime_error("DT コードは一つの成分の結び目にだけ書けます");
        r.Dt = DtCode(Knot);
    }
    // The reference computations are the full state sum and the dense
    // Seifert matrix; the default ones contract the crossings one by one and
    // eliminate the sparse Seifert matrix of the faces, and give the same
    // non-zero terms.
    const bool reference = Options.Reference;
    if (Options.Bracket) reference ? Knot.StateSumBracket(r.Bracket) : Knot.Bracket(r.Bracket, Stop, Options.MemoryLimit);
    CheckCancelled(Stop);
    if (Options.Twist) r.Twist = Knot.Writhe();
    if (Options.Jones || Options.Identify)
        reference ? Knot.StateSumJones(r.Jones) : Knot.Jones(r.Jones, Stop, Options.MemoryLimit);
    CheckCancelled(Stop);
    if (Options.Alexander || Options.Determinant || Options.Identify)
        r.Alexander = reference ? DenseAlexanderPolynomial(Knot) : AlexanderPolynomial(Knot, Stop);
    CheckCancelled(Stop);
    if (Options.Determinant) r.Determinant = DeterminantOf(r.Alexander);
    if (Options.Signature || Options.Identify) r.Signature = reference ? DenseSignature(Knot) : Signature(Knot, Stop);
    CheckCancelled(Stop);
    if (Options.Identify && Table != nullptr)
        r.Identified = Identify(*Table, {r.Components, r.Jones, r.Alexander, r.Signature});
    return r;
}

void PrintReportText(const std::string& Name, const TReport& r, const TCalcOptions& Options, std::ostream& Out) {
    Out << Name;
    if (r.Notation != TCodeFormat::Auto) Out << " (" << CodeFormatTitle(r.Notation) << ")";
    Out << '\n';
    if (Options.Bracket) Out << "  ブラケット多項式: " << PolyText(r.Bracket, "A") << '\n';
    if (Options.Twist) Out << "  ねじり数: " << r.Twist << '\n';
    if (Options.Jones) Out << "  ジョーンズ多項式: " << PolyText(r.Jones, "t") << '\n';
    if (Options.Alexander) Out << "  アレキサンダー多項式: " << PolyText(r.Alexander, "t") << '\n';
    if (Options.Determinant) Out << "  行列式: " << r.Determinant.get_str() << '\n';
    if (Options.Signature) Out << "  符号数: " << r.Signature << '\n';
    if (Options.Pd) Out << "  PD: " << PdText(r.Pd) << '\n';
    if (Options.Dt) Out << "  DT: " << r.Dt << '\n';
    if (Options.Gauss) Out << "  ガウスコード: " << r.Gauss << '\n';
    if (r.Identified) Out << "  同定: " << IdentifyText(*r.Identified) << '\n';
    if (!r.Drawing.empty()) Out << "  図: " << r.Drawing << '\n';
}

void PrintReportJson(const std::string& Name, int Line, const TReport& r, const TCalcOptions& Options, std::ostream& Out) {
    Out << (Options.Table ? "{\"table\": " : "{\"file\": ") << JsonString(Name);
    if (Line > 0) Out << ", \"line\": " << Line;
    if (r.Notation != TCodeFormat::Auto) {
        std::string name = CodeFormatName(r.Notation);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Out << ", \"notation\": " << JsonString(name);
    }
    Out << ", \"crossings\": " << r.Crossings << ", \"components\": " << r.Components;
    if (Options.Bracket) Out << ", \"bracket\": " << JsonPoly(r.Bracket, "A");
    if (Options.Twist) Out << ", \"twist\": " << r.Twist;
    if (Options.Jones) Out << ", \"jones\": " << JsonPoly(r.Jones, "t");
    if (Options.Alexander) Out << ", \"alexander\": " << JsonPoly(r.Alexander, "t");
    if (Options.Determinant) Out << ", \"determinant\": " << r.Determinant.get_str();
    if (Options.Signature) Out << ", \"signature\": " << r.Signature;
    if (Options.Pd) Out << ", \"pd\": " << JsonString(PdText(r.Pd));
    if (Options.Dt) Out << ", \"dt\": " << JsonString(r.Dt);
    if (Options.Gauss) Out << ", \"gauss\": " << JsonString(r.Gauss);
    if (r.Identified) Out << ", \"identify\": " << IdentifyJson(*r.Identified);
    if (!r.Drawing.empty()) Out << ", \"drawing\": " << JsonString(r.Drawing);
    Out << "}\n";
}

}  // namespace ravelon
