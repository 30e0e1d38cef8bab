// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/NumberList.h"

namespace ravelon {

namespace {

bool IsOpen(char Kind) { return Kind == '[' || Kind == '(' || Kind == '{'; }
char CloseOf(char Open) { return Open == '[' ? ']' : Open == '(' ? ')' : '}'; }

}  // namespace

std::vector<TListedNumber> NumberList(const std::vector<TTextToken>& Tokens, const std::string& Name) {
    // A name in Latin letters stands apart from the kana before it.
    const std::string Spaced = (static_cast<unsigned char>(Name[0]) < 0x80 ? " " : "") + Name;
    const auto fail = [&](std::size_t At) -> TNumberListError {
        const TTextToken& t = Tokens[At];
        if (t.Kind == 'N') return TNumberListError(Name + "の数が大きすぎます: " + PlaceOf(t));
        if (IsOpen(t.Kind)) return TNumberListError("リンクの" + Spaced + "は読めません (結び目だけです): " + PlaceOf(t));
        if (t.Kind == '?') return TNumberListError(Name + "として読めない文字があります: " + PlaceOf(t));
        return TNumberListError(Name + "として読めません: " + PlaceOf(t));
    };
    std::size_t p = 0;
    std::size_t end = Tokens.size();
    if (IsOpen(Tokens[0].Kind)) {
        const char close = CloseOf(Tokens[0].Kind);
        p = 1;
        std::size_t at = 1;
        while (at < Tokens.size() && Tokens[at].Kind != close && !IsOpen(Tokens[at].Kind)) ++at;
        if (at == Tokens.size())
            throw TNumberListError(Name + "として読めません: 最後に「" + std::string(1, close) + "」がありません");
        if (IsOpen(Tokens[at].Kind)) throw fail(at);
        if (at + 1 < Tokens.size()) throw fail(at + 1);
        end = at;
    }
    std::vector<TListedNumber> out;
    while (p < end) {
        const std::size_t first = p;
        const bool minus = Tokens[p].Kind == '-';
        if (minus) ++p;
        if (p == end) throw TNumberListError(Name + "として読めません: 途中で終わっています");
        if (Tokens[p].Kind != 'n') throw fail(p);
        out.push_back({minus ? -Tokens[p].Value : Tokens[p].Value, Tokens[first]});
        ++p;
        if (p < end && Tokens[p].Kind == ',' && p + 1 < end) ++p;
    }
    return out;
}

}  // namespace ravelon
