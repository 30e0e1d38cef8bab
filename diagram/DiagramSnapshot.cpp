// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/DiagramSnapshot.h"

#include "diagram/EditState.h"

namespace ravelon {

namespace {

// The place of the pair a > b among the pairs of lines, row by row.
std::size_t PairIndex(std::size_t A, std::size_t B) { return A * (A - 1) / 2 + B; }

}  // namespace

TDiagramSnapshot TDiagramSnapshot::Take(const TDraw& Draw, int Width, int Height) {
    TDiagramSnapshot s;
    s.FPoints = Draw.FPoints;
    s.FLines = Draw.FLines;
    s.FGroupCount = Draw.FGroupCount;
    const std::size_t lines = Draw.FLines.size();
    s.FOverBits.assign((PairIndex(lines, 0) + 63) / 64, 0);
    for (std::size_t a = 1; a < lines; ++a)
        for (std::size_t b = 0; b < a; ++b)
            if (Draw.FOver[a][b]) s.FOverBits[PairIndex(a, b) / 64] |= std::uint64_t{1} << (PairIndex(a, b) % 64);
    s.FWidth = Width;
    s.FHeight = Height;
    s.FDrawMode = DrawMode == TDrawMode::Moving ? TDrawMode::Idle : DrawMode;
    s.FOpenGroupStart = OpenGroupStart;
    s.FStartPoint = StartPoint;
    s.FLastPoint = LastPoint;
    s.FCurrentPoint = CurrentPoint;
    s.FNextPoint = NextPoint;
    s.FPrevPoint = PrevPoint;
    return s;
}

void TDiagramSnapshot::Restore(TDraw& Draw) const {
    Draw.FPoints = FPoints;
    Draw.FLines = FLines;
    Draw.FGroupCount = FGroupCount;
    const std::size_t lines = FLines.size();
    Draw.FOver.assign(lines, std::vector<bool>(lines, false));
    for (std::size_t a = 1; a < lines; ++a)
        for (std::size_t b = 0; b < a; ++b) {
            const bool over = (FOverBits[PairIndex(a, b) / 64] >> (PairIndex(a, b) % 64)) & 1;
            Draw.FOver[a][b] = over;
            Draw.FOver[b][a] = !over;
        }
    Draw.RecomputeAllCrossings();
    DrawMode = FDrawMode;
    OpenGroupStart = FOpenGroupStart;
    StartPoint = FStartPoint;
    LastPoint = FLastPoint;
    CurrentPoint = FCurrentPoint;
    NextPoint = FNextPoint;
    PrevPoint = FPrevPoint;
}

bool operator==(const TDiagramSnapshot& A, const TDiagramSnapshot& B) {
    return A.FPoints == B.FPoints && A.FLines == B.FLines && A.FGroupCount == B.FGroupCount &&
           A.FOverBits == B.FOverBits && A.FWidth == B.FWidth && A.FHeight == B.FHeight &&
           A.FDrawMode == B.FDrawMode && A.FOpenGroupStart == B.FOpenGroupStart && A.FStartPoint == B.FStartPoint &&
           A.FLastPoint == B.FLastPoint;
}

std::size_t TDiagramSnapshot::Bytes() const {
    return sizeof(*this) + FPoints.capacity() * sizeof(TDrawPoint) + FLines.capacity() * sizeof(TDrawLine) +
           FOverBits.capacity() * sizeof(std::uint64_t);
}

}  // namespace ravelon
