// SPDX-License-Identifier: GPL-3.0-or-later
#include "knot/PdCode.h"

#include <stdexcept>

namespace ravelon {

namespace {

// Where the ends of the edges lie: for every (crossing, port), the edge that
// ends there and the (crossing, port) at its other end.
class TPortMap {
public:
    explicit TPortMap(const TKnot& k) : Count(k.FCrossingCount()), EdgeAt(Slots(), 0), Partner(Slots(), 0) {
        for (int e = 1; e <= k.FEdgeCount(); ++e) {
            const TEdge& ed = k.FEdges[static_cast<std::size_t>(e)];
            if (!OnCrossing(ed.Crossing1, ed.Port1) || !OnCrossing(ed.Crossing2, ed.Port2)) continue;
            Set(ed.Crossing1, ed.Port1, e, Slot(ed.Crossing2, ed.Port2));
            Set(ed.Crossing2, ed.Port2, e, Slot(ed.Crossing1, ed.Port1));
        }
        for (std::size_t s = 0; s < EdgeAt.size(); ++s)
            if (EdgeAt[s] == 0) throw std::invalid_argument("a port of the crossing code has no edge");
    }
    bool OnCrossing(int c, int p) const { return c >= 1 && c <= Count && p >= 1 && p <= 4; }
    static std::size_t Slot(int c, int p) { return static_cast<std::size_t>(KnotNode(c, p)); }
    int Edge(int c, int p) const { return EdgeAt[Slot(c, p)]; }
    std::size_t PartnerOf(int c, int p) const { return Partner[Slot(c, p)]; }

private:
    std::size_t Slots() const { return static_cast<std::size_t>(4 * Count); }
    void Set(int c, int p, int e, std::size_t partner) {
        if (EdgeAt[Slot(c, p)] != 0 && EdgeAt[Slot(c, p)] != e)
            throw std::invalid_argument("a port of the crossing code has two edges");
        EdgeAt[Slot(c, p)] = e;
        Partner[Slot(c, p)] = partner;
    }
    int Count;
    std::vector<int> EdgeAt;
    std::vector<std::size_t> Partner;
};

}  // namespace

TPdCode MakePdCode(const TKnot& Knot) {
    const int n = Knot.FCrossingCount();
    const TPortMap ports(Knot);
    auto isEntry = [&](int c, int p) {
        const TCrossing& x = Knot.FCrossings[static_cast<std::size_t>(c)];
        return p == x.FirstPort || p == x.SecondPort;
    };
    for (int c = 1; c <= n; ++c) {
        const TCrossing& x = Knot.FCrossings[static_cast<std::size_t>(c)];
        if (x.FirstPort < 1 || x.FirstPort > 4 || x.SecondPort < 1 || x.SecondPort > 4 ||
            (x.FirstPort - x.SecondPort) % 2 == 0)
            throw std::invalid_argument("crossing " + std::to_string(c) + " has no over- and under-strand");
        for (int p = 1; p <= 4; ++p) {
            const std::size_t other = ports.PartnerOf(c, p);
            const int oc = KnotCrossingOf(static_cast<std::int32_t>(other)), op = KnotPortOf(static_cast<std::int32_t>(other));
            if (isEntry(c, p) == isEntry(oc, op))
                throw std::invalid_argument("an arc of crossing " + std::to_string(c) + " does not run from an exit to an entry");
        }
    }

    TPdCode pd;
    std::vector<int> label(static_cast<std::size_t>(Knot.FEdgeCount()) + 1, 0);
    int next = 1;
    for (int c = 1; c <= n; ++c) {
        const TCrossing& x = Knot.FCrossings[static_cast<std::size_t>(c)];
        for (const int entry : {x.FirstPort, x.SecondPort}) {
            if (label[static_cast<std::size_t>(ports.Edge(c, entry))] != 0) continue;
            ++pd.Components;
            // Follow the strand: the arc entering (cc, cp), out through the
            // opposite port, along the next arc to the next entry.
            int cc = c, cp = entry;
            while (label[static_cast<std::size_t>(ports.Edge(cc, cp))] == 0) {
                label[static_cast<std::size_t>(ports.Edge(cc, cp))] = next++;
                const int out = OppositePort(cp);
                const std::size_t to = ports.PartnerOf(cc, out);
                cc = KnotCrossingOf(static_cast<std::int32_t>(to));
                cp = KnotPortOf(static_cast<std::int32_t>(to));
            }
        }
    }
    for (int e = 1; e <= Knot.FEdgeCount(); ++e) {
        const TEdge& ed = Knot.FEdges[static_cast<std::size_t>(e)];
        if (!ports.OnCrossing(ed.Crossing1, ed.Port1)) ++pd.LoopsLeftOut;
    }
    pd.Components += pd.LoopsLeftOut;

    for (int c = 1; c <= n; ++c) {
        const std::int32_t under = Knot.FCrossings[static_cast<std::size_t>(c)].SecondPort - 1;
        std::array<int, 4> x{};
        for (std::int32_t i = 0; i < 4; ++i)
            x[static_cast<std::size_t>(i)] = label[static_cast<std::size_t>(ports.Edge(c, PdPort(under, i) + 1))];
        pd.Crossings.push_back(x);
    }
    return pd;
}

std::string PdText(const TPdCode& Pd) {
    std::string text = "PD[";
    for (std::size_t i = 0; i < Pd.Crossings.size(); ++i) {
        if (i > 0) text += ", ";
        const auto& x = Pd.Crossings[i];
        text += "X[" + std::to_string(x[0]) + ", " + std::to_string(x[1]) + ", " + std::to_string(x[2]) + ", " +
                std::to_string(x[3]) + "]";
    }
    return text + "]";
}

}  // namespace ravelon
