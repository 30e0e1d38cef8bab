// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/TorusRead.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "knot/BraidClosure.h"
#include "knot/TextTokens.h"

namespace ravelon {

namespace {

[[noreturn]] void NotAName(const std::vector<TTextToken>& T, std::size_t P) {
    if (P == T.size()) throw TBraidError("トーラス結び目の名前として読めません: 途中で終わっています");
    const TTextToken& t = T[P];
    if (t.Kind == '?') throw TBraidError("トーラス結び目の名前として読めない文字があります: " + PlaceOf(t));
    throw TBraidError("トーラス結び目の名前として読めません: " + PlaceOf(t) + " (T(p, q) の形で書いてください)");
}

// The integer at token P, with its sign, moving P past it.
int Index(const std::vector<TTextToken>& T, std::size_t& P) {
    const bool minus = P < T.size() && T[P].Kind == '-';
    if (minus) ++P;
    if (P == T.size() || (T[P].Kind != 'n' && T[P].Kind != 'N')) NotAName(T, P);
    const TTextToken& t = T[P++];
    if (t.Kind == 'N' || t.Value > MaxTorusIndex)
        throw TBraidError("T(p, q) の数が大きすぎます (絶対値 " + std::to_string(MaxTorusIndex) + " まで): " + PlaceOf(t));
    if (t.Value == 0) throw TBraidError("T(p, q) の p と q は 0 にできません: " + PlaceOf(t));
    return minus ? -t.Value : t.Value;
}

}  // namespace

TKnot TorusKnot(int P, int Q) {
    if (P == 0 || Q == 0 || P > MaxTorusIndex || Q > MaxTorusIndex || P < -MaxTorusIndex || Q < -MaxTorusIndex)
        throw TBraidError("T(" + std::to_string(P) + ", " + std::to_string(Q) + ") は扱えません");
    const int p = P < 0 ? -P : P, q = Q < 0 ? -Q : Q;
    const int strands = std::min(p, q), turns = std::max(p, q);
    const int sign = (P < 0) != (Q < 0) ? -1 : 1;
    std::vector<int> word;
    for (int t = 0; t < turns; ++t)
        for (int i = 1; i < strands; ++i) word.push_back(sign * i);
    return ClosedBraid(strands, word);
}

TKnot ReadTorusName(const std::string& Text) {
    const std::vector<TTextToken> t = TextTokens(Text);
    if (t.empty()) throw TBraidError("トーラス結び目の名前が入力されていません");
    std::size_t p = 0;
    auto expect = [&](char Kind) {
        if (p == t.size() || t[p].Kind != Kind) NotAName(t, p);
        ++p;
    };
    if (t[p].Kind != 'w' || t[p].Text != "T") NotAName(t, p);
    ++p;
    expect('(');
    const int first = Index(t, p);
    expect(',');
    const int second = Index(t, p);
    expect(')');
    if (p != t.size()) NotAName(t, p);
    return TorusKnot(first, second);
}

}  // namespace ravelon
