// SPDX-License-Identifier: GPL-3.0-or-later
// The structure of a sparse elimination: which entries of a square matrix
// can be non-zero as its variables are eliminated one at a time, each on its
// diagonal entry, and the order of least degree.
//
// Data model: variables 0 to N - 1. Every entry that is or may become
// non-zero has a slot (a number from 0, the diagonal ones included), and
// every active variable keeps its active neighbours, sorted, each with the
// slot of the entry (variable, neighbour); the neighbours are symmetric even
// where the values are not. In a symmetric graph (w, v) shares the slot of
// (v, w). Eliminating v joins its neighbours to one another (the fill, new
// slots) and makes it inactive; merging the row of u into that of d gives d
// the neighbours of u. The active variables are kept ordered by their number
// of neighbours, then by number.
#pragma once

#include <cstddef>
#include <set>
#include <utility>
#include <vector>

#include "classical/SparseMatrix.h"

namespace ravelon {

// An active neighbour of a variable and the slot of the entry between them.
struct TNeighbour {
    int Variable = 0;
    int Slot = 0;
};

// What the elimination of one variable v touches, in the order of its
// neighbours n_0 < n_1 < ...: the slots of (n_a, v) and (v, n_b), and of
// every (n_a, n_b) (the diagonal slot where a = b), row after row; in a
// symmetric graph only b >= a, row after row.
struct TEliminationStep {
    std::vector<int> Neighbours;
    std::vector<int> Column, Row, Targets;
};

// The structure of a matrix being eliminated.
class TEliminationGraph {
public:
    // The structure of Pattern's entries and of their transposes.
    TEliminationGraph(const TSparseMatrix& Pattern, bool Symmetric);

    int Size() const { return static_cast<int>(FAround.size()); }
    int Slots() const { return FSlots; }
    int Active() const { return static_cast<int>(FByDegree.size()); }
    int DiagonalSlot(int V) const { return FDiagonal[static_cast<std::size_t>(V)]; }
    const std::vector<TNeighbour>& Around(int V) const { return FAround[static_cast<std::size_t>(V)]; }
    // The slot of entry (V, W), V an active variable: -1 when it has none.
    int SlotOf(int V, int W) const;

    // The active variable of fewest neighbours that Accept(v) takes, or -1.
    template <class F>
    int Smallest(F Accept) const {
        for (const auto& [degree, v] : FByDegree)
            if (Accept(v)) return v;
        return -1;
    }

    // Eliminates the active variable V: Step is set to what it touches.
    void Eliminate(int V, TEliminationStep& Step);
    // Gives the active variable D the neighbours of the active variable U
    // (a neighbour of D), so that row D may take row U's values.
    void Merge(int D, int U);

private:
    void Join(int V, std::vector<TNeighbour> More);
    void SetDegree(int V, std::size_t Degree);

    bool FSymmetric;
    int FSlots = 0;
    std::vector<std::vector<TNeighbour>> FAround;
    std::vector<int> FDiagonal;
    std::vector<std::size_t> FDegree;
    std::vector<char> FActive;
    std::set<std::pair<std::size_t, int>> FByDegree;
};

}  // namespace ravelon
