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

    // Replaces the tangle of the Count crossings Tangle by the arcs of its one
    // pairing when its value is a single term; true when it did.
    bool TryRemove(std::array<std::int32_t, MaxTangle> Tangle, std::size_t Count) {
        // Local port k is port PortOf(k) of Tangle[CrossingOf(k)]; -1 for a node outside.
        const std::size_t ports = 4 * Count;
        auto local = [&](std::int32_t Node) -> int {
            for (std::size_t i = 0; i < Count; ++i)
                if (CrossingOf(Node) == Tangle[i]) return static_cast<int>(NodeOf(static_cast<std::int32_t>(i), PortOf(Node)));
            return -1;
        };
        auto node = [&](int k) { return NodeOf(Tangle[static_cast<std::size_t>(CrossingOf(k))], PortOf(k)); };
        std::array<int, 4 * MaxTangle> mateOf{};
        for (std::size_t k = 0; k < ports; ++k) mateOf[k] = local(Mate(node(static_cast<int>(k))));
        const bool closed = std::find(mateOf.begin(), mateOf.begin() + static_cast<std::ptrdiff_t>(ports), -1) ==
                            mateOf.begin() + static_cast<std::ptrdiff_t>(ports);

        // For every pairing of the outer ends (the partner of each local port
        // that is an outer end, -1 elsewhere), its value.
        std::map<std::array<int, 4 * MaxTangle>, TSmallPoly> values;
        for (unsigned state = 0; state < (1u << Count); ++state) {
            std::array<int, 4 * MaxTangle> across{};
            std::int64_t exponent = 0;
            for (std::size_t i = 0; i < Count; ++i) {
                const bool first = (state >> i & 1u) == 0;
                exponent += first ? 1 : -1;
                const std::int32_t f = FGraph.FirstPort[static_cast<std::size_t>(Tangle[i])];
                const auto local = static_cast<std::int32_t>(i);
                for (std::int32_t q = 0; q < 4; ++q)
                    across[static_cast<std::size_t>(NodeOf(local, q))] = NodeOf(local, SmoothingPartner(f, first ? 1 : 2, q));
            }
            std::array<int, 4 * MaxTangle> pairing{};
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
                    if (mateOf[static_cast<std::size_t>(out)] < 0) return out;
                    k = mateOf[static_cast<std::size_t>(out)];
                    if (k == start) return -1;
                }
            };
            for (std::size_t k = 0; k < ports; ++k) {
                if (mateOf[k] >= 0 || seen[k]) continue;
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
            AddState(values[pairing], exponent, closed ? loops - 1 : loops);
        }

        // One pairing with the value d^k times a single term: k more loops.
        for (auto& [pairing, value] : values) std::erase_if(value, [](const auto& Term) { return Term.second == 0; });
        std::erase_if(values, [](const auto& Entry) { return Entry.second.empty(); });
        if (values.size() != 1) return false;
        const std::array<int, 4 * MaxTangle>* only = &values.begin()->first;
        TSmallPoly& value = values.begin()->second;
        const int extraLoops = DivideByLoops(value);
        if (value.size() != 1) return false;
        const auto [exponent, coefficient] = *value.begin();
        if (coefficient != 1 && coefficient != -1) return false;

        for (std::size_t k = 0; k < ports; ++k) {
            const int partner = (*only)[k];
            if (partner < static_cast<int>(k)) continue;
            const std::int32_t u = Mate(node(static_cast<int>(k))), v = Mate(node(partner));
            FGraph.Mate[static_cast<std::size_t>(u)] = v;
            FGraph.Mate[static_cast<std::size_t>(v)] = u;
        }
        for (std::size_t i = 0; i < Count; ++i) FAlive[static_cast<std::size_t>(Tangle[i])] = 0;
        FGraph.FreeLoops += extraLoops + (closed ? 1 : 0);
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
