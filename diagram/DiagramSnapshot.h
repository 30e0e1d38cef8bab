// SPDX-License-Identifier: GPL-3.0-or-later
// A compact copy of a diagram, its canvas size and the editing state: one
// state of the undo history.
//
// Data model: the points, the lines and the group count as the diagram holds
// them; the over/under relation as one bit for every pair of lines a > b
// (FOver[a][b]; FOver[b][a] is its negation); the canvas size; and the seven
// variables of the editing state, with a point being moved taken as idle (a
// snapshot is a state at rest). The crossing matrix is not kept: it is always
// what the points give, and is computed again on restoring. A diagram of P
// points and L lines takes 12 (P + L) + L (L - 1) / 16 bytes and a few more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "diagram/Draw.h"
#include "diagram/EditState.h"

namespace ravelon {

// One state of a diagram and its editing, to be put back later.
class TDiagramSnapshot {
public:
    // The diagram Draw on a canvas of Width x Height, and the editing state now.
    static TDiagramSnapshot Take(const TDraw& Draw, int Width, int Height);

    // Puts the diagram and the editing state back; the canvas size is the
    // caller's to apply.
    void Restore(TDraw& Draw) const;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // The bytes it holds.
    std::size_t Bytes() const;

    // The same diagram, canvas and editing state. The mouse positions that
    // only rubber bands follow (CurrentPoint, NextPoint, PrevPoint) are kept
    // but not compared: a release that moves only them changes nothing.
    friend bool operator==(const TDiagramSnapshot& A, const TDiagramSnapshot& B);

private:
    TPoints FPoints;
    TLines FLines;
    std::int32_t FGroupCount = 0;
    std::vector<std::uint64_t> FOverBits;
    int FWidth = 0;
    int FHeight = 0;
    TDrawMode FDrawMode = TDrawMode::Idle;
    std::int32_t FOpenGroupStart = 0;
    TPoint FStartPoint, FLastPoint, FCurrentPoint, FNextPoint, FPrevPoint;
};

}  // namespace ravelon
