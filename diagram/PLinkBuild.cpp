// SPDX-License-Identifier: GPL-3.0-or-later
// ReadPLink: the numbers of a link projection file turned into a diagram of
// closed groups on this program's canvas, with every check of shape and
// crossings (the rules are stated in diagram/PLinkFile.h).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "diagram/FileError.h"
#include "diagram/PLinkFile.h"
#include "diagram/PLinkRead.h"
#include "diagram/Perturbation.h"

namespace ravelon {

namespace {

constexpr std::int32_t MaxSide = 999;
constexpr std::int32_t Margin = 20;
constexpr std::int32_t Room = MaxSide - 2 * Margin;

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

std::string Item(const char* Kind, std::int32_t I) { return Kind + std::string(" ") + std::to_string(I); }

[[noreturn]] void FailAt(std::int32_t Line, const std::string& What) {
    throw TFileError("PLink ファイルの " + std::to_string(Line) + " 行目: " + What);
}

[[noreturn]] void Fail(const std::string& What) { throw TFileError("PLink ファイル: " + What); }

// The closed components as their vertices in the order of travel, and the
// edge leaving every vertex.
struct TComponents {
    std::vector<std::vector<std::int32_t>> Cycles;
    std::vector<std::int32_t> OutEdge;
};

TComponents ClosedComponents(const TPLinkNumbers& F) {
    for (std::size_t c = 0; c < F.Components.size(); ++c)
        if (F.Components[c].First != F.Components[c].Last)
            FailAt(F.Components[c].Line, Item("成分", static_cast<std::int32_t>(c)) +
                                             " は閉じていない弧です。閉じた成分だけを読み込めます");
    const std::size_t n = F.Vertices.size();
    std::vector<std::int32_t> outs(n, 0), ins(n, 0);
    TComponents result;
    result.OutEdge.assign(n, -1);
    for (std::size_t e = 0; e < F.Edges.size(); ++e) {
        ++outs[Ix(F.Edges[e].Start)];
        ++ins[Ix(F.Edges[e].End)];
        result.OutEdge[Ix(F.Edges[e].Start)] = static_cast<std::int32_t>(e);
    }
    for (std::size_t v = 0; v < n; ++v) {
        const std::int32_t line = F.Vertices[v].Line;
        const std::string name = Item("頂点", static_cast<std::int32_t>(v));
        if (outs[v] == 0 && ins[v] == 0) FailAt(line, name + " はどの辺にもつながっていません");
        if (outs[v] > 1 || ins[v] > 1) FailAt(line, name + " から出る辺か入る辺が 2 本以上あります");
        if (outs[v] == 0 || ins[v] == 0) FailAt(line, name + " は閉じていない弧の端です。閉じた成分だけを読み込めます");
    }
    // Every vertex has one edge in and one out: the edges are disjoint cycles.
    std::vector<bool> seen(n, false);
    std::vector<std::int32_t> starts;
    for (const TPLinkNumbers::TComponent& c : F.Components) starts.push_back(c.First);
    for (std::size_t v = 0; v < n; ++v) starts.push_back(static_cast<std::int32_t>(v));
    for (const std::int32_t start : starts) {
        if (seen[Ix(start)]) continue;
        std::vector<std::int32_t> cycle;
        std::int32_t v = start;
        do {
            seen[Ix(v)] = true;
            cycle.push_back(v);
            v = F.Edges[Ix(result.OutEdge[Ix(v)])].End;
        } while (v != start);
        if (cycle.size() < 3)
            FailAt(F.Vertices[Ix(start)].Line, Item("頂点", start) + " を含む成分の頂点が 3 つ未満です");
        result.Cycles.push_back(std::move(cycle));
    }
    return result;
}

// The points on the canvas and the canvas size.
struct TPlacement {
    std::vector<TPoint> Points;
    bool Moved = false;
    int Width = MaxSide;
    int Height = MaxSide;
};

TPlacement Place(const std::vector<TPoint>& Points) {
    TPlacement r{Points, false, MaxSide, MaxSide};
    if (Points.empty()) return r;
    std::int64_t minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
    for (const TPoint& p : Points) {
        minX = std::min<std::int64_t>(minX, p.X);
        minY = std::min<std::int64_t>(minY, p.Y);
        maxX = std::max<std::int64_t>(maxX, p.X);
        maxY = std::max<std::int64_t>(maxY, p.Y);
    }
    if (minX < 0 || minY < 0 || maxX > MaxSide || maxY > MaxSide) {
        r.Moved = true;
        const std::int64_t side = std::max(maxX - minX, maxY - minY);
        const double s = side > Room ? static_cast<double>(Room) / static_cast<double>(side) : 1.0;
        const auto at = [s](std::int64_t Offset) {
            return Margin + static_cast<std::int32_t>(std::nearbyint(static_cast<double>(Offset) * s));
        };
        for (TPoint& p : r.Points) p = {at(p.X - minX), at(p.Y - minY)};
        maxX = maxY = 0;
        for (const TPoint& p : r.Points) {
            maxX = std::max<std::int64_t>(maxX, p.X);
            maxY = std::max<std::int64_t>(maxY, p.Y);
        }
    }
    r.Width = static_cast<int>(std::min<std::int64_t>(MaxSide, maxX + Margin));
    r.Height = static_cast<int>(std::min<std::int64_t>(MaxSide, maxY + Margin));
    return r;
}

// What the crossing code is made of: the crossing pairs of lines (a < b) with
// the side of b's start from a, and the partners met along every line.
struct TLayout {
    std::vector<std::pair<std::int32_t, std::int32_t>> Pairs;
    std::vector<int> Sides;
    std::vector<std::vector<std::int32_t>> Along;
    friend bool operator==(const TLayout&, const TLayout&) = default;
};

// The layout of the lines Lines (start and end point) over Points, by the
// crossing rule with the points' indices.
TLayout LayoutOf(const std::vector<TPoint>& Points, const std::vector<std::pair<std::int32_t, std::int32_t>>& Lines) {
    const auto site = [&](std::int32_t I) { return TSite{Points[Ix(I)], I}; };
    const auto s = [&](std::int32_t L) { return site(Lines[Ix(L)].first); };
    const auto e = [&](std::int32_t L) { return site(Lines[Ix(L)].second); };
    const auto count = static_cast<std::int32_t>(Lines.size());
    TLayout r;
    r.Along.resize(Lines.size());
    for (std::int32_t b = 0; b < count; ++b)
        for (std::int32_t a = 0; a < b; ++a)
            if (MovedLinesCross(s(a), e(a), s(b), e(b))) {
                r.Pairs.emplace_back(a, b);
                r.Sides.push_back(MovedSide(s(a), e(a), s(b)));
                r.Along[Ix(a)].push_back(b);
                r.Along[Ix(b)].push_back(a);
            }
    for (std::int32_t l = 0; l < count; ++l)
        std::sort(r.Along[Ix(l)].begin(), r.Along[Ix(l)].end(), [&](std::int32_t x, std::int32_t y) {
            const int c = CompareAlong(s(l), e(l), s(x), e(x), s(y), e(y));
            return c != 0 ? c < 0 : x < y;
        });
    return r;
}

}  // namespace

TPLinkDiagram ReadPLink(const std::string& Text) {
    const TPLinkNumbers f = ReadPLinkNumbers(Text);
    const TComponents parts = ClosedComponents(f);
    // Point p of the diagram is file vertex VertexOf[p]; line p leaves it.
    std::vector<std::int32_t> vertexOf;
    for (const auto& cycle : parts.Cycles) vertexOf.insert(vertexOf.end(), cycle.begin(), cycle.end());
    std::vector<std::int32_t> lineOfEdge(f.Edges.size());
    std::vector<TPoint> filePoints;
    std::vector<std::pair<std::int32_t, std::int32_t>> lines;
    std::int32_t first = 0;
    for (const auto& cycle : parts.Cycles) {
        const auto n = static_cast<std::int32_t>(cycle.size());
        for (std::int32_t i = 0; i < n; ++i) {
            lineOfEdge[Ix(parts.OutEdge[Ix(cycle[Ix(i)])])] = first + i;
            filePoints.push_back(f.Vertices[Ix(cycle[Ix(i)])].P);
            lines.emplace_back(first + i, i + 1 < n ? first + i + 1 : first);
        }
        first += n;
    }
    const TPlacement placed = Place(filePoints);
    std::vector<std::int32_t> byPlace(vertexOf.size());
    for (std::size_t p = 0; p < byPlace.size(); ++p) byPlace[p] = static_cast<std::int32_t>(p);
    const auto key = [&](std::int32_t P) { return std::pair{placed.Points[Ix(P)].X, placed.Points[Ix(P)].Y}; };
    std::sort(byPlace.begin(), byPlace.end(), [&](std::int32_t a, std::int32_t b) { return std::pair{key(a), a} < std::pair{key(b), b}; });
    for (std::size_t k = 1; k < byPlace.size(); ++k)
        if (key(byPlace[k - 1]) == key(byPlace[k])) {
            const std::string pair = Item("頂点", vertexOf[Ix(byPlace[k - 1])]) + " と" +
                                     Item("頂点", vertexOf[Ix(byPlace[k])]);
            Fail(placed.Moved ? "キャンバスに収めるように縮めると" + pair + " が同じ位置になります"
                              : pair + " が同じ位置にあります");
        }

    // The file's crossings must be those of its own drawing, each once.
    const TLayout own = LayoutOf(filePoints, lines);
    std::map<std::pair<std::int32_t, std::int32_t>, std::size_t> pairIndex;
    for (std::size_t k = 0; k < own.Pairs.size(); ++k) pairIndex[own.Pairs[k]] = k;
    std::vector<bool> listed(own.Pairs.size(), false);
    for (std::size_t k = 0; k < f.Crossings.size(); ++k) {
        const TPLinkNumbers::TCrossing& c = f.Crossings[k];
        const std::int32_t u = lineOfEdge[Ix(c.Under)], o = lineOfEdge[Ix(c.Over)];
        const auto it = pairIndex.find({std::min(u, o), std::max(u, o)});
        const std::string name = Item("交差", static_cast<std::int32_t>(k));
        const std::string edges = Item("辺", c.Under) + " と" + Item("辺", c.Over);
        if (it == pairIndex.end()) FailAt(c.Line, name + " の" + edges + " は交わっていません");
        if (listed[it->second]) FailAt(c.Line, name + " は" + edges + " の交差をもう一度書いています");
        listed[it->second] = true;
    }
    std::vector<std::int32_t> edgeOfLine(lineOfEdge.size());
    for (std::size_t e = 0; e < lineOfEdge.size(); ++e) edgeOfLine[Ix(lineOfEdge[e])] = static_cast<std::int32_t>(e);
    for (std::size_t k = 0; k < own.Pairs.size(); ++k)
        if (!listed[k])
            Fail(Item("辺", edgeOfLine[Ix(own.Pairs[k].first)]) + " と" + Item("辺", edgeOfLine[Ix(own.Pairs[k].second)]) +
                 " が交わっていますが、その交差がファイルにありません");
    if (placed.Moved && LayoutOf(placed.Points, lines) != own)
        Fail("キャンバスに収めるように縮めると交差の様子が変わるため、読み込めません");

    TPLinkDiagram r;
    r.Width = placed.Width;
    r.Height = placed.Height;
    TDraw& d = r.Draw;
    std::int32_t begin = 0;
    for (const auto& cycle : parts.Cycles) {
        const auto end = begin + static_cast<std::int32_t>(cycle.size());
        for (std::int32_t p = begin; p < end; ++p) d.AddPoint(placed.Points[Ix(p)]);
        for (std::int32_t p = begin; p < end; ++p) d.AddLine(lines[Ix(p)].first, lines[Ix(p)].second);
        ++d.FGroupCount;
        begin = end;
    }
    for (const TPLinkNumbers::TCrossing& c : f.Crossings) {
        const std::size_t u = Ix(lineOfEdge[Ix(c.Under)]), o = Ix(lineOfEdge[Ix(c.Over)]);
        d.FOver[o][u] = true;
        d.FOver[u][o] = false;
    }
    return r;
}

}  // namespace ravelon
