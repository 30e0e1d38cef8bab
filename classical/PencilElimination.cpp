// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/PencilElimination.h"

#include <algorithm>

#include "classical/EliminationGraph.h"

namespace ravelon {

namespace {

// The points of one batch of a replay: enough to share the work of reading
// the plan, few enough that the slots of a large plan stay within some MiB.
std::size_t BatchPoints(int Slots) {
    return std::clamp<std::size_t>((std::size_t{1} << 21) / (static_cast<std::size_t>(Slots) + 1), 1, 32);
}

// A fixed trial point: far from the small points the values are asked for.
constexpr std::uint64_t TrialPoint = 0x2545f4914f6cdd1dULL;

}  // namespace

TPencilElimination::TPencilElimination(const TSparseMatrix& V, const TProgress* Progress) : FV(V), FProgress(Progress) {
    const TMontgomery m(FirstModulus());
    Eliminate(FV, FProgress, m, TrialPoint % m.Prime(), this);
}

std::uint64_t TPencilElimination::Eliminate(const TSparseMatrix& V, const TProgress* Progress, const TMontgomery& M,
                                            std::uint64_t T, TPencilElimination* Record) {
    TEliminationGraph graph(V, false);
    std::vector<std::uint64_t> value(static_cast<std::size_t>(graph.Slots()), 0);
    const std::uint64_t t = M.From(static_cast<std::int64_t>(T));
    for (const TMatrixEntry& e : V.Entries) {
        const int entry = graph.SlotOf(e.Row, e.Column), transposed = graph.SlotOf(e.Column, e.Row);
        const std::uint64_t a = M.From(e.Value);
        auto& x = value[static_cast<std::size_t>(entry)];
        x = M.Add(x, a);
        auto& y = value[static_cast<std::size_t>(transposed)];
        y = M.Sub(y, M.Mul(a, t));
        if (Record) Record->FEntrySlots.push_back({entry, transposed});
    }
    auto at = [&](int Slot) -> std::uint64_t& { return value[static_cast<std::size_t>(Slot)]; };
    std::uint64_t det = M.One();
    TEliminationStep step;
    while (graph.Active() > 0) {
        CheckCancelled(Progress);
        int v = graph.Smallest([&](int W) { return at(graph.DiagonalSlot(W)) != 0; });
        if (v < 0) {
            // No diagonal entry is left that is not 0: a row U whose entry
            // in the column of D is not 0 is added to row D (its diagonal
            // entry, 0, to the entry (D, U)).
            int u = -1;
            v = graph.Smallest([&](int W) {
                for (const TNeighbour& n : graph.Around(W))
                    if (at(graph.SlotOf(n.Variable, W)) != 0) {
                        u = n.Variable;
                        return true;
                    }
                return false;
            });
            if (v < 0) {
                if (Record) Record->FSingular = true;
                return 0;
            }
            graph.Merge(v, u);
            value.resize(static_cast<std::size_t>(graph.Slots()), 0);
            const std::size_t offset = Record ? Record->FFrom.size() : 0;
            std::vector<std::pair<int, int>> moves{{graph.DiagonalSlot(u), graph.SlotOf(v, u)}};
            for (const TNeighbour& w : graph.Around(u))
                moves.emplace_back(w.Slot, w.Variable == v ? graph.DiagonalSlot(v) : graph.SlotOf(v, w.Variable));
            for (const auto& [from, to] : moves) {
                at(to) = M.Add(at(to), at(from));
                if (Record) {
                    Record->FFrom.push_back(from);
                    Record->FTo.push_back(to);
                }
            }
            if (Record) Record->FSteps.push_back({true, 0, moves.size(), offset, 0});
        }
        const int pivot = graph.DiagonalSlot(v);
        det = M.Mul(det, at(pivot));
        const std::uint64_t inverse = M.Inverse(at(pivot));
        graph.Eliminate(v, step);
        value.resize(static_cast<std::size_t>(graph.Slots()), 0);
        const std::size_t count = step.Neighbours.size();
        for (std::size_t a = 0; a < count; ++a) {
            const std::uint64_t l = M.Mul(at(step.Column[a]), inverse);
            if (l == 0) continue;
            for (std::size_t b = 0; b < count; ++b) {
                std::uint64_t& x = at(step.Targets[a * count + b]);
                x = M.Sub(x, M.Mul(l, at(step.Row[b])));
            }
        }
        if (Record) {
            Record->FSteps.push_back({false, pivot, count, Record->FFrom.size(), Record->FTargets.size()});
            Record->FFrom.insert(Record->FFrom.end(), step.Column.begin(), step.Column.end());
            Record->FTo.insert(Record->FTo.end(), step.Row.begin(), step.Row.end());
            Record->FTargets.insert(Record->FTargets.end(), step.Targets.begin(), step.Targets.end());
        }
    }
    if (Record) Record->FSlots = graph.Slots();
    return det;
}

void TPencilElimination::Replay(const TMontgomery& M, const std::uint64_t* Points, std::size_t Count,
                                std::uint64_t* Values, char* Failed) const {
    const std::size_t b = Count;
    std::vector<std::uint64_t> value(static_cast<std::size_t>(FSlots) * b, 0);
    auto row = [&](int Slot) { return value.data() + static_cast<std::size_t>(Slot) * b; };
    std::vector<std::uint64_t> t(b), inverse(b), l(b), prefix(b);
    for (std::size_t i = 0; i < b; ++i) t[i] = M.From(static_cast<std::int64_t>(Points[i]));
    for (std::size_t k = 0; k < FV.Entries.size(); ++k) {
        const std::uint64_t a = M.From(FV.Entries[k].Value);
        std::uint64_t* x = row(FEntrySlots[k].Entry);
        std::uint64_t* y = row(FEntrySlots[k].Transposed);
        for (std::size_t i = 0; i < b; ++i) {
            x[i] = M.Add(x[i], a);
            y[i] = M.Sub(y[i], M.Mul(a, t[i]));
        }
    }
    for (std::size_t i = 0; i < b; ++i) {
        Values[i] = M.One();
        Failed[i] = 0;
    }
    // The word to stop is looked at every few million updates.
    std::size_t work = 0;
    for (const TStep& step : FSteps) {
        work += (step.Count * step.Count + 1) * b;
        if (work > (std::size_t{1} << 22)) {
            CheckCancelled(FProgress);
            work = 0;
        }
        if (step.Merge) {
            for (std::size_t k = step.Offset; k < step.Offset + step.Count; ++k) {
                std::uint64_t* to = row(FTo[k]);
                const std::uint64_t* from = row(FFrom[k]);
                for (std::size_t i = 0; i < b; ++i) to[i] = M.Add(to[i], from[i]);
            }
            continue;
        }
        // The inverses of the pivots of all points with one inversion; a
        // pivot of 0 fails its point and counts as 1.
        const std::uint64_t* pivot = row(step.Pivot);
        std::uint64_t product = M.One();
        for (std::size_t i = 0; i < b; ++i) {
            const std::uint64_t p = pivot[i] != 0 ? pivot[i] : M.One();
            if (pivot[i] == 0) Failed[i] = 1;
            Values[i] = M.Mul(Values[i], p);
            prefix[i] = product;
            product = M.Mul(product, p);
        }
        std::uint64_t rest = M.Inverse(product);
        for (std::size_t i = b; i-- > 0;) {
            const std::uint64_t p = pivot[i] != 0 ? pivot[i] : M.One();
            inverse[i] = M.Mul(rest, prefix[i]);
            rest = M.Mul(rest, p);
        }
        for (std::size_t a = 0; a < step.Count; ++a) {
            const std::uint64_t* column = row(FFrom[step.Offset + a]);
            for (std::size_t i = 0; i < b; ++i) l[i] = M.Mul(column[i], inverse[i]);
            const int* targets = FTargets.data() + step.TargetOffset + a * step.Count;
            for (std::size_t c = 0; c < step.Count; ++c) {
                std::uint64_t* x = row(targets[c]);
                const std::uint64_t* y = row(FTo[step.Offset + c]);
                for (std::size_t i = 0; i < b; ++i) x[i] = M.Sub(x[i], M.Mul(l[i], y[i]));
            }
        }
    }
}

std::vector<std::uint64_t> TPencilElimination::Values(const TMontgomery& M, const std::vector<std::uint64_t>& Points) const {
    std::vector<std::uint64_t> values(Points.size());
    if (FSingular) {
        for (std::size_t i = 0; i < Points.size(); ++i)
            values[i] = M.ToPlain(Eliminate(FV, FProgress, M, Points[i], nullptr));
        return values;
    }
    const std::size_t batch = BatchPoints(FSlots);
    std::vector<char> failed(batch);
    for (std::size_t first = 0; first < Points.size(); first += batch) {
        CheckCancelled(FProgress);
        const std::size_t count = std::min(batch, Points.size() - first);
        Replay(M, Points.data() + first, count, values.data() + first, failed.data());
        for (std::size_t i = 0; i < count; ++i) {
            if (!failed[i]) {
                values[first + i] = M.ToPlain(values[first + i]);
                continue;
            }
            values[first + i] = M.ToPlain(Eliminate(FV, FProgress, M, Points[first + i], nullptr));
        }
    }
    return values;
}

}  // namespace ravelon
