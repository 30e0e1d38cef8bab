// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/PdRead.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "knot/PortGraph.h"
#include "knot/Faces.h"
#include "knot/TextTokens.h"

namespace ravelon {

namespace {

// Recursive descent over the tokens: code := "PD" "[" list "]" | "[" list "]" | list,
// crossing := ["X"] ("[" labels "]" | "(" labels ")").
// The first token out of place is named in the message, with its place.
class TParser {
public:
    explicit TParser(std::vector<TTextToken> t) : T(std::move(t)) {}

    std::vector<std::vector<int>> Code() {
        std::vector<std::vector<int>> crossings;
        if (Is('w') && T[P].Text == "PD") {
            ++P;
            Expect('[');
            crossings = List();
            Expect(']');
        } else if (Is('[') && P + 1 < T.size() && (T[P + 1].Kind == '[' || T[P + 1].Kind == '(')) {
            ++P;
            crossings = List();
            Expect(']');
        } else {
            crossings = List();
        }
        if (P != T.size()) Fail();
        return crossings;
    }

private:
    bool Is(char k) const { return P < T.size() && T[P].Kind == k; }
    // Refuses the code at token P; Wanted is the token that should have come
    // there, when only one could.
    [[noreturn]] void Fail(char Wanted = 0) const {
        if (P == T.size()) {
            if (Wanted != 0) throw TPdError("PD コードとして読めません: 最後に「" + std::string(1, Wanted) + "」がありません");
            throw TPdError("PD コードとして読めません: 途中で終わっています");
        }
        const TTextToken& t = T[P];
        const std::string where = PlaceOf(t);
        if (t.Kind == 'N') throw TPdError("ラベルの数が大きすぎます: " + where);
        if (t.Kind == '?') throw TPdError("PD コードとして読めない文字があります: " + where);
        throw TPdError("PD コードとして読めません: " + where);
    }
    void Expect(char k) {
        if (!Is(k)) Fail(k);
        ++P;
    }
    std::vector<std::vector<int>> List() {
        std::vector<std::vector<int>> out;
        while (Is('w') || Is('[') || Is('(')) {
            out.push_back(Crossing());
            if (Is(',')) ++P;
        }
        return out;
    }
    std::vector<int> Crossing() {
        if (Is('w')) {
            if (T[P].Text != "X") Fail();
            ++P;
        }
        const char close = Is('(') ? ')' : ']';
        Expect(close == ')' ? '(' : '[');
        std::vector<int> labels;
        while (Is('n')) {
            labels.push_back(T[P++].Value);
            if (!Is(',')) break;
            ++P;
        }
        Expect(close);
        return labels;
    }
    std::vector<TTextToken> T;
    std::size_t P = 0;
};

// The port of TKnot for position 0 .. 3 of X[a, b, c, d], whose strand
// passing under enters at port 1.
constexpr std::int32_t KnotPortOfPosition(int Position) { return PdPort(0, Position) + 1; }

// A PD code as read: its crossings' labels, its loops without crossings
// (X[a, a]), and the two places (crossing, position) of every label.
struct TPdLabels {
    std::vector<std::array<int, 4>> Crossings;
    int Loops = 0;
    std::map<int, std::vector<std::pair<int, int>>> Where;
    // Every label's place among the labels in increasing order, from 1.
    std::map<int, int> Rank;

    // The other place of the label at position P of crossing C.
    std::pair<int, int> Other(int C, int P) const {
        const auto& pl = Where.at(Crossings[static_cast<std::size_t>(C)][static_cast<std::size_t>(P)]);
        return pl[0] == std::pair{C, P} ? pl[1] : pl[0];
    }
};

TPdLabels LabelsOf(const std::vector<std::vector<int>>& code) {
    TPdLabels l;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const auto& x = code[i];
        if (x.size() == 2 && x[0] == x[1]) {
            ++l.Loops;
            continue;
        }
        if (x.size() != 4)
            throw TPdError("交点 " + std::to_string(i + 1) + " のラベルが 4 個ではありません (" + std::to_string(x.size()) + " 個)");
        const int c = static_cast<int>(l.Crossings.size());
        l.Crossings.push_back({x[0], x[1], x[2], x[3]});
        for (int p = 0; p < 4; ++p) l.Where[x[static_cast<std::size_t>(p)]].push_back({c, p});
    }
    for (const auto& [label, places] : l.Where)
        if (places.size() != 2)
            throw TPdError("ラベル " + std::to_string(label) + " が " + std::to_string(places.size()) + " 回現れます (ちょうど 2 回のはずです)");
    for (const auto& [label, places] : l.Where) l.Rank.emplace(label, static_cast<int>(l.Rank.size()) + 1);
    return l;
}

// Entry (1) or exit (-1) for every (crossing, position): position 0 enters,
// an edge runs from an exit to an entry and a strand from an entry to the
// exit across; the over-strand of a crossing whose under-strand fixes
// nothing runs the way its labels count (their ranks, so that gaps between
// the labels do not matter).
std::vector<std::array<int, 4>> DirectionsOf(const TPdLabels& L) {
    const std::size_t n = L.Crossings.size();
    std::vector<std::array<int, 4>> dir(n, {0, 0, 0, 0});
    std::vector<std::pair<int, int>> todo;
    auto set = [&](int c, int p, int d) {
        int& slot = dir[static_cast<std::size_t>(c)][static_cast<std::size_t>(p)];
        if (slot == d) return;
        if (slot != 0) throw TPdError("ラベルの並びから向きが決まりません (向きが矛盾しています)");
        slot = d;
        todo.push_back({c, p});
    };
    auto propagate = [&] {
        while (!todo.empty()) {
            const auto [c, p] = todo.back();
            todo.pop_back();
            const int d = dir[static_cast<std::size_t>(c)][static_cast<std::size_t>(p)];
            const auto [oc, op] = L.Other(c, p);
            set(oc, op, -d);
            set(c, (p + 2) % 4, -d);
        }
    };
    for (std::size_t c = 0; c < n; ++c) {
        set(static_cast<int>(c), 0, 1);
        set(static_cast<int>(c), 2, -1);
    }
    propagate();
    for (std::size_t c = 0; c < n; ++c) {
        if (dir[c][1] != 0) continue;
        const int b = L.Rank.at(L.Crossings[c][1]), d = L.Rank.at(L.Crossings[c][3]);
        const bool fromB = d == b + 1 || (b != d + 1 && b > d);
        set(static_cast<int>(c), fromB ? 1 : 3, 1);
        propagate();
    }
    return dir;
}

TKnot Build(const std::vector<std::vector<int>>& code) {
    const TPdLabels labels = LabelsOf(code);
    const std::vector<std::array<int, 4>> dir = DirectionsOf(labels);
    const std::size_t n = labels.Crossings.size();
    TKnot k;
    k.FCrossings.resize(n + 1);
    for (std::size_t c = 0; c < n; ++c) k.FCrossings[c + 1] = {dir[c][1] == 1 ? 4 : 2, 1};
    k.FEdges.resize(1);
    for (const auto& [label, places] : labels.Where) {
        const auto [c1, p1] = places[0];
        const auto [c2, p2] = places[1];
        k.FEdges.push_back({c1 + 1, KnotPortOfPosition(p1), c2 + 1, KnotPortOfPosition(p2)});
    }
    for (int l = 0; l < labels.Loops; ++l) k.FEdges.push_back({0, 0, 0, 0});
    if (n > 0) {
        const TDiagramFaces f = DiagramFacesOf(BuildPortGraph(k));
        if (f.Faces != static_cast<int>(n) + 2 * f.PiecesWithCrossings) throw TPdError("平面に描けない PD コードです");
    }
    return k;
}

}  // namespace

TKnot ReadPdCode(const std::string& Text, const TPdOptions& Options) {
    std::vector<TTextToken> tokens = TextTokens(Text);
    if (tokens.empty()) throw TPdError("PD コードが入力されていません");
    std::vector<std::vector<int>> code = TParser(std::move(tokens)).Code();
    if (code.empty()) throw TPdError("交点がありません");
    // Clockwise (a, b, c, d) is counter-clockwise (a, d, c, b).
    if (Options.Clockwise)
        for (auto& x : code)
            if (x.size() == 4) std::swap(x[1], x[3]);
    return Build(code);
}

}  // namespace ravelon
