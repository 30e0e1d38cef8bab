// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/DtRead.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "knot/GaussRealise.h"
#include "knot/NumberList.h"
#include "knot/TextTokens.h"

namespace ravelon {

namespace {

const std::string Name = "DT コード";

// The number of a letter: a = 1, ..., z = 26, capitals negative.
int LetterValue(char Ch) { return Ch >= 'a' && Ch <= 'z' ? Ch - 'a' + 1 : -(Ch - 'A' + 1); }

// The even numbers of the letter form, with or without its head.
std::vector<TListedNumber> Letters(const TTextToken& Word) {
    const std::string& w = Word.Text;
    std::size_t first = 0;
    if (w.size() >= 3 && LetterValue(w[0]) > 0 && LetterValue(w[1]) > 0) {
        const auto crossings = static_cast<std::size_t>(LetterValue(w[0]));
        const auto components = static_cast<std::size_t>(LetterValue(w[1]));
        std::size_t sum = 0;
        bool lengths = w.size() == 2 + components + crossings;
        for (std::size_t i = 0; lengths && i < components; ++i) {
            const int v = LetterValue(w[2 + i]);
            lengths = v > 0;
            sum += static_cast<std::size_t>(v > 0 ? v : 0);
        }
        if (lengths && sum == crossings) {
            if (components != 1) throw TDtError("リンクの " + Name + "は読めません (結び目だけです): " + PlaceOf(Word));
            first = 2 + components;
        }
    }
    std::vector<TListedNumber> out;
    for (std::size_t i = first; i < w.size(); ++i) {
        TTextToken t{'w', std::string(1, w[i]), 0, Word.Column + i};
        out.push_back({2 * LetterValue(w[i]), std::move(t)});
    }
    return out;
}

std::vector<TListedNumber> Numbers(const std::string& Text) {
    const std::vector<TTextToken> tokens = TextTokens(Text);
    if (tokens.empty()) throw TDtError(Name + "が入力されていません");
    if (tokens.size() == 1 && tokens[0].Kind == 'w') return Letters(tokens[0]);
    try {
        return NumberList(tokens, Name);
    } catch (const TNumberListError& e) {
        throw TDtError(e.what());
    }
}

// The Gauss word of the code: crossing k at labels 2k + 1 and its even number.
std::vector<TGaussPassage> WordOf(const std::vector<TListedNumber>& Numbers) {
    const std::size_t n = Numbers.size();
    std::vector<TGaussPassage> word(2 * n);
    std::vector<bool> used(2 * n + 1, false);
    for (std::size_t k = 0; k < n; ++k) {
        const TListedNumber& x = Numbers[k];
        const std::int64_t even = x.Value < 0 ? -static_cast<std::int64_t>(x.Value) : x.Value;
        if (even == 0 || even % 2 != 0)
            throw TDtError(Name + "の数は 0 でない偶数のはずです: " + PlaceOf(x.Token));
        if (static_cast<std::uint64_t>(even) > 2 * n)
            throw TDtError(Name + "の数が交点の数の 2 倍 (" + std::to_string(2 * n) + ") を超えています: " +
                           PlaceOf(x.Token));
        const auto at = static_cast<std::size_t>(even);
        if (used[at]) throw TDtError(Name + "に " + std::to_string(even) + " が 2 回あります: " + PlaceOf(x.Token));
        used[at] = true;
        word[2 * k] = {static_cast<int>(k), x.Value > 0};
        word[at - 1] = {static_cast<int>(k), x.Value < 0};
    }
    return word;
}

}  // namespace

TKnot ReadDtCode(const std::string& Text) {
    std::optional<TKnot> k = RealiseGaussWord(WordOf(Numbers(Text)));
    if (!k) throw TDtError("平面に描けない " + Name + "です");
    return *std::move(k);
}

}  // namespace ravelon
