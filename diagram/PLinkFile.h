// SPDX-License-Identifier: GPL-3.0-or-later
// Link projection files of the PLink link editor: the diagram written as one
// and read back from one.
//
// Data model: a text of lines; lines holding only blanks are skipped, and line
// numbers in messages count every line of the file from 1. In order:
//   % Link Projection     the first line begins so
//   C                     the number of components, then C lines "first last":
//                         the first and last vertex of each (equal when closed)
//   V                     the number of vertices, then V lines "x y" (pixels,
//                         Y downwards, as on this program's canvas)
//   E                     the number of edges, then E lines "s e": the edge
//                         from vertex s to vertex e (the direction of travel)
//   K                     the number of crossings, then K lines "u o": the
//                         edge passing under and the edge passing over
//   h                     the vertex the editor was drawing from, -1 for none
// Indices count from 0 in the order of the lines. Example, a triangle:
//   % Link Projection
//   1
//      0    0
//   3
//     100   100
//     200   100
//     150   200
//   3
//      0    1
//      1    2
//      2    0
//   0
//   -1
//
// Reading: every vertex must have exactly one edge in and one edge out, so the
// edges form closed components (an open arc or a lone vertex is refused). Each
// component becomes a closed group of the diagram, its points in the order of
// travel, starting at the first vertex of its component line (components the
// lines do not name follow by their lowest vertex). A component needs at least
// 3 vertices. Coordinates that all lie within 0 ... 999 are kept as they are;
// otherwise the drawing is moved and uniformly scaled (never enlarged) so that
// its bounding box starts at (20, 20) and its longer side is at most 959:
// x' = 20 + nearbyint((x - min x) * s), s = min(1, 959 / longer side), and so
// for y. The canvas is the largest coordinate plus 20 on each axis, at most
// 999 (999 x 999 for an empty projection). The file's crossings must be
// exactly the pairs of edges that cross by this program's crossing rule
// (diagram/Perturbation.h) in the file's own coordinates, each pair once; the
// over/under of each is taken from the file. Points that come to the same
// place are refused, and so is a scaling that changes which edges cross, on
// which side or in which order along an edge: the diagram read always has the
// crossing code of the file's drawing. Every fault is a TFileError whose
// message says what is wrong and on which line or at which vertex or edge.
//
// Writing: the closed groups only (a group being drawn is left out), each as
// a closed component, its points as vertices and its lines as edges in index
// order, and every crossing of two lines under the crossing rule as
// "under over", in the order of the higher line, then the lower; h is -1.
// Lines end with LF.
#pragma once

#include <string>

#include "diagram/Draw.h"

namespace ravelon {

// A diagram read from a link projection file, all of its groups closed, with
// the canvas it fits.
struct TPLinkDiagram {
    TDraw Draw;
    int Width = 0;
    int Height = 0;
};

// The link projection text of D's closed groups.
std::string PLinkText(const TDraw& D);

// The diagram of a link projection text. Throws TFileError.
TPLinkDiagram ReadPLink(const std::string& Text);

// Writes PLinkText(D) to FileName atomically (diagram/TextFile.h). Throws
// TFileError.
void SavePLinkFile(const std::string& FileName, const TDraw& D);

// Reads the regular file FileName with ReadPLink. Throws TFileError.
TPLinkDiagram LoadPLinkFile(const std::string& FileName);

}  // namespace ravelon
