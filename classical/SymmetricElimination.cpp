// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/SymmetricElimination.h"

#include <stdexcept>

#include "classical/EliminationGraph.h"

namespace ravelon {

namespace {

// The entries of the matrix being eliminated, each with the step of the
// delta it is scaled by.
class TScaledEntries {
public:
    explicit TScaledEntries(int Slots) : FValue(static_cast<std::size_t>(Slots)), FStep(static_cast<std::size_t>(Slots), 0) {
        FDelta.emplace_back(1);
    }

    void Resize(int Slots) {
        FValue.resize(static_cast<std::size_t>(Slots));
        FStep.resize(static_cast<std::size_t>(Slots), Steps());
    }
    std::size_t Steps() const { return FDelta.size() - 1; }
    const mpz_class& Delta() const { return FDelta.back(); }
    bool IsZero(int Slot) const { return sgn(FValue[static_cast<std::size_t>(Slot)]) == 0; }

    // The entry of Slot, scaled by the delta of now.
    mpz_class& At(int Slot) {
        const auto s = static_cast<std::size_t>(Slot);
        if (FStep[s] != Steps()) {
            mpz_mul(FValue[s].get_mpz_t(), FValue[s].get_mpz_t(), Delta().get_mpz_t());
            mpz_divexact(FValue[s].get_mpz_t(), FValue[s].get_mpz_t(), FDelta[FStep[s]].get_mpz_t());
            FStep[s] = Steps();
        }
        return FValue[s];
    }
    // Sets Slot to a value scaled by the next delta.
    void SetNext(int Slot, mpz_class Value) {
        FValue[static_cast<std::size_t>(Slot)] = std::move(Value);
        FStep[static_cast<std::size_t>(Slot)] = Steps() + 1;
    }
    void Advance(mpz_class Delta) { FDelta.push_back(std::move(Delta)); }

private:
    std::vector<mpz_class> FValue;
    std::vector<std::size_t> FStep;
    std::vector<mpz_class> FDelta;
};

}  // namespace

TInertia InertiaOf(const TSparseMatrix& S, TProgress* Progress, double Done, double Share) {
    TEliminationGraph graph(S, true);
    TScaledEntries n(graph.Slots());
    for (const TMatrixEntry& e : S.Entries)
        if (e.Row <= e.Column) n.At(graph.SlotOf(e.Row, e.Column)) += static_cast<long>(e.Value);
    TInertia inertia;
    TEliminationStep step;
    mpz_class product;
    while (graph.Active() > 0) {
        CheckCancelled(Progress);
        int v = graph.Smallest([&](int W) { return !n.IsZero(graph.DiagonalSlot(W)); });
        if (v < 0) {
            int u = -1;
            v = graph.Smallest([&](int W) {
                for (const TNeighbour& x : graph.Around(W))
                    if (!n.IsZero(x.Slot)) {
                        u = x.Variable;
                        return true;
                    }
                return false;
            });
            if (v < 0) break;
            graph.Merge(v, u);
            n.Resize(graph.Slots());
            // Every diagonal entry is 0 here: d + u, d = v, has the diagonal
            // entry 2 N(d, u), which is not.
            const int du = graph.SlotOf(v, u);
            n.At(graph.DiagonalSlot(v)) = 2 * n.At(du);
            for (const TNeighbour& w : graph.Around(u))
                if (w.Variable != v) n.At(graph.SlotOf(v, w.Variable)) += n.At(w.Slot);
        }
        const mpz_class pivot = n.At(graph.DiagonalSlot(v));
        (sgn(pivot) == sgn(n.Delta()) ? inertia.Positive : inertia.Negative) += 1;
        graph.Eliminate(v, step);
        n.Resize(graph.Slots());
        const std::size_t count = step.Neighbours.size();
        std::size_t target = 0;
        for (std::size_t a = 0; a < count; ++a)
            for (std::size_t b = a; b < count; ++b) {
                const int slot = step.Targets[target++];
                mpz_class value = pivot * n.At(slot);
                mpz_submul(value.get_mpz_t(), n.At(step.Row[a]).get_mpz_t(), n.At(step.Row[b]).get_mpz_t());
                mpz_divexact(value.get_mpz_t(), value.get_mpz_t(), n.Delta().get_mpz_t());
                n.SetNext(slot, std::move(value));
            }
        n.Advance(pivot);
        if (Progress != nullptr)
            Progress->Advance(Done + Share * (1 - static_cast<double>(graph.Active()) / static_cast<double>(S.N)));
    }
    inertia.Zero = graph.Active();
    inertia.Determinant = inertia.Zero > 0 ? mpz_class(0) : n.Delta();
    return inertia;
}

}  // namespace ravelon
