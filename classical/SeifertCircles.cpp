// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/SeifertCircles.h"

#include <queue>
#include <stdexcept>
#include <string>
#include <utility>

namespace ravelon {

namespace {

std::size_t Node(std::int32_t c, std::int32_t p) { return static_cast<std::size_t>(KnotNode(c, p)); }
std::size_t Ix(std::int32_t c) { return static_cast<std::size_t>(c - 1); }

// The corner between the adjacent ports p and q of crossing c.
std::size_t CornerBetween(std::int32_t c, std::int32_t p, std::int32_t q) {
    return q == NextPort(p) ? Node(c, p) : Node(c, q);
}

// A code's ports as the circles see them: the entry port of the strand
// passing over (the graph's) and of the one passing under, per crossing.
struct TEntries {
    const TPortGraph& Graph;
    std::vector<std::int32_t> First, Second;

    bool IsEntry(std::size_t Node) const {
        const auto c = KnotCrossingOf(static_cast<std::int32_t>(Node));
        const auto p = KnotPortOf(static_cast<std::int32_t>(Node));
        return p == First[Ix(c)] || p == Second[Ix(c)];
    }
    // The exit port of the smoothing entered at port p of crossing c.
    std::int32_t ExitFrom(std::int32_t c, std::int32_t p) const {
        return OppositePort(p == Second[Ix(c)] ? First[Ix(c)] : Second[Ix(c)]);
    }
};

// The signs of the crossings, after checking that each has an over- and an
// under-strand and that every edge runs from an exit to an entry.
TEntries CheckedEntries(const TKnot& Code, const TPortGraph& g, TSeifertCircles& Out) {
    const auto n = static_cast<std::size_t>(g.Crossings);
    TEntries e{g, std::vector<std::int32_t>(n), std::vector<std::int32_t>(n)};
    Out.Crossings.resize(static_cast<std::size_t>(g.Crossings));
    for (std::int32_t c = 1; c <= g.Crossings; ++c) {
        e.First[Ix(c)] = Code.FCrossings[static_cast<std::size_t>(c)].FirstPort;
        e.Second[Ix(c)] = Code.FCrossings[static_cast<std::size_t>(c)].SecondPort;
        const std::int32_t f = e.First[Ix(c)], s = e.Second[Ix(c)];
        if (s < 1 || s > 4 || (f - s) % 2 == 0)
            throw std::invalid_argument("crossing " + std::to_string(c) + " has no over- and under-strand");
        Out.Crossings[Ix(c)].Sign = SignOf(Code.FCrossings[static_cast<std::size_t>(c)]);
    }
    for (std::size_t v = 0; v < g.Mate.size(); ++v)
        if (e.IsEntry(v) == e.IsEntry(static_cast<std::size_t>(g.Mate[v])))
            throw std::invalid_argument("an arc of crossing " + std::to_string(KnotCrossingOf(static_cast<std::int32_t>(v))) +
                                        " does not run from an exit to an entry");
    return e;
}

// The circles: from an entry port through the smoothing to the exit port,
// along the edge to the next entry. The circle and the place along it of
// every entry port.
void TraceCircles(const TEntries& e, TSeifertCircles& Out, std::vector<int>& CircleAt, std::vector<int>& PlaceAt) {
    const TPortGraph& g = e.Graph;
    CircleAt.assign(g.Mate.size(), -1);
    PlaceAt.assign(g.Mate.size(), -1);
    for (std::size_t start = 0; start < g.Mate.size(); ++start) {
        if (!e.IsEntry(start) || CircleAt[start] != -1) continue;
        int place = 0;
        std::size_t node = start;
        while (CircleAt[node] == -1) {
            CircleAt[node] = Out.Circles;
            PlaceAt[node] = place++;
            const auto c = KnotCrossingOf(static_cast<std::int32_t>(node));
            node = static_cast<std::size_t>(g.Mate[Node(c, e.ExitFrom(c, KnotPortOf(static_cast<std::int32_t>(node))))]);
        }
        ++Out.Circles;
    }
}

// The depth of every region from the outside region of its piece, through
// the circles between them (Left[i] and Right[i] are circle i's sides).
std::vector<int> RegionDepths(int Faces, TUnionFind& Regions, const std::vector<std::size_t>& Left,
                              const std::vector<std::size_t>& Right) {
    std::vector<std::vector<std::size_t>> next(static_cast<std::size_t>(Faces));
    for (std::size_t i = 0; i < Left.size(); ++i) {
        next[Left[i]].push_back(Right[i]);
        next[Right[i]].push_back(Left[i]);
    }
    std::vector<int> depth(static_cast<std::size_t>(Faces), -1);
    for (std::size_t root = 0; root < depth.size(); ++root) {
        if (Regions.Find(root) != root || depth[root] != -1) continue;
        depth[root] = 0;
        std::queue<std::size_t> todo;
        todo.push(root);
        while (!todo.empty()) {
            const std::size_t r = todo.front();
            todo.pop();
            for (const std::size_t m : next[r])
                if (depth[m] == -1) {
                    depth[m] = depth[r] + 1;
                    todo.push(m);
                }
        }
    }
    return depth;
}

// Regions of the plane cut by the circles: the two faces at every crossing
// that meet in its band are one region.
TUnionFind BandRegions(const TEntries& e, const std::vector<int>& Face, int Faces) {
    TUnionFind regions(static_cast<std::size_t>(Faces));
    for (std::int32_t c = 1; c <= e.Graph.Crossings; ++c) {
        const std::int32_t s = e.Second[Ix(c)], f = e.First[Ix(c)];
        regions.Join(static_cast<std::size_t>(Face[CornerBetween(c, s, f)]),
                     static_cast<std::size_t>(Face[CornerBetween(c, OppositePort(f), OppositePort(s))]));
    }
    return regions;
}

// The regions numbered from 0 in the order of their first faces.
std::vector<int> RegionNumbers(TUnionFind& Regions, int Faces) {
    std::vector<int> regionNumber(static_cast<std::size_t>(Faces), -1), numbers(static_cast<std::size_t>(Faces));
    int regionCount = 0;
    for (std::size_t f = 0; f < regionNumber.size(); ++f) {
        int& number = regionNumber[Regions.Find(f)];
        if (number < 0) number = regionCount++;
        numbers[f] = number;
    }
    return numbers;
}

}  // namespace

TSeifertCircles SeifertCirclesOf(const TKnot& Code) {
    const TPortGraph g = BuildPortGraph(Code);
    TSeifertCircles out;
    const TEntries e = CheckedEntries(Code, g, out);
    std::vector<int> circleAt, placeAt;
    TraceCircles(e, out, circleAt, placeAt);

    std::vector<int> face = CornerFacesOf(g, out.Faces);
    TUnionFind regions = BandRegions(e, face, out.Faces);

    // The sides of every circle, and the places of the crossings on them.
    std::vector<std::size_t> left(static_cast<std::size_t>(out.Circles), SIZE_MAX), right = left;
    auto side = [&](int circle, std::size_t l, std::size_t r) {
        const auto i = static_cast<std::size_t>(circle);
        if (left[i] == SIZE_MAX) {
            left[i] = l;
            right[i] = r;
        } else if (left[i] != l || right[i] != r) {
            throw std::logic_error("a Seifert circle with two different sides");
        }
    };
    for (std::int32_t c = 1; c <= g.Crossings; ++c) {
        const std::int32_t s = e.Second[Ix(c)], f = e.First[Ix(c)];
        TSeifertCrossing& x = out.Crossings[Ix(c)];
        x.Alpha = circleAt[Node(c, s)];
        x.Beta = circleAt[Node(c, f)];
        if (x.Alpha == x.Beta) throw std::logic_error("a crossing joins a Seifert circle with itself");
        x.AlphaPlace = placeAt[Node(c, s)];
        x.BetaPlace = placeAt[Node(c, f)];
        const std::size_t middle = regions.Find(static_cast<std::size_t>(face[CornerBetween(c, s, f)]));
        const std::size_t cutAlpha = regions.Find(static_cast<std::size_t>(face[CornerBetween(c, s, OppositePort(f))]));
        const std::size_t cutBeta = regions.Find(static_cast<std::size_t>(face[CornerBetween(c, f, OppositePort(s))]));
        // The band lies left of alpha at a positive crossing, left of beta at a negative one.
        if (x.Sign > 0) {
            side(x.Alpha, middle, cutAlpha);
            side(x.Beta, cutBeta, middle);
        } else {
            side(x.Alpha, cutAlpha, middle);
            side(x.Beta, middle, cutBeta);
        }
    }

    // A circle turns counter-clockwise when the outside lies on its right.
    const std::vector<int> depth = RegionDepths(out.Faces, regions, left, right);
    out.Turn.resize(static_cast<std::size_t>(out.Circles));
    for (std::size_t i = 0; i < left.size(); ++i) out.Turn[i] = depth[left[i]] > depth[right[i]] ? 1 : -1;
    for (TSeifertCrossing& x : out.Crossings) {
        const bool bandLeftOfAlpha = x.Sign > 0;
        x.InnerAlpha = bandLeftOfAlpha == (out.Turn[static_cast<std::size_t>(x.Alpha)] > 0);
        x.InnerBeta = !bandLeftOfAlpha == (out.Turn[static_cast<std::size_t>(x.Beta)] > 0);
    }
    out.Pieces = PiecesOf(g) + g.FreeLoops;
    out.FaceRegion = RegionNumbers(regions, out.Faces);
    out.CornerFace = std::move(face);
    return out;
}

}  // namespace ravelon
