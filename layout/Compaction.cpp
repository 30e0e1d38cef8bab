// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/Compaction.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <stdexcept>

namespace ravelon {

namespace {

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

std::int32_t& Along(TPoint& P, int Axis) { return Axis == 0 ? P.X : P.Y; }

// The runs across Axis: vertices joined by edges perpendicular to it (edges
// of odd direction for the X axis, even for the Y axis). Run[v] numbers them.
std::vector<int> RunsAcross(const TOrthoGraph& G, int Axis, int& Count) {
    std::vector<int> run(Ix(G.VertexCount()), -1);
    Count = 0;
    for (int start = 0; start < G.VertexCount(); ++start) {
        if (run[Ix(start)] >= 0) continue;
        std::vector<int> todo{start};
        run[Ix(start)] = Count;
        while (!todo.empty()) {
            const int v = todo.back();
            todo.pop_back();
            for (int d = 1 - Axis; d < 4; d += 2)
                if (const int h = G.Slot(v, d); h >= 0 && run[Ix(G.To(h))] < 0) {
                    run[Ix(G.To(h))] = Count;
                    todo.push_back(G.To(h));
                }
        }
        ++Count;
    }
    return run;
}

// Longest paths along Axis over the edges pointing its way (direction 0 for
// X, 1 for Y): every run one past every run before it.
void LongestPaths(const TOrthoGraph& G, int Axis, std::vector<TPoint>& Points) {
    int count = 0;
    const std::vector<int> run = RunsAcross(G, Axis, count);
    std::vector<std::vector<int>> after(Ix(count));
    std::vector<int> before(Ix(count), 0);
    for (int h = 0; h < G.HalfEdgeCount(); ++h)
        if (G.Dir(h) == Axis) {
            after[Ix(run[Ix(G.From(h))])].push_back(run[Ix(G.To(h))]);
            ++before[Ix(run[Ix(G.To(h))])];
        }
    std::vector<int> at(Ix(count), 0), ready;
    for (int r = 0; r < count; ++r)
        if (before[Ix(r)] == 0) ready.push_back(r);
    int done = 0;
    while (!ready.empty()) {
        const int r = ready.back();
        ready.pop_back();
        ++done;
        for (const int s : after[Ix(r)]) {
            at[Ix(s)] = std::max(at[Ix(s)], at[Ix(r)] + 1);
            if (--before[Ix(s)] == 0) ready.push_back(s);
        }
    }
    if (done != count) throw std::logic_error("orthogonal directions that go round in a circle");
    for (int v = 0; v < G.VertexCount(); ++v) Along(Points[Ix(v)], Axis) = at[Ix(run[Ix(v)])];
}

// One pass of Compact along Axis; true when a run moved.
bool CompactAxis(const TOrthoGraph& G, int Axis, std::vector<TPoint>& Points) {
    int count = 0;
    const std::vector<int> run = RunsAcross(G, Axis, count);
    struct TRun {
        std::int32_t At = 0, Low = 0, High = 0;
    };
    std::vector<TRun> runs(Ix(count));
    std::vector<bool> begun(Ix(count), false);
    for (int v = 0; v < G.VertexCount(); ++v) {
        TRun& r = runs[Ix(run[Ix(v)])];
        const std::int32_t across = Along(Points[Ix(v)], 1 - Axis);
        if (!begun[Ix(run[Ix(v)])]) r = {Along(Points[Ix(v)], Axis), across, across};
        begun[Ix(run[Ix(v)])] = true;
        r.Low = std::min(r.Low, across);
        r.High = std::max(r.High, across);
    }
    std::vector<int> order(Ix(count));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return runs[Ix(a)].At < runs[Ix(b)].At; });
    std::vector<std::int32_t> moved(Ix(count), 0);
    bool changed = false;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const TRun& r = runs[Ix(order[i])];
        std::int32_t at = 0;
        for (std::size_t j = 0; j < i; ++j) {
            const TRun& s = runs[Ix(order[j])];
            if (s.At < r.At && s.Low <= r.High && r.Low <= s.High) at = std::max(at, moved[Ix(order[j])] + 1);
        }
        moved[Ix(order[i])] = at;
        changed = changed || at != r.At;
    }
    for (int v = 0; v < G.VertexCount(); ++v) Along(Points[Ix(v)], Axis) = moved[Ix(run[Ix(v)])];
    return changed;
}

}  // namespace

std::vector<TPoint> GridOf(const TOrthoGraph& G) {
    std::vector<TPoint> points(Ix(G.VertexCount()));
    LongestPaths(G, 0, points);
    LongestPaths(G, 1, points);
    return points;
}

void Compact(const TOrthoGraph& G, std::vector<TPoint>& Points) {
    for (int pass = 0; pass < 8; ++pass) {
        const bool x = CompactAxis(G, 0, Points);
        const bool y = CompactAxis(G, 1, Points);
        if (!x && !y) return;
    }
}

}  // namespace ravelon
