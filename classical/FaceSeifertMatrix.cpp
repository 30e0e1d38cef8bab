// SPDX-License-Identifier: GPL-3.0-or-later
#include "classical/FaceSeifertMatrix.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "knot/PortGraph.h"
#include "classical/SeifertCircles.h"
#include "classical/SeifertLinking.h"

namespace ravelon {

namespace {

using seifert::TVisit;

// One passage of a face through a band: at its middle corner Corner of
// crossing Crossing (from 0), from circle From to circle To.
struct TPassage {
    int Corner = 0;
    int Crossing = 0;
    int From = 0, To = 0;
};

// A face as a curve on the surface: its passages in the order of its
// corners, and its ways through the disks, the one after passage i along
// circle Circles[i] (its To).
struct TFaceCurve {
    std::vector<TPassage> Passages;
    std::vector<TVisit> Plain, Pushed;
    std::vector<int> Circles;
};

// The ports of a crossing: the entries of the strands under and over.
struct TPorts {
    std::int32_t Second = 0, First = 0;
};

class TFaceCurves {
public:
    TFaceCurves(const TKnot& Code, const TSeifertCircles& Circles)
        : FGraph(BuildPortGraph(Code)), FCircles(Circles) {
        for (std::size_t c = 1; c < Code.FCrossings.size(); ++c)
            FPorts.push_back({Code.FCrossings[c].SecondPort, Code.FCrossings[c].FirstPort});
    }

    // The curves of every face of the diagram.
    std::vector<TFaceCurve> Curves() const {
        std::vector<TFaceCurve> curves(static_cast<std::size_t>(FCircles.Faces));
        std::vector<char> walked(static_cast<std::size_t>(FCircles.Faces), 0);
        for (std::size_t corner = 0; corner < FGraph.Mate.size(); ++corner) {
            const auto face = static_cast<std::size_t>(FCircles.CornerFace[corner]);
            if (walked[face]) continue;
            walked[face] = 1;
            Walk(corner, curves[face]);
        }
        return curves;
    }

private:
    // The circle through port Port of crossing K (from 0): the strand
    // entering at SecondPort leaves at the port opposite FirstPort along
    // alpha, the one entering at FirstPort along beta.
    int CircleOf(std::size_t K, std::int32_t Port) const {
        const TPorts& p = FPorts[K];
        return Port == p.Second || Port == OppositePort(p.First) ? FCircles.Crossings[K].Alpha : FCircles.Crossings[K].Beta;
    }
    bool IsExit(std::size_t K, std::int32_t Port) const {
        return Port == OppositePort(FPorts[K].Second) || Port == OppositePort(FPorts[K].First);
    }

    // The passages of the face from corner Start on, and its ways through
    // the disks between them.
    void Walk(std::size_t Start, TFaceCurve& Curve) const {
        std::vector<char> forward;
        std::size_t corner = Start;
        do {
            const std::int32_t c = KnotCrossingOf(static_cast<std::int32_t>(corner));
            const std::int32_t p = KnotPortOf(static_cast<std::int32_t>(corner));
            const auto k = static_cast<std::size_t>(c - 1);
            const int from = CircleOf(k, p), to = CircleOf(k, NextPort(p));
            if (from != to) {
                Curve.Passages.push_back({static_cast<int>(corner), static_cast<int>(k), from, to});
                forward.push_back(IsExit(k, NextPort(p)) ? 1 : 0);
            }
            corner = static_cast<std::size_t>(FGraph.Mate[static_cast<std::size_t>(KnotNode(c, NextPort(p)))]);
        } while (corner != Start);
        const std::size_t count = Curve.Passages.size();
        for (std::size_t i = 0; i < count; ++i) {
            const TPassage& in = Curve.Passages[i];
            const TPassage& out = Curve.Passages[(i + 1) % count];
            if (out.From != in.To) throw std::logic_error("a face that leaves a circle where it did not come");
            const TSeifertCrossing& xi = FCircles.Crossings[static_cast<std::size_t>(in.Crossing)];
            const TSeifertCrossing& xo = FCircles.Crossings[static_cast<std::size_t>(out.Crossing)];
            const int k = in.To;
            for (const int pushed : {0, 1}) {
                const TVisit visit{seifert::Place(xi, k, 2 * in.Corner + pushed), seifert::Place(xo, k, 2 * out.Corner + pushed),
                                   seifert::Inner(xi, k), seifert::Inner(xo, k), forward[i] != 0};
                (pushed ? Curve.Pushed : Curve.Plain).push_back(visit);
            }
            Curve.Circles.push_back(k);
        }
    }

    TPortGraph FGraph;
    const TSeifertCircles& FCircles;
    std::vector<TPorts> FPorts;
};

// Twice the linking number of face A (at distance 2A) with face B pushed
// off (at distance 2B + 1).
int TwiceLinking(const TSeifertCircles& Circles, const std::vector<TFaceCurve>& Curves, std::size_t A, std::size_t B) {
    const TFaceCurve& a = Curves[A];
    const TFaceCurve& b = Curves[B];
    int sum = 0;
    for (std::size_t i = 0; i < a.Circles.size(); ++i)
        for (std::size_t j = 0; j < b.Circles.size(); ++j)
            if (a.Circles[i] == b.Circles[j])
                sum += seifert::DiskCrossings(a.Plain[i], static_cast<int>(2 * A), b.Pushed[j], static_cast<int>(2 * B + 1),
                                              Circles.Turn[static_cast<std::size_t>(a.Circles[i])]);
    for (const TPassage& p : a.Passages)
        for (const TPassage& q : b.Passages)
            if (p.Crossing == q.Crossing)
                sum += seifert::BandCrossing(Circles.Crossings[static_cast<std::size_t>(p.Crossing)].Sign, p.From == q.From);
    return sum;
}

}  // namespace

TFaceSeifertMatrix FaceSeifertMatrixOf(const TKnot& Code) {
    const TSeifertCircles circles = SeifertCirclesOf(Code);
    const std::vector<TFaceCurve> curves = TFaceCurves(Code, circles).Curves();
    const auto faces = static_cast<std::size_t>(circles.Faces);
    // The face of most corners of every region is left out.
    std::vector<int> corners(faces, 0);
    for (const int f : circles.CornerFace) ++corners[static_cast<std::size_t>(f)];
    std::vector<int> leftOut;
    for (std::size_t f = 0; f < faces; ++f) {
        const auto region = static_cast<std::size_t>(circles.FaceRegion[f]);
        if (region >= leftOut.size()) leftOut.resize(region + 1, -1);
        int& out = leftOut[region];
        if (out < 0 || corners[f] > corners[static_cast<std::size_t>(out)]) out = static_cast<int>(f);
    }
    std::vector<int> index(faces, -1);
    int size = 0;
    for (std::size_t f = 0; f < faces; ++f)
        if (leftOut[static_cast<std::size_t>(circles.FaceRegion[f])] != static_cast<int>(f)) index[f] = size++;
    // Faces that meet at a crossing, every ordered pair once.
    std::vector<std::pair<int, int>> pairs;
    for (std::size_t corner = 0; corner < circles.CornerFace.size(); corner += 4) {
        int around[4];
        for (std::size_t p = 0; p < 4; ++p) around[p] = circles.CornerFace[corner + p];
        for (const int a : around)
            for (const int b : around)
                if (index[static_cast<std::size_t>(a)] >= 0 && index[static_cast<std::size_t>(b)] >= 0) pairs.emplace_back(a, b);
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    TFaceSeifertMatrix out;
    out.Pieces = circles.Pieces;
    out.V.N = size;
    for (const auto& [a, b] : pairs) {
        const int twice = TwiceLinking(circles, curves, static_cast<std::size_t>(a), static_cast<std::size_t>(b));
        if (twice % 2 != 0) throw std::logic_error("a Seifert matrix entry that is not whole");
        if (twice != 0) out.V.Entries.push_back({index[static_cast<std::size_t>(a)], index[static_cast<std::size_t>(b)], twice / 2});
    }
    std::sort(out.V.Entries.begin(), out.V.Entries.end(), [](const TMatrixEntry& x, const TMatrixEntry& y) {
        return x.Row != y.Row ? x.Row < y.Row : x.Column < y.Column;
    });
    return out;
}

}  // namespace ravelon
