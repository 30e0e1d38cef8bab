// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers of a link projection file (diagram/PLinkFile.h), read and
// checked for range but not yet for shape: the first half of ReadPLink.
//
// Data model: every item keeps the number of the file line it came from, for
// the messages. Example: the triangle of diagram/PLinkFile.h gives
//   Components {0, 0, line 3}; Vertices (100, 100) line 5, (200, 100) line 6,
//   (150, 200) line 7; Edges {0, 1, line 9}, {1, 2, line 10}, {2, 0, line 11};
//   no Crossings.
// Vertex indices in Components and Edges and edge indices in Crossings are in
// range, no edge joins a vertex to itself and no crossing an edge to itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diagram/Geometry.h"

namespace ravelon {

// The most vertices and the most edges a file may have.
constexpr std::int32_t MaxPLinkVertices = 2000;

// The items of a link projection file in file order.
struct TPLinkNumbers {
    // A component line: its first and last vertex.
    struct TComponent {
        std::int32_t First = 0;
        std::int32_t Last = 0;
        std::int32_t Line = 0;
    };
    // A vertex and where it is.
    struct TVertex {
        TPoint P;
        std::int32_t Line = 0;
    };
    // An edge from vertex Start to vertex End.
    struct TEdge {
        std::int32_t Start = 0;
        std::int32_t End = 0;
        std::int32_t Line = 0;
    };
    // A crossing: the edge passing under and the edge passing over.
    struct TCrossing {
        std::int32_t Under = 0;
        std::int32_t Over = 0;
        std::int32_t Line = 0;
    };
    std::vector<TComponent> Components;
    std::vector<TVertex> Vertices;
    std::vector<TEdge> Edges;
    std::vector<TCrossing> Crossings;
};

// The items of Text. Throws TFileError naming the line at fault.
TPLinkNumbers ReadPLinkNumbers(const std::string& Text);

}  // namespace ravelon
