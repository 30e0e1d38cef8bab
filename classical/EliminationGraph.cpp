// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/EliminationGraph.h"

#include <algorithm>
#include <stdexcept>

namespace ravelon {

namespace {

bool ByVariable(const TNeighbour& A, const TNeighbour& B) { return A.Variable < B.Variable; }

}  // namespace

TEliminationGraph::TEliminationGraph(const TSparseMatrix& Pattern, bool Symmetric)
    : FSymmetric(Symmetric),
      FAround(static_cast<std::size_t>(Pattern.N)),
      FDiagonal(static_cast<std::size_t>(Pattern.N)),
      FDegree(static_cast<std::size_t>(Pattern.N), 0),
      FActive(static_cast<std::size_t>(Pattern.N), 1) {
    for (int& slot : FDiagonal) slot = FSlots++;
    std::vector<std::pair<int, int>> pairs;
    for (const TMatrixEntry& e : Pattern.Entries) {
        if (e.Row < 0 || e.Row >= Pattern.N || e.Column < 0 || e.Column >= Pattern.N)
            throw std::out_of_range("a matrix entry outside the matrix");
        if (e.Row != e.Column) pairs.emplace_back(std::min(e.Row, e.Column), std::max(e.Row, e.Column));
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    for (const auto& [v, w] : pairs) {
        const int slot = FSlots++;
        FAround[static_cast<std::size_t>(v)].push_back({w, slot});
        FAround[static_cast<std::size_t>(w)].push_back({v, FSymmetric ? slot : FSlots++});
    }
    for (std::size_t v = 0; v < FAround.size(); ++v) {
        std::sort(FAround[v].begin(), FAround[v].end(), ByVariable);
        FDegree[v] = FAround[v].size();
        FByDegree.emplace(FDegree[v], static_cast<int>(v));
    }
}

int TEliminationGraph::SlotOf(int V, int W) const {
    if (V == W) return DiagonalSlot(V);
    const auto& around = Around(V);
    const auto at = std::lower_bound(around.begin(), around.end(), TNeighbour{W, 0}, ByVariable);
    return at != around.end() && at->Variable == W ? at->Slot : -1;
}

void TEliminationGraph::SetDegree(int V, std::size_t Degree) {
    const auto v = static_cast<std::size_t>(V);
    FByDegree.erase({FDegree[v], V});
    FDegree[v] = Degree;
    FByDegree.emplace(Degree, V);
}

void TEliminationGraph::Join(int V, std::vector<TNeighbour> More) {
    auto& around = FAround[static_cast<std::size_t>(V)];
    std::sort(More.begin(), More.end(), ByVariable);
    std::vector<TNeighbour> merged;
    merged.reserve(around.size() + More.size());
    std::set_union(around.begin(), around.end(), More.begin(), More.end(), std::back_inserter(merged), ByVariable);
    around = std::move(merged);
    SetDegree(V, around.size());
}

void TEliminationGraph::Eliminate(int V, TEliminationStep& Step) {
    const auto v = static_cast<std::size_t>(V);
    if (!FActive[v]) throw std::logic_error("eliminating a variable twice");
    const std::vector<TNeighbour> around = std::move(FAround[v]);
    FAround[v].clear();
    FActive[v] = 0;
    FByDegree.erase({FDegree[v], V});
    const std::size_t count = around.size();
    Step.Neighbours.resize(count);
    Step.Column.resize(count);
    Step.Row.resize(count);
    for (std::size_t a = 0; a < count; ++a) {
        const int n = around[a].Variable;
        Step.Neighbours[a] = n;
        Step.Row[a] = around[a].Slot;
        Step.Column[a] = SlotOf(n, V);
    }
    // The slots of every pair of neighbours, new ones for the fill.
    std::vector<int> slots(count * count, -1);
    for (std::size_t a = 0; a < count; ++a)
        for (std::size_t b = 0; b < count; ++b) {
            int& slot = slots[a * count + b];
            if (slot >= 0) continue;
            slot = SlotOf(Step.Neighbours[a], Step.Neighbours[b]);
            if (slot >= 0) continue;
            slot = FSlots++;
            if (FSymmetric) slots[b * count + a] = slot;
        }
    Step.Targets.clear();
    for (std::size_t a = 0; a < count; ++a)
        for (std::size_t b = FSymmetric ? a : 0; b < count; ++b) Step.Targets.push_back(slots[a * count + b]);
    for (std::size_t a = 0; a < count; ++a) {
        const int n = Step.Neighbours[a];
        auto& list = FAround[static_cast<std::size_t>(n)];
        list.erase(std::lower_bound(list.begin(), list.end(), TNeighbour{V, 0}, ByVariable));
        std::vector<TNeighbour> more;
        for (std::size_t b = 0; b < count; ++b)
            if (b != a) more.push_back({Step.Neighbours[b], slots[a * count + b]});
        Join(n, std::move(more));
    }
}

void TEliminationGraph::Merge(int D, int U) {
    std::vector<TNeighbour> more;
    for (const TNeighbour& w : Around(U)) {
        if (w.Variable == D || SlotOf(D, w.Variable) >= 0) continue;
        const int slot = FSlots++;
        more.push_back({w.Variable, slot});
        Join(w.Variable, {{D, FSymmetric ? slot : FSlots++}});
    }
    Join(D, std::move(more));
}

}  // namespace ravelon
