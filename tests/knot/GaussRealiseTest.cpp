// SPDX-License-Identifier: GPL-3.0-or-later
// Gauss words drawn in the plane, against a search over every way the
// crossings could turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "knot/GaussCode.h"
#include "knot/GaussRealise.h"
#include "tests/support/Planarity.h"

namespace ravelon {
namespace {

// The code of Word with crossing c turning by bit c of Turns, built directly:
// the under-strand enters at port 1, the over-strand at port 2 or 4.
TKnot WithTurns(const std::vector<TGaussPassage>& Word, int Crossings, unsigned Turns) {
    TKnot k;
    k.FCrossings.resize(static_cast<std::size_t>(Crossings) + 1);
    const auto over = [&](int c) { return (Turns >> c & 1U) != 0 ? 2 : 4; };
    for (int c = 0; c < Crossings; ++c) k.FCrossings[static_cast<std::size_t>(c) + 1] = {over(c), 1};
    const auto entry = [&](const TGaussPassage& P) { return P.Over ? over(P.Crossing) : 1; };
    for (std::size_t i = 0; i < Word.size(); ++i) {
        const TGaussPassage& a = Word[i];
        const TGaussPassage& b = Word[(i + 1) % Word.size()];
        k.FEdges.push_back({a.Crossing + 1, (entry(a) + 1) % 4 + 1, b.Crossing + 1, entry(b)});
    }
    return k;
}

// The word as the O/U code writes it without signs: from the over-passage
// of the first crossing passed, crossings numbered as passed from there.
std::string Unsigned(const std::vector<TGaussPassage>& Word) {
    std::size_t start = 0;
    while (Word[start].Crossing != Word[0].Crossing || !Word[start].Over) ++start;
    std::vector<int> number(Word.size(), 0);
    int next = 0;
    std::string out;
    for (std::size_t i = 0; i < Word.size(); ++i) {
        const TGaussPassage& p = Word[(start + i) % Word.size()];
        int& k = number[static_cast<std::size_t>(p.Crossing)];
        if (k == 0) k = ++next;
        out += (p.Over ? "O" : "U") + std::to_string(k);
    }
    return out;
}

TEST(GaussRealise, AgreesWithASearchOverAllTurns) {
    std::mt19937 rng(1234);
    int drawn = 0, refused = 0;
    for (int round = 0; round < 600; ++round) {
        const int n = 1 + round % 6;
        std::vector<TGaussPassage> word;
        for (int c = 0; c < n; ++c) word.insert(word.end(), {{c, true}, {c, false}});
        std::shuffle(word.begin(), word.end(), rng);
        bool planar = false;
        for (unsigned turns = 0; turns < (1U << n) && !planar; ++turns)
            planar = testing::PlanarityFault(WithTurns(word, n, turns)).empty();
        const std::optional<TKnot> k = RealiseGaussWord(word);
        ASSERT_EQ(k.has_value(), planar) << Unsigned(word);
        (planar ? drawn : refused) += 1;
        if (!k) continue;
        EXPECT_EQ(testing::PlanarityFault(*k), "") << Unsigned(word);
        std::string code = OrientedGaussCode(*k);
        const auto sign = [](char Ch) { return Ch == '+' || Ch == '-'; };
        code.erase(std::remove_if(code.begin(), code.end(), sign), code.end());
        EXPECT_EQ(code, Unsigned(word));
    }
    EXPECT_GT(drawn, 50);
    EXPECT_GT(refused, 50);
}

}  // namespace
}  // namespace ravelon
