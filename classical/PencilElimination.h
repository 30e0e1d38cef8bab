// SPDX-License-Identifier: GPL-3.0-or-later
// The values of det(V - t V^T) modulo large primes at many points t, for a
// sparse integer matrix V, by elimination in an order found once.
//
// Data model: a plan is the elimination of V - t V^T at one trial point
// modulo one prime, pivots on the diagonal in the order of least degree
// (classical/EliminationGraph.h), as the list of what every step does to the
// slots of the entries: the pivot, the column and row it clears and the
// entries it updates, and the rows merged into others where no diagonal
// entry was left that is not 0 (adding a row to another keeps the
// determinant). The determinant is then the product of the pivots. At any
// other point and prime the same steps are replayed on a batch of points at
// once, the values of every slot side by side; a point at which a pivot of
// the plan is 0 is eliminated again with its own choice of pivots. A matrix
// singular at the trial point has no plan: every point is eliminated with
// its own pivots.
#pragma once

#include <cstdint>
#include <vector>

#include "classical/Montgomery.h"
#include "knot/Progress.h"
#include "classical/SparseMatrix.h"

namespace ravelon {

// The elimination of one pencil V - t V^T, ready for many points.
class TPencilElimination {
public:
    // Finds the plan. Progress is looked at for the word to stop.
    explicit TPencilElimination(const TSparseMatrix& V, const TProgress* Progress = nullptr);

    // det(V - t V^T) modulo the prime of M for every t of Points (residues
    // below the prime, not in Montgomery form), as residues.
    std::vector<std::uint64_t> Values(const TMontgomery& M, const std::vector<std::uint64_t>& Points) const;

    // True when the matrix was singular at the trial point (no plan).
    bool Singular() const { return FSingular; }
    // The slots of the plan and the work of one point: the updates of all
    // its steps.
    int Slots() const { return FSlots; }
    std::size_t Updates() const { return FTargets.size(); }

private:
    // A step of the plan: a pivot with Count neighbours (its column slots in
    // From, its row slots in To, its updates in Targets from TargetOffset,
    // row after row), or a merge of Count slots (From) into others (To).
    struct TStep {
        bool Merge = false;
        int Pivot = 0;
        std::size_t Count = 0;
        std::size_t Offset = 0;
        std::size_t TargetOffset = 0;
    };
    // The slots of an entry of V and of its transpose.
    struct TEntrySlots {
        int Entry = 0;
        int Transposed = 0;
    };

    // det(V - t V^T) at T (in Montgomery form), eliminated with its own
    // pivots; with Record, its steps become Record's plan.
    static std::uint64_t Eliminate(const TSparseMatrix& V, const TProgress* Progress, const TMontgomery& M,
                                   std::uint64_t T, TPencilElimination* Record);
    // The values of a batch of Count points by the plan; Failed[i] is set
    // for a point at which a pivot is 0.
    void Replay(const TMontgomery& M, const std::uint64_t* Points, std::size_t Count, std::uint64_t* Values,
                char* Failed) const;

    TSparseMatrix FV;
    const TProgress* FProgress;
    bool FSingular = false;
    int FSlots = 0;
    std::vector<TEntrySlots> FEntrySlots;
    std::vector<TStep> FSteps;
    std::vector<int> FFrom, FTo, FTargets;
};

}  // namespace ravelon
