// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/DrawCode.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "layout/Arrange.h"
#include "layout/Canvas.h"
#include "layout/PieceLayout.h"

namespace ravelon {

namespace {

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

// A curve without crossings: a square this many grid units on a side.
constexpr int kLoopSide = 2;

// Grid units to canvas pixels.
struct TScale {
    int Spacing = 0;
    TPoint Origin;
    TPoint operator()(TPoint Place, TPoint P) const {
        return {Origin.X + (Place.X + P.X) * Spacing, Origin.Y + (Place.Y + P.Y) * Spacing};
    }
};

// One step along a component: a corner, or the passage through a crossing
// entered at dart Dart.
struct TStep {
    bool Corner = false;
    TPoint P;
    int Dart = 0;
};

// The steps of the component entering its crossing at Start, beginning at a
// corner (every closed curve of horizontal and vertical lines has four).
std::vector<TStep> Component(const TCodeMap& Map, const std::vector<TPieceLayout>& Pieces,
                             const TArrangement& Places, const TScale& Scale, int Start) {
    std::vector<TStep> steps;
    const int piece = Map.PieceOf[Ix(KnotCrossingOf(Start) - 1)];
    int d = Start;
    do {
        steps.push_back({false, {}, d});
        const int exit = KnotNode(KnotCrossingOf(d), OppositePort(KnotPortOf(d)));
        for (const TPoint& b : Pieces[Ix(piece)].Bends[Ix(exit)])
            steps.push_back({true, Scale(Places.Place[Ix(piece)], b), 0});
        d = Map.Mate[Ix(exit)];
    } while (d != Start);
    std::rotate(steps.begin(), std::find_if(steps.begin(), steps.end(), [](const TStep& s) { return s.Corner; }),
                steps.end());
    return steps;
}

// Draws one closed group through Corners.
void DrawGroup(TDraw& Draw, const std::vector<TPoint>& Corners) {
    Draw.BeginGroup(Corners.front());
    for (std::size_t i = 1; i < Corners.size(); ++i) Draw.ExtendGroup(Corners[i]);
    if (!Draw.CloseGroup()) throw std::logic_error("a drawn curve with fewer than 3 corners");
}

// The spacing and the canvas for a grid drawing Width x Height units.
TScale ScaleFor(int Width, int Height, TDrawing& Out) {
    TScale scale;
    const TCanvasFit fit = CanvasFor(Width, Height);
    scale.Spacing = fit.Spacing;
    Out.Width = fit.Width;
    Out.Height = fit.Height;
    if (Out.Width > kMaxCanvasSide || Out.Height > kMaxCanvasSide)
        throw TLayoutError("図が大きすぎて描けません (" + std::to_string(Out.Width) + " × " + std::to_string(Out.Height) +
                           " 必要ですが、キャンバスは " + std::to_string(kMaxCanvasSide) + " × " +
                           std::to_string(kMaxCanvasSide) + " までです)");
    scale.Origin = {(Out.Width - Width * scale.Spacing) / 2, (Out.Height - Height * scale.Spacing) / 2};
    return scale;
}

}  // namespace

TDrawing DrawCode(const TKnot& Code) {
    const TCodeMap map = MapOfCode(Code);
    std::vector<TPieceLayout> pieces;
    std::vector<TPoint> sizes;
    for (int k = 0; k < map.Pieces; ++k) {
        pieces.push_back(LayOutPiece(map, k));
        sizes.push_back({pieces.back().Width, pieces.back().Height});
    }
    for (int k = 0; k < map.FreeLoops; ++k) sizes.push_back({kLoopSide, kLoopSide});
    const TArrangement places = Arrange(sizes);
    TDrawing out;
    if (sizes.empty()) {
        out.Width = kDefaultCanvasWidth;
        out.Height = kDefaultCanvasHeight;
        return out;
    }
    const TScale scale = ScaleFor(places.Width, places.Height, out);

    // The components, each with the line that carries it through each of
    // its crossings: the line leaving the corner before.
    std::vector<int> lineAt(Ix(4 * map.Crossings), -1);
    for (int c = 1; c <= map.Crossings; ++c) {
        for (const int port : {Code.FCrossings[Ix(c)].FirstPort, Code.FCrossings[Ix(c)].SecondPort}) {
            if (lineAt[Ix(KnotNode(c, port))] >= 0) continue;
            std::vector<TPoint> corners;
            const int first = out.Draw.FPointCount();
            for (const TStep& s : Component(map, pieces, places, scale, KnotNode(c, port))) {
                if (s.Corner) corners.push_back(s.P);
                else lineAt[Ix(s.Dart)] = first + static_cast<int>(corners.size()) - 1;
            }
            DrawGroup(out.Draw, corners);
        }
    }
    for (int k = 0; k < map.FreeLoops; ++k) {
        const TPoint at = places.Place[Ix(map.Pieces + k)];
        DrawGroup(out.Draw, {scale(at, {0, 0}), scale(at, {kLoopSide, 0}), scale(at, {kLoopSide, kLoopSide}),
                             scale(at, {0, kLoopSide})});
    }

    // The over/under of the code: the strand entering at FirstPort passes over.
    for (int c = 1; c <= map.Crossings; ++c) {
        const int over = lineAt[Ix(KnotNode(c, Code.FCrossings[Ix(c)].FirstPort))];
        const int under = lineAt[Ix(KnotNode(c, Code.FCrossings[Ix(c)].SecondPort))];
        if (!out.Draw.FOver[Ix(over)][Ix(under)]) out.Draw.SwapCrossing(over, under);
    }
    return out;
}

}  // namespace ravelon
