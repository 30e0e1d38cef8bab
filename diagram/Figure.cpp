// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/Figure.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace ravelon {

namespace {

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

// V rounded to the nearest integer, halves to even, within the int range.
std::int32_t RoundToInt(double V) {
    const double r = std::nearbyint(V);
    if (!(r > std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
    if (r >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

TFigurePoint At(TPoint P) { return {static_cast<double>(P.X), static_cast<double>(P.Y)}; }

}  // namespace

TColour GroupColour(std::int32_t Group) {
    switch (ColourIndex(Group)) {
        case 0: return {0, 0, 255};
        case 1: return {255, 0, 0};
        default: return {0, 128, 0};
    }
}

std::vector<TPoint> UnderCrossingsOf(const TDraw& Draw, std::int32_t Line) {
    std::vector<TPoint> under;
    for (std::int32_t j = 0; j < Draw.FLineCount(); ++j) {
        const TPoint c = Draw.FCross[Ix(Line)][Ix(j)];
        if (IsCrossing(c) && !Draw.FOver[Ix(Line)][Ix(j)]) under.push_back(c);
    }
    return under;
}

std::optional<TArrowhead> ArrowheadOf(TPoint From, TPoint To) {
    const double dx = static_cast<double>(To.X) - From.X;
    const double dy = static_cast<double>(To.Y) - From.Y;
    if (dx == 0 && dy == 0) return std::nullopt;
    const double side = 6.0 / std::sqrt(dx * dx + dy * dy);
    const double back = side * std::sqrt(3.0);
    const TPoint m{static_cast<std::int32_t>((std::int64_t{From.X} + To.X) / 2),
                   static_cast<std::int32_t>((std::int64_t{From.Y} + To.Y) / 2)};
    const TPoint q1{m.X - RoundToInt(dy * side), m.Y + RoundToInt(dx * side)};
    const TPoint q2{m.X + RoundToInt(dy * side), m.Y - RoundToInt(dx * side)};
    return TArrowhead{m, {q1.X - RoundToInt(dx * back), q1.Y - RoundToInt(dy * back)},
                      {q2.X - RoundToInt(dx * back), q2.Y - RoundToInt(dy * back)}};
}

std::vector<TFigurePiece> OutsideDiscs(TFigurePoint From, TFigurePoint To, const std::vector<TFigurePoint>& Centres,
                                      double Radius) {
    // The parameters t in [0, 1] of From + t (To - From) inside some disc.
    const double dx = To.X - From.X, dy = To.Y - From.Y;
    const double a = dx * dx + dy * dy;
    std::vector<std::pair<double, double>> inside;
    for (const TFigurePoint& c : Centres) {
        const double fx = From.X - c.X, fy = From.Y - c.Y;
        const double c0 = fx * fx + fy * fy - Radius * Radius;
        if (a == 0) {
            if (c0 < 0) return {};
            continue;
        }
        const double b = 2 * (fx * dx + fy * dy);
        const double discriminant = b * b - 4 * a * c0;
        if (discriminant <= 0) continue;
        const double root = std::sqrt(discriminant);
        const double t0 = (-b - root) / (2 * a), t1 = (-b + root) / (2 * a);
        if (t1 > 0 && t0 < 1) inside.emplace_back(std::max(t0, 0.0), std::min(t1, 1.0));
    }
    std::sort(inside.begin(), inside.end());
    std::vector<TFigurePiece> pieces;
    const auto point = [&](double t) { return TFigurePoint{From.X + t * dx, From.Y + t * dy}; };
    double t = 0;
    for (const auto& [t0, t1] : inside) {
        if (t0 > t) pieces.push_back({point(t), point(t0)});
        t = std::max(t, t1);
    }
    if (t < 1) pieces.push_back({point(t), To});
    return pieces;
}

TFigure FigureOf(const TDraw& Draw, bool ShowDirection, int Width, int Height) {
    TFigure figure;
    figure.Width = Width;
    figure.Height = Height;
    for (std::int32_t i = 0; i < Draw.FLineCount(); ++i) {
        const TDrawLine& line = Draw.FLines[Ix(i)];
        const TPoint s = Draw.PointAt(line.StartIndex);
        const TPoint e = Draw.PointAt(line.EndIndex);
        std::vector<TFigurePoint> gaps;
        for (const TPoint c : UnderCrossingsOf(Draw, i)) gaps.push_back(At(c));
        TFigureLine& drawn = figure.Lines.emplace_back();
        drawn.Group = line.Group;
        drawn.Pieces = OutsideDiscs(At(s), At(e), gaps, GapRadius);
        if (!ShowDirection) continue;
        if (const std::optional<TArrowhead> arrow = ArrowheadOf(s, e))
            for (const TPoint wing : {arrow->Wing1, arrow->Wing2})
                for (const TFigurePiece& piece : OutsideDiscs(At(arrow->Middle), At(wing), gaps, GapRadius))
                    drawn.Pieces.push_back(piece);
    }
    for (std::int32_t j = 0; j < Draw.FPointCount(); ++j) figure.Points.push_back(Draw.PointAt(j));
    return figure;
}

}  // namespace ravelon
