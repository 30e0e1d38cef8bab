#include "knot/SeifertCircles.h"

#include <numeric>
#include <queue>
#include <stdexcept>
#include <string>
#include <utility>

namespace ravelon {

namespace {

// Union-find over 0 .. n - 1.
class TUnion {
public:
    explicit TUnion(std::size_t n) : Parent(n) { std::iota(Parent.begin(), Parent.end(), std::size_t{0}); }
    std::size_t Find(std::size_t x) {
        while (Parent[x] != x) x = Parent[x] = Parent[Parent[x]];
        return x;
    }
    void Join(std::size_t a, std::size_t b) { Parent[Find(a)] = Find(b); }

private:
    std::vector<std::size_t> Parent;
};

std::size_t Node(std::int32_t c, std::int32_t p) { return static_cast<std::size_t>(PortNode(c, p)); }

// The face of every corner, numbered from 0; returns the number of faces.
int LabelFaces(const TPortGraph& g, std::vector<int>& face) {
    face.assign(g.Mate.size(), -1);
    int faces = 0;
    for (std::size_t start = 0; start < g.Mate.size(); ++start) {
        if (face[start] != -1) continue;
        std::size_t corner = start;
        while (face[corner] == -1) {
            face[corner] = faces;
            const auto c = CrossingOfNode(static_cast<std::int32_t>(corner));
            const auto p = PortOfNode(static_cast<std::int32_t>(corner));
            corner = static_cast<std::size_t>(g.Mate[Node(c, NextPort(p))]);
        }
        ++faces;
    }
    return faces;
}

int CountPieces(const TPortGraph& g) {
    TUnion u(static_cast<std::size_t>(g.Crossings));
    for (std::size_t v = 0; v < g.Mate.size(); ++v)
        u.Join(static_cast<std::size_t>(CrossingOfNode(static_cast<std::int32_t>(v)) - 1),
               static_cast<std::size_t>(CrossingOfNode(g.Mate[v]) - 1));
    int pieces = 0;
    for (std::size_t c = 0; c < static_cast<std::size_t>(g.Crossings); ++c)
        if (u.Find(c) == c) ++pieces;
    return pieces;
}

// The corner between the adjacent ports p and q of crossing c.
std::size_t CornerBetween(std::int32_t c, std::int32_t p, std::int32_t q) {
    return q == NextPort(p) ? Node(c, p) : Node(c, q);
}

}  // namespace

std::vector<int> CornerFacesOf(const TPortGraph& Graph, int& Faces) {
    std::vector<int> face;
    Faces = LabelFaces(Graph, face);
    return face;
}

TDiagramFaces DiagramFacesOf(const TPortGraph& Graph) {
    std::vector<int> face;
    return {LabelFaces(Graph, face), CountPieces(Graph)};
}

TSeifertCircles SeifertCirclesOf(const TKnot& Code) {
    const TPortGraph g = BuildPortGraph(Code);
    const std::int32_t n = g.Crossings;
    TSeifertCircles out;
    out.Crossings.resize(static_cast<std::size_t>(n));
    std::vector<std::int32_t> second(static_cast<std::size_t>(n));
    auto isEntry = [&](std::size_t node) {
        const auto c = CrossingOfNode(static_cast<std::int32_t>(node));
        const auto p = PortOfNode(static_cast<std::int32_t>(node));
        const auto k = static_cast<std::size_t>(c - 1);
        return p == g.FirstPort[k] || p == second[k];
    };
    for (std::int32_t c = 1; c <= n; ++c) {
        const auto k = static_cast<std::size_t>(c - 1);
        second[k] = Code.FCrossings[static_cast<std::size_t>(c)].SecondPort;
        const std::int32_t f = g.FirstPort[k], s = second[k];
        if (s < 1 || s > 4 || (f - s) % 2 == 0)
            throw std::invalid_argument("crossing " + std::to_string(c) + " has no over- and under-strand");
        out.Crossings[k].Sign = f == NextPort(s) ? 1 : -1;
    }
    for (std::size_t v = 0; v < g.Mate.size(); ++v)
        if (isEntry(v) == isEntry(static_cast<std::size_t>(g.Mate[v])))
            throw std::invalid_argument("an arc of crossing " + std::to_string(CrossingOfNode(static_cast<std::int32_t>(v))) +
                                        " does not run from an exit to an entry");

    // Circles: from an entry port through the smoothing to the exit port,
    // along the edge to the next entry.
    std::vector<int> circleAt(g.Mate.size(), -1), placeAt(g.Mate.size(), -1);
    for (std::size_t start = 0; start < g.Mate.size(); ++start) {
        if (!isEntry(start) || circleAt[start] != -1) continue;
        int place = 0;
        std::size_t node = start;
        while (circleAt[node] == -1) {
            circleAt[node] = out.Circles;
            placeAt[node] = place++;
            const auto c = CrossingOfNode(static_cast<std::int32_t>(node));
            const auto p = PortOfNode(static_cast<std::int32_t>(node));
            const auto k = static_cast<std::size_t>(c - 1);
            const std::int32_t exit = OppositePort(p == second[k] ? g.FirstPort[k] : second[k]);
            node = static_cast<std::size_t>(g.Mate[Node(c, exit)]);
        }
        ++out.Circles;
    }

    // Regions of the plane cut by the circles, and the sides of every circle.
    std::vector<int> face;
    out.Faces = LabelFaces(g, face);
    TUnion regions(static_cast<std::size_t>(out.Faces));
    for (std::int32_t c = 1; c <= n; ++c) {
        const auto k = static_cast<std::size_t>(c - 1);
        const std::int32_t s = second[k], f = g.FirstPort[k];
        regions.Join(static_cast<std::size_t>(face[CornerBetween(c, s, f)]),
                     static_cast<std::size_t>(face[CornerBetween(c, OppositePort(f), OppositePort(s))]));
    }
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
    for (std::int32_t c = 1; c <= n; ++c) {
        const auto k = static_cast<std::size_t>(c - 1);
        const std::int32_t s = second[k], f = g.FirstPort[k];
        TSeifertCrossing& x = out.Crossings[k];
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

    // Depth of every region from the outside region of its piece.
    std::vector<std::vector<std::size_t>> next(static_cast<std::size_t>(out.Faces));
    for (std::size_t i = 0; i < left.size(); ++i) {
        next[left[i]].push_back(right[i]);
        next[right[i]].push_back(left[i]);
    }
    std::vector<int> depth(static_cast<std::size_t>(out.Faces), -1);
    for (std::size_t root = 0; root < depth.size(); ++root) {
        if (regions.Find(root) != root || depth[root] != -1) continue;
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
    out.Turn.resize(static_cast<std::size_t>(out.Circles));
    for (std::size_t i = 0; i < left.size(); ++i) out.Turn[i] = depth[left[i]] > depth[right[i]] ? 1 : -1;
    for (std::int32_t c = 1; c <= n; ++c) {
        TSeifertCrossing& x = out.Crossings[static_cast<std::size_t>(c - 1)];
        const bool bandLeftOfAlpha = x.Sign > 0;
        x.InnerAlpha = bandLeftOfAlpha == (out.Turn[static_cast<std::size_t>(x.Alpha)] > 0);
        x.InnerBeta = !bandLeftOfAlpha == (out.Turn[static_cast<std::size_t>(x.Beta)] > 0);
    }
    out.Pieces = CountPieces(g) + g.FreeLoops;
    std::vector<int> regionNumber(static_cast<std::size_t>(out.Faces), -1);
    int regionCount = 0;
    out.FaceRegion.resize(static_cast<std::size_t>(out.Faces));
    for (std::size_t f = 0; f < regionNumber.size(); ++f) {
        int& number = regionNumber[regions.Find(f)];
        if (number < 0) number = regionCount++;
        out.FaceRegion[f] = number;
    }
    out.CornerFace = std::move(face);
    return out;
}

}  // namespace ravelon
