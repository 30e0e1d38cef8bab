// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/BraidCode.h"

#include <optional>
#include <stdexcept>

namespace ravelon::testing {

namespace {
struct TEnd {
    std::int32_t Crossing;
    std::int32_t Port;
};
}  // namespace

TKnot BraidClosure(int Strands, const std::vector<int>& Word) {
    TKnot k;
    std::vector<std::optional<TEnd>> top(static_cast<std::size_t>(Strands) + 1);
    std::vector<std::optional<TEnd>> bottom(static_cast<std::size_t>(Strands) + 1);
    auto join = [&](TEnd a, TEnd b) { k.FEdges.push_back(TEdge{a.Crossing, a.Port, b.Crossing, b.Port}); };
    auto enter = [&](int pos, TEnd at) {
        auto& last = bottom[static_cast<std::size_t>(pos)];
        if (last) join(*last, at);
        else top[static_cast<std::size_t>(pos)] = at;
    };
    for (const int g : Word) {
        const int i = g < 0 ? -g : g;
        if (i < 1 || i >= Strands) throw std::invalid_argument("generator outside the braid");
        const auto c = static_cast<std::int32_t>(k.FCrossings.size());
        // A positive crossing has the strand from the upper right on top.
        k.FCrossings.push_back(g > 0 ? TCrossing{2, 1} : TCrossing{1, 2});
        enter(i, {c, 1});
        enter(i + 1, {c, 2});
        bottom[static_cast<std::size_t>(i) + 1] = TEnd{c, 3};
        bottom[static_cast<std::size_t>(i)] = TEnd{c, 4};
    }
    for (int p = 1; p <= Strands; ++p) {
        const auto& t = top[static_cast<std::size_t>(p)];
        if (t) join(*bottom[static_cast<std::size_t>(p)], *t);
        else k.FEdges.push_back(TEdge{0, 0, 0, 0});
    }
    return k;
}

std::vector<int> RandomBraidWord(std::mt19937& Rng, int Strands, int Length) {
    std::uniform_int_distribution<int> gen(1, Strands - 1);
    std::bernoulli_distribution sign(0.5);
    std::vector<int> w;
    for (int i = 0; i < Length; ++i) w.push_back(sign(Rng) ? gen(Rng) : -gen(Rng));
    return w;
}

TKnot MakeCode(const std::vector<TCrossing>& Crossings, const std::vector<TEdge>& Edges) {
    TKnot k;
    k.FCrossings.insert(k.FCrossings.end(), Crossings.begin(), Crossings.end());
    k.FEdges.insert(k.FEdges.end(), Edges.begin(), Edges.end());
    return k;
}

TKnot TorusTwo(int n) { return BraidClosure(2, std::vector<int>(static_cast<std::size_t>(n), 1)); }

}  // namespace ravelon::testing
