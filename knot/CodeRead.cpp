// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/CodeRead.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <vector>

#include "knot/BraidRead.h"
#include "knot/DtRead.h"
#include "knot/GaussRead.h"
#include "knot/GaussWordRead.h"
#include "knot/TextTokens.h"
#include "knot/TorusRead.h"

namespace ravelon {

namespace {

struct TNotation {
    TCodeFormat Format;
    const char* Name;
    const char* Title;
};

constexpr TNotation Notations[] = {
    {TCodeFormat::Pd, "PD", "PD コード"},         {TCodeFormat::Dt, "DT", "DT コード"},
    {TCodeFormat::Gauss, "Gauss", "ガウスコード"}, {TCodeFormat::Braid, "braid", "組みひも"},
    {TCodeFormat::Torus, "torus", "トーラス結び目"},
};

std::string Lower(std::string Text) {
    for (char& c : Text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return Text;
}

std::string Trimmed(const std::string& Text) {
    const std::size_t first = Text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return Text.substr(first, Text.find_last_not_of(" \t\r") - first + 1);
}

// True for the marks of an oriented Gauss code: a passage O1 or U2 (a word of
// O and U, as the tokens run letters together) or Regina's + < >.
bool IsOrientedMark(const TTextToken& T) {
    if (T.Kind == '?') return T.Text == "+" || T.Text == "<" || T.Text == ">";
    return T.Kind == 'w' && std::all_of(T.Text.begin(), T.Text.end(), [](char c) {
               return c == 'O' || c == 'o' || c == 'U' || c == 'u';
           });
}

// The whole numbers of a list of numbers, with their signs.
std::vector<long long> SignedNumbers(const std::vector<TTextToken>& Tokens) {
    std::vector<long long> values;
    bool minus = false;
    for (const TTextToken& t : Tokens) {
        if (t.Kind == '-') minus = !minus;
        if (t.Kind != 'n') continue;
        values.push_back(minus ? -static_cast<long long>(t.Value) : t.Value);
        minus = false;
    }
    return values;
}

// A DT code's magnitudes: the even numbers 2, 4, ..., 2n, each once.
bool LooksLikeDt(const std::vector<long long>& Values) {
    std::vector<long long> even;
    for (const long long v : Values) even.push_back(std::llabs(v));
    std::sort(even.begin(), even.end());
    for (std::size_t i = 0; i < even.size(); ++i)
        if (even[i] != 2 * static_cast<long long>(i + 1)) return false;
    return !even.empty();
}

// A classical Gauss code's crossings: each passed twice, once with either sign.
bool LooksLikeGauss(const std::vector<long long>& Values) {
    std::map<long long, int> seen;  // +1 for over, +2 for under
    for (const long long v : Values) {
        if (v == 0) return false;
        const int pass = v > 0 ? 1 : 2;
        int& s = seen[std::llabs(v)];
        if ((s & pass) != 0) return false;
        s |= pass;
    }
    return !seen.empty() && std::all_of(seen.begin(), seen.end(), [](const auto& p) { return p.second == 3; });
}

// The innermost lists of numbers are all of four: a PD code's crossings.
bool ListsOfFour(const std::vector<TTextToken>& Tokens) {
    int depth = 0, deepest = 0, count = 0;
    bool four = true;
    for (const TTextToken& t : Tokens) {
        if (t.Kind == '[' || t.Kind == '(' || t.Kind == '{') {
            deepest = std::max(deepest, ++depth);
            count = 0;
        } else if (t.Kind == ']' || t.Kind == ')' || t.Kind == '}') {
            if (depth-- >= 2 && count > 0 && count != 4) four = false;
            count = 0;
        } else if (t.Kind == 'n') {
            ++count;
        }
    }
    return deepest >= 2 && four;
}

// The notation the text of a code decides; Auto where it does not.
TCodeFormat FormatOfText(const std::vector<TTextToken>& Tokens) {
    if (Tokens.size() > 1 && Tokens[0].Kind == 'w' && Lower(Tokens[0].Text) == "t" && Tokens[1].Kind == '(')
        return TCodeFormat::Torus;
    bool words = false, parentheses = false;
    for (const TTextToken& t : Tokens) {
        if (t.Kind == 'w' && (Lower(t.Text) == "x" || Lower(t.Text) == "pd")) return TCodeFormat::Pd;
        if (IsOrientedMark(t)) return TCodeFormat::Gauss;
        words = words || t.Kind == 'w';
        parentheses = parentheses || t.Kind == '(';
    }
    if (words) return TCodeFormat::Auto;
    if (parentheses || ListsOfFour(Tokens)) return TCodeFormat::Pd;
    const std::vector<long long> values = SignedNumbers(Tokens);
    if (LooksLikeDt(values)) return TCodeFormat::Dt;
    if (LooksLikeGauss(values)) return TCodeFormat::Gauss;
    return TCodeFormat::Braid;
}

}  // namespace

TCodeFormat CodeFormatNamed(const std::string& Name) {
    for (const TNotation& n : Notations)
        if (Lower(Name) == Lower(n.Name)) return n.Format;
    return TCodeFormat::Auto;
}

const char* CodeFormatName(TCodeFormat Format) {
    for (const TNotation& n : Notations)
        if (n.Format == Format) return n.Name;
    return "";
}

const char* CodeFormatTitle(TCodeFormat Format) {
    for (const TNotation& n : Notations)
        if (n.Format == Format) return n.Title;
    return "コード";
}

TCodeRead ReadCode(const std::string& Line, TCodeFormat Format, const TPdOptions& Pd) {
    std::string text = Line;
    if (const std::size_t colon = Line.find(':'); colon != std::string::npos) {
        const std::string name = Trimmed(Line.substr(0, colon));
        const TCodeFormat named = CodeFormatNamed(name);
        if (named == TCodeFormat::Auto)
            throw TCodeError("知らない記法です: 「" + name + "」 (PD、DT、Gauss、braid、torus のどれかです)");
        Format = named;
        text = Line.substr(colon + 1);
    }
    const std::vector<TTextToken> tokens = TextTokens(text);
    if (tokens.empty()) throw TCodeError("コードが入力されていません");
    if (Format == TCodeFormat::Auto) Format = FormatOfText(tokens);
    TCodeRead read;
    read.Format = Format;
    switch (Format) {
        case TCodeFormat::Auto:
            throw TCodeError(
                "文字だけのコードは組みひもか DT コードか決められません: 前に「braid:」か「DT:」を付けてください");
        case TCodeFormat::Pd: read.Knot = ReadPdCode(text, Pd); break;
        case TCodeFormat::Dt: read.Knot = ReadDtCode(text); break;
        case TCodeFormat::Gauss:
            read.Knot = std::any_of(tokens.begin(), tokens.end(), IsOrientedMark) ? ReadOrientedGauss(text)
                                                                                   : ReadGaussCode(text);
            break;
        case TCodeFormat::Braid: read.Knot = ReadBraidWord(text); break;
        case TCodeFormat::Torus: read.Knot = ReadTorusName(text); break;
    }
    return read;
}

}  // namespace ravelon
