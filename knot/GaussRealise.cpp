// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/GaussRealise.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <stdexcept>

#include "knot/Faces.h"
#include "knot/PortGraph.h"

namespace ravelon {

namespace {

// Where a crossing is passed: its first and second places in the word.
struct TPlaces {
    std::size_t First = 0;
    std::size_t Second = 0;
    int Passes = 0;
    bool UnderFirst = false;
};

// Crossing Other turns alike (Parity 0) or not (1) as the crossing it is kept for.
struct TRelation {
    int Other = 0;
    int Parity = 0;
};

std::vector<TPlaces> PlacesOf(const std::vector<TGaussPassage>& Word) {
    const std::size_t n = Word.size() / 2;
    if (Word.size() % 2 != 0) throw std::invalid_argument("a Gauss word of odd length");
    std::vector<TPlaces> places(n);
    std::vector<int> over(n, 0);
    for (std::size_t i = 0; i < Word.size(); ++i) {
        const int c = Word[i].Crossing;
        if (c < 0 || static_cast<std::size_t>(c) >= n) throw std::invalid_argument("a crossing out of range");
        TPlaces& x = places[static_cast<std::size_t>(c)];
        if (x.Passes == 0) {
            x.First = i;
            x.UnderFirst = !Word[i].Over;
        } else {
            x.Second = i;
        }
        ++x.Passes;
        over[static_cast<std::size_t>(c)] += Word[i].Over ? 1 : 0;
    }
    for (std::size_t c = 0; c < n; ++c)
        if (places[c].Passes != 2 || over[c] != 1)
            throw std::invalid_argument("a crossing not passed once over and once under");
    return places;
}

// A bit per passage: 1 when the other strand crosses it from its left to its
// right. The two passages of a crossing have opposite bits, so the bit of the
// first passage stands for the crossing. For crossing a with loop L between
// its passages p and q and the rest M, and b met at s in L and at r in M:
// bit(s) = 1 + bit(p) + (crossings of L passed in M from q to r)
//                     + (passages of crossings inside L from p to s).
std::vector<std::vector<TRelation>> RelationsOf(const std::vector<TGaussPassage>& Word,
                                                const std::vector<TPlaces>& Places) {
    const std::size_t n = Places.size();
    const std::size_t length = Word.size();
    std::vector<std::vector<TRelation>> relations(n);
    std::vector<int> inside(n), alongL(n);
    for (std::size_t a = 0; a < n; ++a) {
        const std::size_t p = Places[a].First;
        const std::size_t q = Places[a].Second;
        std::fill(inside.begin(), inside.end(), 0);
        for (std::size_t s = p + 1; s < q; ++s) ++inside[static_cast<std::size_t>(Word[s].Crossing)];
        int flips = 0;
        for (std::size_t s = p + 1; s < q; ++s) {
            const auto c = static_cast<std::size_t>(Word[s].Crossing);
            if (inside[c] == 2) {
                flips ^= 1;
            } else {
                alongL[c] = flips ^ (s == Places[c].Second ? 1 : 0);
            }
        }
        int crossed = 0;
        for (std::size_t k = q + 1; k < p + length; ++k) {
            const auto c = static_cast<std::size_t>(Word[k % length].Crossing);
            if (inside[c] != 1) continue;
            relations[a].push_back({static_cast<int>(c), 1 ^ crossed ^ alongL[c]});
            crossed ^= 1;
        }
    }
    return relations;
}

// The bit of every crossing's first passage, each part of the graph of
// relations started at its first crossing passed, made right-handed; nothing
// when the relations contradict each other.
std::optional<std::vector<int>> Solve(const std::vector<TGaussPassage>& Word, const std::vector<TPlaces>& Places) {
    const std::vector<std::vector<TRelation>> relations = RelationsOf(Word, Places);
    std::vector<int> bit(Places.size(), -1);
    std::deque<std::size_t> queue;
    for (const TGaussPassage& start : Word) {
        const auto root = static_cast<std::size_t>(start.Crossing);
        if (bit[root] >= 0) continue;
        // Right-handed: the over-strand crosses the under-strand from its left.
        bit[root] = Places[root].UnderFirst ? 1 : 0;
        queue.push_back(root);
        while (!queue.empty()) {
            const std::size_t a = queue.front();
            queue.pop_front();
            for (const TRelation& r : relations[a]) {
                const auto b = static_cast<std::size_t>(r.Other);
                const int wanted = bit[a] ^ r.Parity;
                if (bit[b] < 0) {
                    bit[b] = wanted;
                    queue.push_back(b);
                } else if (bit[b] != wanted) {
                    return std::nullopt;
                }
            }
        }
    }
    return bit;
}

}  // namespace

std::optional<TKnot> RealiseGaussWord(const std::vector<TGaussPassage>& Word) {
    const std::vector<TPlaces> places = PlacesOf(Word);
    TKnot k;
    if (Word.empty()) {
        k.FEdges.push_back({0, 0, 0, 0});
        return k;
    }
    const std::optional<std::vector<int>> bit = Solve(Word, places);
    if (!bit) return std::nullopt;
    // TKnot numbers the crossings in the order first passed.
    std::vector<std::int32_t> number(places.size(), 0);
    std::int32_t next = 0;
    for (const TGaussPassage& x : Word)
        if (number[static_cast<std::size_t>(x.Crossing)] == 0) number[static_cast<std::size_t>(x.Crossing)] = ++next;
    std::vector<int> sign(places.size());
    k.FCrossings.resize(places.size() + 1);
    for (std::size_t c = 0; c < places.size(); ++c) {
        // The under-passage's bit: 1 for a right-handed crossing.
        const int under = (*bit)[c] ^ (places[c].UnderFirst ? 0 : 1);
        sign[c] = under == 1 ? 1 : -1;
        k.FCrossings[static_cast<std::size_t>(number[c])] = {sign[c] > 0 ? 2 : 4, 1};
    }
    const auto entry = [&](const TGaussPassage& P) -> std::int32_t {
        return !P.Over ? 1 : sign[static_cast<std::size_t>(P.Crossing)] > 0 ? 2 : 4;
    };
    for (std::size_t i = 0; i < Word.size(); ++i) {
        const TGaussPassage& from = Word[i];
        const TGaussPassage& to = Word[(i + 1) % Word.size()];
        k.FEdges.push_back({number[static_cast<std::size_t>(from.Crossing)], OppositePort(entry(from)),
                            number[static_cast<std::size_t>(to.Crossing)], entry(to)});
    }
    const TDiagramFaces f = DiagramFacesOf(BuildPortGraph(k));
    if (f.Faces != k.FCrossingCount() + 2 * f.PiecesWithCrossings) return std::nullopt;
    return k;
}

}  // namespace ravelon
