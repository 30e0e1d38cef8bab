// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/MinCostFlow.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <limits>

namespace ravelon {

namespace {

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

constexpr std::int64_t kNoPath = std::numeric_limits<std::int64_t>::max();

}  // namespace

TMinCostFlow::TMinCostFlow(int Nodes) : FNodes(Nodes), FOut(Ix(Nodes) + 2) {}

int TMinCostFlow::AddArc(int From, int To, std::int64_t Capacity, std::int64_t Cost) {
    const int a = static_cast<int>(FTo.size());
    auto add = [&](int from, int to, std::int64_t capacity, std::int64_t cost) {
        FFrom.push_back(from);
        FTo.push_back(to);
        FCapacity.push_back(capacity);
        FCost.push_back(cost);
        FFlow.push_back(0);
        FOut[Ix(from)].push_back(static_cast<int>(FTo.size()) - 1);
    };
    add(From, To, Capacity, Cost);
    add(To, From, 0, -Cost);
    return a;
}

bool TMinCostFlow::Augment(int Source, int Sink) {
    // Bellman-Ford by a queue: residual arcs may cost less than 0, but the
    // residual network of a cheapest flow has no negative cycle.
    std::vector<std::int64_t> dist(FOut.size(), kNoPath);
    std::vector<int> via(FOut.size(), -1);
    std::vector<bool> queued(FOut.size(), false);
    std::deque<int> queue{Source};
    dist[Ix(Source)] = 0;
    while (!queue.empty()) {
        const int v = queue.front();
        queue.pop_front();
        queued[Ix(v)] = false;
        for (const int a : FOut[Ix(v)]) {
            if (FFlow[Ix(a)] >= FCapacity[Ix(a)]) continue;
            const int w = FTo[Ix(a)];
            if (dist[Ix(v)] + FCost[Ix(a)] < dist[Ix(w)]) {
                dist[Ix(w)] = dist[Ix(v)] + FCost[Ix(a)];
                via[Ix(w)] = a;
                if (!queued[Ix(w)]) {
                    queued[Ix(w)] = true;
                    queue.push_back(w);
                }
            }
        }
    }
    if (dist[Ix(Sink)] == kNoPath) return false;
    std::int64_t amount = std::numeric_limits<std::int64_t>::max();
    for (int v = Sink; v != Source; v = FFrom[Ix(via[Ix(v)])])
        amount = std::min(amount, FCapacity[Ix(via[Ix(v)])] - FFlow[Ix(via[Ix(v)])]);
    for (int v = Sink; v != Source; v = FFrom[Ix(via[Ix(v)])]) {
        FFlow[Ix(via[Ix(v)])] += amount;
        FFlow[Ix(via[Ix(v)] ^ 1)] -= amount;
    }
    return true;
}

bool TMinCostFlow::Solve(const std::vector<std::int64_t>& Supply) {
    const int source = FNodes, sink = FNodes + 1;
    std::int64_t wanted = 0;
    std::vector<int> sinkArcs;
    for (int v = 0; v < FNodes; ++v) {
        const std::int64_t s = Supply[Ix(v)];
        if (s > 0) {
            AddArc(source, v, s, 0);
            wanted += s;
        } else if (s < 0) {
            sinkArcs.push_back(AddArc(v, sink, -s, 0));
        }
    }
    while (Augment(source, sink)) {
    }
    std::int64_t sent = 0;
    for (const int a : sinkArcs) sent += FFlow[Ix(a)];
    return sent == wanted;
}

}  // namespace ravelon
