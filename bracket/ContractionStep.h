// SPDX-License-Identifier: GPL-3.0-or-later
// One step of the contraction: taking one crossing into the taken part.
//
// Data model: before the step the boundary ends are the old slots 0 to
// OldWidth - 1, after it the new slots 0 to NewWidth - 1. Each of the four
// ports j (0 to 3, port j + 1 of the crossing) is joined either to an old slot
// (Link), or to another port of the same crossing (Internal), or to a crossing
// not taken yet, which makes it a new slot (NewOfPort). Old slots not joined to
// the crossing stay boundary ends (NewOfOld). Smoothing[k] pairs the ports for
// the smoothing of kind k + 1.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "knot/PortGraph.h"

namespace ravelon {

// How one crossing joins the boundary, and how its smoothings rejoin it.
class TContractionStep {
public:
    // The step that takes Crossing (0-based) when the boundary ends are the
    // nodes SlotNodes; Taken marks the crossings taken before it.
    TContractionStep(const TPortGraph& Graph, std::int32_t Crossing, const std::vector<std::int32_t>& SlotNodes,
                     const std::vector<char>& Taken);

    int OldWidth() const { return FOldWidth; }
    int NewWidth() const { return static_cast<int>(FNewSlotNodes.size()); }
    // The nodes of the boundary ends after the step.
    const std::vector<std::int32_t>& NewSlotNodes() const { return FNewSlotNodes; }

    // Smooths the crossing both ways in the state whose pairing of the old
    // slots is OldPairing: writes the pairing of the new slots of the
    // smoothing of kind k + 1 to NewPairing[k] and the number of loops it
    // closes (0 to 2) to Loops[k]. The ends that do not meet the crossing are
    // paired once for both.
    void ApplyBoth(const std::uint8_t* OldPairing, std::uint8_t* const NewPairing[2], int Loops[2]) const;

private:
    // The ends of the smoothing of Kind that reach the crossing: from the new
    // slots in Pending (their partners' old slots in PendingOld, Count of
    // them) and from the crossing's new slots; returns the loops closed.
    int Finish(int Kind, const std::uint8_t* OldPairing, std::uint8_t* NewPairing, const std::int32_t* Pending,
               const std::uint8_t* PendingOld, int Count) const;

    int FOldWidth = 0;
    std::vector<std::int32_t> FNewSlotNodes;
    std::vector<std::int32_t> FNewOfOld;
    std::vector<std::int8_t> FPortOfOld;
    std::array<std::int32_t, 4> FLink{};
    std::array<std::int32_t, 4> FInternal{};
    std::array<std::int32_t, 4> FNewOfPort{};
    std::array<std::array<std::int32_t, 4>, 2> FSmoothing{};
};

}  // namespace ravelon
