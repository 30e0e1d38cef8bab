// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/Simplify.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace ravelon {

namespace {

// A polynomial in A with small coefficients: exponent -> coefficient.
using TSmallPoly = std::map<std::int64_t, std::int64_t>;

// The most crossings a tangle may have.
constexpr std::size_t MaxTangle = 2;

// Adds A^Exponent d^Loops to Sum, d^L = (-1)^L sum_j C(L, j) A^(2L - 4j).
void AddState(TSmallPoly& Sum, std::int64_t Exponent, int Loops) {
    std::int64_t binomial = 1;
    for (int j = 0; j <= Loops; ++j) {
        Sum[Exponent + 2 * Loops - 4 * j] += Loops % 2 != 0 ? -binomial : binomial;
        binomial = binomial * (Loops - j) / (j + 1);
    }
}

// Divides Value by d = -A^2 - A^-2 as long as d divides it; returns how often.
int DivideByLoops(TSmallPoly& Value) {
    int times = 0;
    while (!Value.empty()) {
        // Value = d Q, from the top: Q's top term is -c A^(e - 2).
        TSmallPoly rest = Value, quotient;
        const std::int64_t lowest = rest.begin()->first;
        while (!rest.empty()) {
            const auto [e, c] = *rest.rbegin();
            if (e - 4 < lowest) return times;
            quotient[e - 2] = -c;
            rest.erase(e);
            if ((rest[e - 4] -= c) == 0) rest.erase(e - 4);
        }
        Value = std::move(quotient);
        ++times;
    }
    return times;
}

// The crossing code being simplified, with the factor of the removals so far.
class TSimplifier {
public:
    explicit TSimplifier(const TPortGraph& Graph)
        : FGraph(Graph), FAlive(static_cast<std::size_t>(Graph.Crossings), 1) {}

    void Run() {
        bool changed = true;
        while (changed) {
            changed = false;
            for (std::int32_t c = 0; c < FGraph.Crossings; ++c) {
                if (!FAlive[static_cast<std::size_t>(c)]) continue;
                if (TryRemove({c}, 1)) {
                    changed = true;
                    continue;
                }
                for (std::int32_t j = 0; j < 4; ++j) {
                    const std::int32_t b = Neighbour(FGraph, c, j);
                    if (b != c && TryRemove({c, b}, 2)) {
                        changed = true;
                        break;
                    }
                }
            }
        }
    }

    TSimplified Result() const {
        TSimplified r;
        r.Sign = FSign;
        r.Shift = FShift;
        std::vector<std::int32_t> renumber(FAlive.size(), -1);
        std::int32_t n = 0;
        for (std::size_t c = 0; c < FAlive.size(); ++c)
            if (FAlive[c]) renumber[c] = n++;
        r.Graph.Crossings = n;
        r.Graph.FreeLoops = FGraph.FreeLoops;
        for (std::size_t c = 0; c < FAlive.size(); ++c) {
            if (!FAlive[c]) continue;
            r.Graph.FirstPort.push_back(FGraph.FirstPort[c]);
            for (std::size_t j = 0; j < 4; ++j) {
                const std::int32_t mate = FGraph.Mate[4 * c + j];
                r.Graph.Mate.push_back(NodeOf(renumber[static_cast<std::size_t>(CrossingOf(mate))], PortOf(mate)));
            }
        }
        return r;
    }

private:
    std::int32_t Mate(std::int32_t Node) const { return FGraph.Mate[static_cast<std::size_t>(Node)]; }

    // A tangle of one or two crossings as local ports: local port k is port
    // PortOf(k) of Tangle[CrossingOf(k)]; MateOf[k] is the local port its
    // edge leads to, -1 for an edge leaving the tangle.
    struct TTangle {
        std::array<std::int32_t, MaxTangle> Crossings{};
        std::size_t Count = 0;
        std::array<int, 4 * MaxTangle> MateOf{};
        bool Closed = false;  // no edge leaves it

        std::size_t Ports() const { return 4 * Count; }
        std::int32_t Node(int K) const { return NodeOf(Crossings[static_cast<std::size_t>(CrossingOf(K))], PortOf(K)); }
    };
    // For each pairing of a tangle's outer ends (the partner of every local
    // port that is an outer end, -1 elsewhere), its value.
    using TPairing = std::array<int, 4 * MaxTangle>;

    TTangle TangleOf(std::array<std::int32_t, MaxTangle> Crossings, std::size_t Count) const {
        TTangle t{Crossings, Count, {}, false};
        auto local = [&](std::int32_t Node) -> int {
            for (std::size_t i = 0; i < Count; ++i)
                if (CrossingOf(Node) == Crossings[i]) return static_cast<int>(NodeOf(static_cast<std::int32_t>(i), PortOf(Node)));
            return -1;
        };
        for (std::size_t k = 0; k < t.Ports(); ++k) t.MateOf[k] = local(Mate(t.Node(static_cast<int>(k))));
        const auto end = t.MateOf.begin() + static_cast<std::ptrdiff_t>(t.Ports());
        t.Closed = std::find(t.MateOf.begin(), end, -1) == end;
        return t;
    }

    // The value of every pairing of the tangle's outer ends: the sum over the
    // states that give it of A^(a - b) d^loops.
    std::map<TPairing, TSmallPoly> PairingValues(const TTangle& T) const {
        std::map<TPairing, TSmallPoly> values;
        const std::size_t ports = T.Ports();
        for (unsigned state = 0; state < (1u << T.Count); ++state) {
            TPairing across{};
            std::int64_t exponent = 0;
            for (std::size_t i = 0; i < T.Count; ++i) {
                const bool first = (state >> i & 1u) == 0;
                exponent += first ? 1 : -1;
                const std::int32_t f = FGraph.FirstPort[static_cast<std::size_t>(T.Crossings[i])];
                const auto local = static_cast<std::int32_t>(i);
                for (std::int32_t q = 0; q < 4; ++q)
                    across[static_cast<std::size_t>(NodeOf(local, q))] = NodeOf(local, SmoothingPartner(f, first ? 1 : 2, q));
            }
            TPairing pairing{};
            pairing.fill(-1);
            std::array<char, 4 * MaxTangle> seen{};
            // Follows a path from port k across the crossing and along inner
            // edges; returns the outer end it leaves by, or -1 back at k.
            auto follow = [&](int k) {
                const int start = k;
                while (true) {
                    seen[static_cast<std::size_t>(k)] = 1;
                    const int out = across[static_cast<std::size_t>(k)];
                    seen[static_cast<std::size_t>(out)] = 1;
                    if (T.MateOf[static_cast<std::size_t>(out)] < 0) return out;
                    k = T.MateOf[static_cast<std::size_t>(out)];
                    if (k == start) return -1;
                }
            };
            for (std::size_t k = 0; k < ports; ++k) {
                if (T.MateOf[k] >= 0 || seen[k]) continue;
                const int end = follow(static_cast<int>(k));
                pairing[k] = end;
                pairing[static_cast<std::size_t>(end)] = static_cast<int>(k);
            }
            int loops = 0;
            for (std::size_t k = 0; k < ports; ++k) {
                if (seen[k]) continue;
                ++loops;
                follow(static_cast<int>(k));
            }
            // A closed tangle keeps one of its loops as a free loop.
            AddState(values[pairing], exponent, T.Closed ? loops - 1 : loops);
        }
        for (auto& [pairing, value] : values) std::erase_if(value, [](const auto& Term) { return Term.second == 0; });
        std::erase_if(values, [](const auto& Entry) { return Entry.second.empty(); });
        return values;
    }

    // Replaces the tangle of the Count crossings Tangle by the arcs of its one
    // pairing when its value is a single term; true when it did.
    bool TryRemove(std::array<std::int32_t, MaxTangle> Tangle, std::size_t Count) {
        const TTangle t = TangleOf(Tangle, Count);
        std::map<TPairing, TSmallPoly> values = PairingValues(t);
        // One pairing with the value d^k times a single term: k more loops.
        if (values.size() != 1) return false;
        const TPairing& only = values.begin()->first;
        TSmallPoly& value = values.begin()->second;
        const int extraLoops = DivideByLoops(value);
        if (value.size() != 1) return false;
        const auto [exponent, coefficient] = *value.begin();
        if (coefficient != 1 && coefficient != -1) return false;

        for (std::size_t k = 0; k < t.Ports(); ++k) {
            const int partner = only[k];
            if (partner < static_cast<int>(k)) continue;
            const std::int32_t u = Mate(t.Node(static_cast<int>(k))), v = Mate(t.Node(partner));
            FGraph.Mate[static_cast<std::size_t>(u)] = v;
            FGraph.Mate[static_cast<std::size_t>(v)] = u;
        }
        for (std::size_t i = 0; i < Count; ++i) FAlive[static_cast<std::size_t>(Tangle[i])] = 0;
        FGraph.FreeLoops += extraLoops + (t.Closed ? 1 : 0);
        FSign *= static_cast<int>(coefficient);
        FShift += exponent;
        return true;
    }

    TPortGraph FGraph;
    std::vector<char> FAlive;
    int FSign = 1;
    std::int64_t FShift = 0;
};

}  // namespace

TSimplified Simplify(const TPortGraph& Graph) {
    TSimplifier s(Graph);
    s.Run();
    return s.Result();
}

}  // namespace ravelon
