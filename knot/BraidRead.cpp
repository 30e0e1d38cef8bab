// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/BraidRead.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "knot/BraidClosure.h"
#include "knot/TextTokens.h"

namespace ravelon {

namespace {

// The generators of a word: word := "[" items "]" | "{" items "}" | items,
// items := (["-"] number | letters) separated by spaces or commas.
class TBraidParser {
public:
    explicit TBraidParser(std::vector<TTextToken> t) : T(std::move(t)) {}

    std::vector<int> Word() {
        char close = 0;
        if (Is('[') || Is('{')) close = T[P++].Kind == '[' ? ']' : '}';
        std::vector<int> word;
        while (Is('-') || Is('n') || Is('N') || Is('w')) {
            Item(word);
            if (Is(',')) ++P;
        }
        if (close != 0) {
            if (!Is(close)) Fail(close);
            ++P;
        }
        if (P != T.size()) Fail();
        return word;
    }

private:
    bool Is(char k) const { return P < T.size() && T[P].Kind == k; }
    [[noreturn]] void Fail(char Wanted = 0) const {
        if (P == T.size()) {
            if (Wanted != 0) throw TBraidError("組みひもとして読めません: 最後に「" + std::string(1, Wanted) + "」がありません");
            throw TBraidError("組みひもとして読めません: 途中で終わっています");
        }
        const TTextToken& t = T[P];
        if (t.Kind == 'N') TooLarge(t);
        if (t.Kind == '?') throw TBraidError("組みひもとして読めない文字があります: " + PlaceOf(t));
        throw TBraidError("組みひもとして読めません: " + PlaceOf(t));
    }
    [[noreturn]] static void TooLarge(const TTextToken& t) {
        throw TBraidError("生成元の番号が大きすぎます (" + std::to_string(MaxBraidGenerator) + " まで): " + PlaceOf(t));
    }
    // Letters and integers do not mix: the first item decides.
    void Form(bool Letters) {
        if (Letters != (LettersSeen ? *LettersSeen : Letters)) {
            const char* first = *LettersSeen ? "文字" : "数";
            throw TBraidError(std::string("組みひもの生成元は") + first + "で揃えてください: " + PlaceOf(T[P]));
        }
        LettersSeen = Letters;
    }
    void Item(std::vector<int>& Word) {
        if (Is('w')) {
            Form(true);
            const TTextToken& t = T[P++];
            for (const char ch : t.Text) {
                const bool inverse = std::isupper(static_cast<unsigned char>(ch)) != 0;
                const int g = std::tolower(static_cast<unsigned char>(ch)) - 'a' + 1;
                Word.push_back(inverse ? -g : g);
            }
            return;
        }
        Form(false);
        const bool minus = Is('-');
        if (minus) ++P;
        if (!Is('n')) Fail();
        const TTextToken& t = T[P];
        if (t.Value == 0) throw TBraidError("0 は生成元になりません: " + PlaceOf(t));
        if (t.Value > MaxBraidGenerator) TooLarge(t);
        Word.push_back(minus ? -t.Value : t.Value);
        ++P;
    }

    std::vector<TTextToken> T;
    std::size_t P = 0;
    std::optional<bool> LettersSeen;
};

}  // namespace

TKnot ReadBraidWord(const std::string& Text, int Strands) {
    std::vector<TTextToken> tokens = TextTokens(Text);
    if (tokens.empty()) throw TBraidError("組みひもが入力されていません");
    const std::vector<int> word = TBraidParser(std::move(tokens)).Word();
    if (word.empty()) throw TBraidError("組みひもに生成元がありません");
    int largest = 0;
    for (const int g : word) largest = std::max(largest, g < 0 ? -g : g);
    if (Strands < 0 || Strands > MaxBraidGenerator + 1)
        throw TBraidError("紐の本数 " + std::to_string(Strands) + " は扱えません (1 から " + std::to_string(MaxBraidGenerator + 1) + " まで)");
    if (Strands == 0) Strands = largest + 1;
    if (largest >= Strands)
        throw TBraidError("生成元 " + std::to_string(largest) + " には紐が " + std::to_string(largest + 1) + " 本以上要ります (" +
                          std::to_string(Strands) + " 本です)");
    return ClosedBraid(Strands, word);
}

}  // namespace ravelon
