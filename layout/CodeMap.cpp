// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/CodeMap.h"

#include <cstddef>

#include "knot/PortGraph.h"

namespace ravelon {

namespace {

std::size_t Ix(int I) { return static_cast<std::size_t>(I); }

// Numbers the pieces: crossings joined by edges share one.
void NumberPieces(TCodeMap& M) {
    M.PieceOf.assign(Ix(M.Crossings), -1);
    for (int start = 0; start < M.Crossings; ++start) {
        if (M.PieceOf[Ix(start)] >= 0) continue;
        std::vector<int> todo{start};
        M.PieceOf[Ix(start)] = M.Pieces;
        while (!todo.empty()) {
            const int c = todo.back();
            todo.pop_back();
            for (int p = 1; p <= 4; ++p) {
                const int other = KnotCrossingOf(M.Mate[Ix(KnotNode(c + 1, p))]) - 1;
                if (M.PieceOf[Ix(other)] < 0) {
                    M.PieceOf[Ix(other)] = M.Pieces;
                    todo.push_back(other);
                }
            }
        }
        ++M.Pieces;
    }
}

// Walks the faces and checks that every piece is a sphere: a piece of n
// crossings has 2n edges and must have n + 2 faces.
void NumberFaces(TCodeMap& M) {
    const int darts = 4 * M.Crossings;
    M.Face.assign(Ix(darts), -1);
    for (int d = 0; d < darts; ++d) {
        if (M.Face[Ix(d)] >= 0) continue;
        const int face = static_cast<int>(M.FaceSize.size());
        M.FaceSize.push_back(0);
        M.FacePiece.push_back(M.PieceOf[Ix(KnotCrossingOf(d) - 1)]);
        int cur = d;
        do {
            M.Face[Ix(cur)] = face;
            ++M.FaceSize.back();
            cur = M.Mate[Ix(KnotNode(KnotCrossingOf(cur), NextPort(KnotPortOf(cur))))];
        } while (cur != d);
    }
    std::vector<int> faces(Ix(M.Pieces), 0), crossings(Ix(M.Pieces), 0);
    for (const int piece : M.FacePiece) ++faces[Ix(piece)];
    for (const int piece : M.PieceOf) ++crossings[Ix(piece)];
    for (int k = 0; k < M.Pieces; ++k)
        if (faces[Ix(k)] != crossings[Ix(k)] + 2) throw TLayoutError("平面に描けないコードです");
}

}  // namespace

TCodeMap MapOfCode(const TKnot& Code) {
    TCodeMap m;
    m.Crossings = Code.FCrossingCount();
    try {
        const TPortGraph graph = BuildPortGraph(Code);
        m.Mate.assign(graph.Mate.begin(), graph.Mate.end());
        m.FreeLoops = graph.FreeLoops;
    } catch (const std::logic_error&) {
        throw TLayoutError("交点のポートのつながりが正しくないコードです");
    }
    m.Entry.assign(Ix(4 * m.Crossings), false);
    for (int c = 1; c <= m.Crossings; ++c) {
        const TCrossing& x = Code.FCrossings[Ix(c)];
        if (x.FirstPort < 1 || x.FirstPort > 4 || x.SecondPort < 1 || x.SecondPort > 4 ||
            (x.FirstPort - x.SecondPort) % 2 == 0)
            throw TLayoutError("交点 " + std::to_string(c) + " に上下の道がありません");
        m.Entry[Ix(KnotNode(c, x.FirstPort))] = true;
        m.Entry[Ix(KnotNode(c, x.SecondPort))] = true;
    }
    for (int d = 0; d < 4 * m.Crossings; ++d)
        if (m.Entry[Ix(d)] == m.Entry[Ix(m.Mate[Ix(d)])]) throw TLayoutError("向きがそろっていないコードです");
    NumberPieces(m);
    NumberFaces(m);
    return m;
}

}  // namespace ravelon
