// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/Draw.h"

#include "diagram/Perturbation.h"

#include <cstddef>

namespace ravelon {

namespace {

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

}  // namespace

TPoint TDraw::PointAt(std::int32_t I) const { return {FPoints[Ix(I)].X, FPoints[Ix(I)].Y}; }

TSite TDraw::SiteAt(std::int32_t I) const { return {PointAt(I), I}; }

void TDraw::Clear() {
    FGroupCount = 0;
    FPoints.clear();
    FLines.clear();
    FOver.clear();
    FCross.clear();
}

void TDraw::AddPoint(TPoint P) { FPoints.push_back({P.X, P.Y, FGroupCount}); }

void TDraw::AddLine(std::int32_t A, std::int32_t B) {
    FLines.push_back({A, B, FGroupCount});
    const std::size_t last = FLines.size() - 1;
    // The newest line passes over every older one.
    for (auto& row : FOver) row.push_back(false);
    FOver.emplace_back(FLines.size(), true);
    FOver[last][last] = false;
    for (auto& row : FCross) row.emplace_back();
    FCross.emplace_back(FLines.size());
    for (std::size_t i = 0; i < last; ++i) {
        const TPoint c = CrossPoint(static_cast<std::int32_t>(last), static_cast<std::int32_t>(i));
        FCross[last][i] = c;
        FCross[i][last] = c;
    }
}

void TDraw::DeleteLastPoint() {
    if (!FPoints.empty()) FPoints.pop_back();
}

void TDraw::DeleteLastLine() {
    if (FLines.empty()) return;
    FLines.pop_back();
    FOver.pop_back();
    for (auto& row : FOver) row.pop_back();
    FCross.pop_back();
    for (auto& row : FCross) row.pop_back();
}

void TDraw::BeginGroup(TPoint P) {
    OpenGroupStart = FPointCount();
    AddPoint(P);
}

void TDraw::ExtendGroup(TPoint P) {
    AddPoint(P);
    AddLine(FPointCount() - 2, FPointCount() - 1);
}

bool TDraw::CloseGroup() {
    if (FPointCount() - OpenGroupStart < 3) return false;
    AddLine(FPointCount() - 1, OpenGroupStart);
    ++FGroupCount;
    return true;
}

void TDraw::Undo() {
    const std::int32_t n = FPointCount();
    if (n == 0) return;
    DrawMode = TDrawMode::Drawing;
    bool reopened = false;
    if (n >= 2 && FPoints[Ix(n - 1)].Group == FPoints[Ix(n - 2)].Group && !FLines.empty()) {
        const std::int32_t e = FLines.back().EndIndex;
        DeleteLastLine();
        if (FPoints[Ix(n - 1)].Group < FGroupCount) {
            // The removed line closed the last group: it is open again.
            --FGroupCount;
            OpenGroupStart = e;
            StartPoint = PointAt(e);
            reopened = true;
        }
    }
    if (!reopened) {
        DeleteLastPoint();
        if (FPoints.empty()) {
            DrawMode = TDrawMode::Idle;
            return;
        }
        if (FPoints.back().Group < FGroupCount) DrawMode = TDrawMode::Idle;  // the open group lost its only point
    }
    LastPoint = PointAt(FPointCount() - 1);
}

void TDraw::SwapCrossing(std::int32_t A, std::int32_t B) {
    FOver[Ix(A)][Ix(B)] = !FOver[Ix(A)][Ix(B)];
    FOver[Ix(B)][Ix(A)] = !FOver[Ix(B)][Ix(A)];
}

void TDraw::ReverseAll() {
    for (std::size_t a = 0; a < FOver.size(); ++a)
        for (std::size_t b = 0; b < FOver.size(); ++b)
            if (a != b) FOver[a][b] = !FOver[a][b];
}

void TDraw::GetNeighbours(std::int32_t I, TPoint& NextPt, TPoint& PrevPt) const {
    for (const TDrawLine& l : FLines)
        if (l.StartIndex == I) NextPt = PointAt(l.EndIndex);
    for (const TDrawLine& l : FLines)
        if (l.EndIndex == I) PrevPt = PointAt(l.StartIndex);
}

void TDraw::RecomputeCrossings(std::int32_t Line) {
    for (std::int32_t j = 0; j < FLineCount(); ++j) {
        const TPoint c = CrossPoint(Line, j);
        FCross[Ix(Line)][Ix(j)] = c;
        FCross[Ix(j)][Ix(Line)] = c;
    }
}

void TDraw::RecomputeAllCrossings() {
    FCross.assign(FLines.size(), std::vector<TPoint>(FLines.size()));
    for (std::int32_t b = 0; b < FLineCount(); ++b)
        for (std::int32_t a = 0; a < b; ++a) FCross[Ix(a)][Ix(b)] = FCross[Ix(b)][Ix(a)] = CrossPoint(a, b);
}

void TDraw::MovePoint(std::int32_t I, TPoint P) {
    FPoints[Ix(I)].X = P.X;
    FPoints[Ix(I)].Y = P.Y;
    std::int32_t outgoing = -1, incoming = -1;
    for (std::int32_t l = 0; l < FLineCount(); ++l) {
        if (FLines[Ix(l)].StartIndex == I) outgoing = l;
        if (FLines[Ix(l)].EndIndex == I) incoming = l;
    }
    if (outgoing >= 0) RecomputeCrossings(outgoing);
    if (incoming >= 0) RecomputeCrossings(incoming);
}

TPoint TDraw::CrossPoint(std::int32_t A, std::int32_t B) const {
    const TDrawLine& a = FLines[Ix(A)];
    const TDrawLine& b = FLines[Ix(B)];
    return MovedCrossPoint(SiteAt(a.StartIndex), SiteAt(a.EndIndex), SiteAt(b.StartIndex), SiteAt(b.EndIndex));
}

}  // namespace ravelon
