// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/GaussRead.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "knot/Faces.h"
#include "knot/PortGraph.h"
#include "knot/TextTokens.h"

namespace ravelon {

namespace {

// One passage of a crossing as written.
struct TPassage {
    int Label = 0;
    bool Over = false;
    int Sign = 0;
    std::size_t Column = 0;
};

using TComponent = std::vector<TPassage>;

// Recursive descent over the tokens:
// code := open list close | list (open twice at the start: the outer pair),
// list := component ((["," ] | "|" | ";") component)*,
// component := open passages close | passage+,
// passage := ("O" | "U") number ("+" | "-") | ("+" | "-") ("<" | ">") number,
// with optional commas between the passages. The tokenizer keeps + < > | ;
// as characters no other notation holds; they are told apart by their text.
class TGaussParser {
public:
    explicit TGaussParser(std::vector<TTextToken> t) : T(std::move(t)) {}

    std::vector<TComponent> Code() {
        char outer = 0;
        if (IsOpen() && P + 1 < T.size() && IsOpenAt(P + 1)) outer = CloseOf(T[P++].Kind);
        std::vector<TComponent> list;
        for (;;) {
            list.push_back(Component());
            if (Is("|") || Is(";")) {
                ++P;
            } else if (Is(',') && P + 1 < T.size() && IsOpenAt(P + 1)) {
                ++P;
            } else if (!IsOpen()) {
                break;
            }
        }
        if (outer != 0) Expect(outer);
        if (P != T.size()) Fail();
        return list;
    }

private:
    bool Is(char k) const { return P < T.size() && T[P].Kind == k; }
    bool Is(const char* Symbol) const { return Is('?') && T[P].Text == Symbol; }
    bool IsOpenAt(std::size_t I) const { return T[I].Kind == '[' || T[I].Kind == '(' || T[I].Kind == '{'; }
    bool IsOpen() const { return P < T.size() && IsOpenAt(P); }
    static char CloseOf(char Open) { return Open == '[' ? ']' : Open == '(' ? ')' : '}'; }
    // A passage starts with a word (O or U), a minus or a plus.
    bool StartsPassage(std::size_t I) const {
        return T[I].Kind == 'w' || T[I].Kind == '-' || (T[I].Kind == '?' && T[I].Text == "+");
    }
    bool AtPassage() const { return P < T.size() && StartsPassage(P); }

    // Refuses the code at token P; Wanted is the token that should have come
    // there, when only one could.
    [[noreturn]] void Fail(char Wanted = 0) const {
        if (P == T.size()) {
            if (Wanted != 0)
                throw TGaussError("向き付きガウスコードとして読めません: 最後に「" + std::string(1, Wanted) + "」がありません");
            throw TGaussError("向き付きガウスコードとして読めません: 途中で終わっています");
        }
        const TTextToken& t = T[P];
        if (t.Kind == 'N') throw TGaussError("交点の番号が大きすぎます: " + PlaceOf(t));
        if (t.Kind == '?' && t.Text != "+" && t.Text != "<" && t.Text != ">" && t.Text != "|" && t.Text != ";")
            throw TGaussError("向き付きガウスコードとして読めない文字があります: " + PlaceOf(t));
        throw TGaussError("向き付きガウスコードとして読めません: " + PlaceOf(t));
    }
    void Expect(char k) {
        if (!Is(k)) Fail(k);
        ++P;
    }

    TComponent Component() {
        TComponent c;
        if (IsOpen()) {
            const char close = CloseOf(T[P++].Kind);
            Passages(c);
            Expect(close);
        } else {
            if (!AtPassage()) Fail();
            Passages(c);
        }
        return c;
    }
    void Passages(TComponent& C) {
        while (AtPassage()) {
            C.push_back(Passage());
            // A comma before another passage separates passages, else components.
            if (Is(',') && P + 1 < T.size() && StartsPassage(P + 1)) ++P;
        }
    }
    TPassage Passage() {
        TPassage p;
        p.Column = T[P].Column;
        if (Is('w')) {
            const std::string& w = T[P].Text;
            if (w != "O" && w != "o" && w != "U" && w != "u") Fail();
            p.Over = w == "O" || w == "o";
            ++P;
            p.Label = Number();
            if (!Is('-') && !Is("+")) Fail();
            p.Sign = Is('-') ? -1 : 1;
            ++P;
            return p;
        }
        p.Over = !Is('-');
        ++P;
        if (!Is("<") && !Is(">")) Fail();
        // Over with the other strand from left to right is negative, under positive.
        const bool leftToRight = Is(">");
        p.Sign = leftToRight == p.Over ? -1 : 1;
        ++P;
        p.Label = Number();
        return p;
    }
    int Number() {
        if (!Is('n')) Fail();
        return T[P++].Value;
    }

    std::vector<TTextToken> T;
    std::size_t P = 0;
};

// The two passages of every crossing, crossings in the order first passed.
struct TCrossingPassages {
    int Label = 0;
    std::vector<TPassage> Passages;
};

std::vector<TCrossingPassages> CheckedCrossings(const std::vector<TComponent>& Code, std::map<int, int>& Index) {
    std::vector<TCrossingPassages> crossings;
    for (const TComponent& c : Code)
        for (const TPassage& p : c) {
            const auto [at, added] = Index.emplace(p.Label, static_cast<int>(crossings.size()));
            if (added) crossings.push_back({p.Label, {}});
            crossings[static_cast<std::size_t>(at->second)].Passages.push_back(p);
        }
    for (const TCrossingPassages& x : crossings) {
        const std::string name = "交点 " + std::to_string(x.Label);
        const std::size_t times = x.Passages.size();
        if (times == 1) throw TGaussError(name + " を 1 回しか通っていません (上と下で 1 回ずつのはずです)");
        if (times != 2)
            throw TGaussError(name + " を " + std::to_string(times) + " 回通っています (上と下で 1 回ずつのはずです)");
        const TPassage& a = x.Passages[0];
        const TPassage& b = x.Passages[1];
        if (a.Over == b.Over)
            throw TGaussError(name + " を 2 回とも" + (a.Over ? "上" : "下") + "で通っています (上と下で 1 回ずつのはずです)");
        if (a.Sign != b.Sign)
            throw TGaussError(name + " の符号が " + std::to_string(a.Column) + " 文字目と " + std::to_string(b.Column) +
                              " 文字目で食い違っています");
    }
    return crossings;
}

// The entry port of a passage: under at port 1, over at port 2 (sign +) or 4.
std::int32_t EntryPort(const TPassage& P) { return !P.Over ? 1 : P.Sign > 0 ? 2 : 4; }

TKnot Build(const std::vector<TComponent>& Code) {
    std::map<int, int> index;
    const std::vector<TCrossingPassages> crossings = CheckedCrossings(Code, index);
    TKnot k;
    k.FCrossings.resize(crossings.size() + 1);
    for (std::size_t c = 0; c < crossings.size(); ++c) {
        const auto& [first, second] = std::pair{crossings[c].Passages[0], crossings[c].Passages[1]};
        k.FCrossings[c + 1] = {EntryPort(first.Over ? first : second), 1};
    }
    k.FEdges.resize(1);
    for (const TComponent& c : Code) {
        if (c.empty()) {
            k.FEdges.push_back({0, 0, 0, 0});
            continue;
        }
        for (std::size_t i = 0; i < c.size(); ++i) {
            const TPassage& from = c[i];
            const TPassage& to = c[(i + 1) % c.size()];
            k.FEdges.push_back(
                {index.at(from.Label) + 1, OppositePort(EntryPort(from)), index.at(to.Label) + 1, EntryPort(to)});
        }
    }
    if (!crossings.empty()) {
        const TDiagramFaces f = DiagramFacesOf(BuildPortGraph(k));
        if (f.Faces != static_cast<int>(crossings.size()) + 2 * f.PiecesWithCrossings)
            throw TGaussError("平面に描けない向き付きガウスコードです");
    }
    return k;
}

}  // namespace

TKnot ReadOrientedGauss(const std::string& Text) {
    std::vector<TTextToken> tokens = TextTokens(Text);
    if (tokens.empty()) throw TGaussError("向き付きガウスコードが入力されていません");
    return Build(TGaussParser(std::move(tokens)).Code());
}

}  // namespace ravelon
