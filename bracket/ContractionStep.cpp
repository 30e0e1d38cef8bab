// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/ContractionStep.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace ravelon {

TContractionStep::TContractionStep(const TPortGraph& Graph, std::int32_t Crossing,
                                   const std::vector<std::int32_t>& SlotNodes, const std::vector<char>& Taken)
    : FOldWidth(static_cast<int>(SlotNodes.size())),
      FNewOfOld(SlotNodes.size(), 0),
      FPortOfOld(SlotNodes.size(), -1) {
    FLink.fill(-1);
    FInternal.fill(-1);
    FNewOfPort.fill(-1);
    for (std::int32_t j = 0; j < 4; ++j) {
        const std::int32_t mate = Graph.Mate[static_cast<std::size_t>(NodeOf(Crossing, j))];
        const std::int32_t other = CrossingOf(mate);
        if (other == Crossing) {
            FInternal[static_cast<std::size_t>(j)] = PortOf(mate);
        } else if (Taken[static_cast<std::size_t>(other)]) {
            const auto at = std::find(SlotNodes.begin(), SlotNodes.end(), mate);
            if (at == SlotNodes.end()) throw std::logic_error("an edge into the taken part is not on its boundary");
            const auto s = static_cast<std::size_t>(at - SlotNodes.begin());
            FLink[static_cast<std::size_t>(j)] = static_cast<std::int32_t>(s);
            FPortOfOld[s] = static_cast<std::int8_t>(j);
            FNewOfOld[s] = -1;
        }
    }
    for (std::size_t s = 0; s < SlotNodes.size(); ++s) {
        if (FNewOfOld[s] < 0) continue;
        FNewOfOld[s] = static_cast<std::int32_t>(FNewSlotNodes.size());
        FNewSlotNodes.push_back(SlotNodes[s]);
    }
    for (std::int32_t j = 0; j < 4; ++j) {
        const auto uj = static_cast<std::size_t>(j);
        if (FInternal[uj] >= 0 || FLink[uj] >= 0) continue;
        FNewOfPort[uj] = static_cast<std::int32_t>(FNewSlotNodes.size());
        FNewSlotNodes.push_back(NodeOf(Crossing, j));
    }
    const std::int32_t first = Graph.FirstPort[static_cast<std::size_t>(Crossing)];
    for (int kind = 0; kind < 2; ++kind)
        for (std::int32_t j = 0; j < 4; ++j)
            FSmoothing[static_cast<std::size_t>(kind)][static_cast<std::size_t>(j)] = SmoothingPartner(first, kind + 1, j);
}

void TContractionStep::ApplyBoth(const std::uint8_t* OldPairing, std::uint8_t* const NewPairing[2], int Loops[2]) const {
    std::int32_t pending[4];
    std::uint8_t pendingOld[4];
    int count = 0;
    std::uint8_t* first = NewPairing[0];
    for (int s = 0; s < FOldWidth; ++s) {
        const std::int32_t a = FNewOfOld[static_cast<std::size_t>(s)];
        if (a < 0) continue;
        const std::uint8_t partner = OldPairing[s];
        if (FNewOfOld[partner] >= 0) {
            first[a] = static_cast<std::uint8_t>(FNewOfOld[partner]);
        } else {
            pending[count] = a;
            pendingOld[count++] = partner;
        }
    }
    std::memcpy(NewPairing[1], first, static_cast<std::size_t>(NewWidth()));
    for (int k = 0; k < 2; ++k) Loops[k] = Finish(k + 1, OldPairing, NewPairing[k], pending, pendingOld, count);
}

int TContractionStep::Finish(int Kind, const std::uint8_t* OldPairing, std::uint8_t* NewPairing,
                             const std::int32_t* Pending, const std::uint8_t* PendingOld, int Count) const {
    const auto& sm = FSmoothing[static_cast<std::size_t>(Kind - 1)];
    unsigned marked = 0;
    // Leaves port Port by the side away from the smoothing: to a new slot
    // (returns -1, the slot in End), or on to the next port entered.
    auto exitOf = [&](std::int32_t Port, std::int32_t& End) -> std::int32_t {
        const auto up = static_cast<std::size_t>(Port);
        if (FNewOfPort[up] >= 0) {
            End = FNewOfPort[up];
            return -1;
        }
        if (FInternal[up] >= 0) return FInternal[up];
        const std::uint8_t partner = OldPairing[FLink[up]];
        if (FNewOfOld[partner] >= 0) {
            End = FNewOfOld[partner];
            return -1;
        }
        return FPortOfOld[partner];
    };
    // Follows the path that enters Port from outside until it leaves the
    // crossing's part at a new slot.
    auto walk = [&](std::int32_t Port) {
        std::int32_t end = -1;
        while (Port >= 0) {
            const std::int32_t across = sm[static_cast<std::size_t>(Port)];
            marked |= (1u << Port) | (1u << across);
            Port = exitOf(across, end);
        }
        return end;
    };
    for (int i = 0; i < Count; ++i) {
        const std::int32_t a = Pending[i];
        const std::int32_t b = walk(FPortOfOld[PendingOld[i]]);
        NewPairing[a] = static_cast<std::uint8_t>(b);
        NewPairing[b] = static_cast<std::uint8_t>(a);
    }
    for (std::int32_t j = 0; j < 4; ++j) {
        const std::int32_t a = FNewOfPort[static_cast<std::size_t>(j)];
        if (a < 0 || (marked & (1u << j))) continue;
        const std::int32_t b = walk(j);
        NewPairing[a] = static_cast<std::uint8_t>(b);
        NewPairing[b] = static_cast<std::uint8_t>(a);
    }
    // Ports not reached from a boundary end lie on closed loops.
    int loops = 0;
    for (std::int32_t j = 0; j < 4; ++j) {
        if (marked & (1u << j)) continue;
        ++loops;
        std::int32_t port = j, end = -1;
        do {
            const std::int32_t across = sm[static_cast<std::size_t>(port)];
            marked |= (1u << port) | (1u << across);
            port = exitOf(across, end);
        } while (port != j && port >= 0);
    }
    return loops;
}

}  // namespace ravelon
