// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/SeifertMatrix.h"

#include <algorithm>
#include <map>
#include <queue>
#include <stdexcept>
#include <utility>

#include "classical/SeifertCircles.h"
#include "classical/SeifertLinking.h"

namespace ravelon {

namespace {

using seifert::DiskCrossings;
using seifert::Inner;
using seifert::Place;
using seifert::TVisit;

// One passage of a generator through a band: the crossing and the circle it leaves.
struct TStep {
    int Crossing = 0;  // 0 .. n - 1
    int From = 0, To = 0;
};

// The generators: one cycle of the Seifert graph for every crossing outside
// a spanning forest.
std::vector<std::vector<TStep>> Generators(const TSeifertCircles& sc) {
    const auto circles = static_cast<std::size_t>(sc.Circles);
    std::vector<std::vector<std::pair<int, int>>> around(circles);  // (crossing, other circle)
    for (std::size_t x = 0; x < sc.Crossings.size(); ++x) {
        const TSeifertCrossing& c = sc.Crossings[x];
        around[static_cast<std::size_t>(c.Alpha)].push_back({static_cast<int>(x), c.Beta});
        around[static_cast<std::size_t>(c.Beta)].push_back({static_cast<int>(x), c.Alpha});
    }
    std::vector<int> parent(circles, -1), parentCrossing(circles, -1), depth(circles, -1);
    std::vector<bool> inTree(sc.Crossings.size(), false);
    for (std::size_t root = 0; root < circles; ++root) {
        if (depth[root] != -1) continue;
        depth[root] = 0;
        std::queue<std::size_t> todo;
        todo.push(root);
        while (!todo.empty()) {
            const std::size_t v = todo.front();
            todo.pop();
            for (const auto& [x, w] : around[v]) {
                const auto uw = static_cast<std::size_t>(w);
                if (depth[uw] != -1) continue;
                depth[uw] = depth[v] + 1;
                parent[uw] = static_cast<int>(v);
                parentCrossing[uw] = x;
                inTree[static_cast<std::size_t>(x)] = true;
                todo.push(uw);
            }
        }
    }
    std::vector<std::vector<TStep>> gens;
    for (std::size_t x = 0; x < sc.Crossings.size(); ++x) {
        if (inTree[x]) continue;
        const int u = sc.Crossings[x].Alpha, v = sc.Crossings[x].Beta;
        std::vector<TStep> steps{{static_cast<int>(x), u, v}};
        // From v up to the common ancestor, then down to u.
        std::vector<TStep> down;
        int a = v, b = u;
        while (a != b) {
            if (depth[static_cast<std::size_t>(a)] >= depth[static_cast<std::size_t>(b)]) {
                const int pa = parent[static_cast<std::size_t>(a)];
                steps.push_back({parentCrossing[static_cast<std::size_t>(a)], a, pa});
                a = pa;
            } else {
                const int pb = parent[static_cast<std::size_t>(b)];
                down.push_back({parentCrossing[static_cast<std::size_t>(b)], pb, b});
                b = pb;
            }
        }
        steps.insert(steps.end(), down.rbegin(), down.rend());
        gens.push_back(std::move(steps));
    }
    return gens;
}

// The disks a generator crosses, each with its way through, for transverse position Tau.
std::map<int, TVisit> Visits(const TSeifertCircles& sc, const std::vector<TStep>& steps, int Tau) {
    std::map<int, TVisit> visits;
    for (std::size_t t = 0; t < steps.size(); ++t) {
        const TStep& in = steps[t];
        const TStep& out = steps[(t + 1) % steps.size()];
        const int k = in.To;
        const TSeifertCrossing& xi = sc.Crossings[static_cast<std::size_t>(in.Crossing)];
        const TSeifertCrossing& xo = sc.Crossings[static_cast<std::size_t>(out.Crossing)];
        visits[k] = {Place(xi, k, Tau), Place(xo, k, Tau), Inner(xi, k), Inner(xo, k)};
    }
    return visits;
}

}  // namespace

TSeifertMatrix SeifertMatrixOf(const TKnot& Code) {
    const TSeifertCircles sc = SeifertCirclesOf(Code);
    const std::vector<std::vector<TStep>> gens = Generators(sc);
    const int count = static_cast<int>(gens.size());
    std::vector<std::map<int, TVisit>> plain, pushed;
    std::vector<std::map<int, int>> bands(gens.size());  // crossing -> circle left
    for (int i = 0; i < count; ++i) {
        const auto& steps = gens[static_cast<std::size_t>(i)];
        plain.push_back(Visits(sc, steps, 2 * i));
        pushed.push_back(Visits(sc, steps, 2 * i + 1));
        for (const TStep& s : steps) bands[static_cast<std::size_t>(i)][s.Crossing] = s.From;
    }
    TSeifertMatrix out;
    out.Pieces = sc.Pieces;
    out.V = TIntMatrix(count);
    for (int i = 0; i < count; ++i) {
        const auto ui = static_cast<std::size_t>(i);
        for (int j = 0; j < count; ++j) {
            const auto uj = static_cast<std::size_t>(j);
            int sum = 0;
            for (const auto& [k, a] : plain[ui]) {
                const auto b = pushed[uj].find(k);
                if (b != pushed[uj].end()) sum += DiskCrossings(a, 2 * i, b->second, 2 * j + 1, sc.Turn[static_cast<std::size_t>(k)]);
            }
            for (const auto& [x, from] : bands[ui]) {
                const auto b = bands[uj].find(x);
                if (b == bands[uj].end()) continue;
                const int sign = sc.Crossings[static_cast<std::size_t>(x)].Sign;
                sum += seifert::BandCrossing(sign, b->second == from);
            }
            if (sum % 2 != 0) throw std::logic_error("a Seifert matrix entry that is not whole");
            out.V(i, j) = sum / 2;
        }
    }
    return out;
}

}  // namespace ravelon
