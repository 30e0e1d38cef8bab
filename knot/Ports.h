// SPDX-License-Identifier: GPL-3.0-or-later
// The ports of the crossings, and the two smoothings of a crossing.
//
// Data model: crossing c (0 to n - 1) has the ports 0 to 3 in clockwise
// order, and the pair is the node 4c + p: every graph of a code (the port
// graph, the faces, the simplification, the contraction, the Seifert circles
// and the layout) indexes its ports so. TKnot stores its crossings and ports
// from 1 (its crossing 1 port 1 is node 0); KnotNode, KnotCrossingOf and
// KnotPortOf are the one conversion between the two numberings.
//
// A crossing's strand passing over enters at its first port First. The
// smoothing of kind 1 joins First with the next port clockwise, kind 2 with
// the port before it; either way the other two ports are joined with each
// other.
#pragma once

#include <cstdint>

namespace ravelon {

constexpr std::int32_t NodeOf(std::int32_t Crossing, std::int32_t Port) { return 4 * Crossing + Port; }
constexpr std::int32_t CrossingOf(std::int32_t Node) { return Node / 4; }
constexpr std::int32_t PortOf(std::int32_t Node) { return Node % 4; }

// The next port clockwise, and the port across the crossing (on the same strand).
constexpr std::int32_t Clockwise(std::int32_t Port) { return (Port + 1) % 4; }
constexpr std::int32_t Across(std::int32_t Port) { return (Port + 2) % 4; }

// The port that the smoothing of Kind (1 or 2) joins with Port, at a
// crossing whose first port is First.
constexpr std::int32_t SmoothingPartner(std::int32_t First, int Kind, std::int32_t Port) {
    const bool fromFirstSide = (Port - First + 4) % 2 == 0;
    return fromFirstSide == (Kind == 1) ? (Port + 1) % 4 : (Port + 3) % 4;
}

// The PD notation lists a crossing's ports counter-clockwise from the entry
// of the strand passing under: its position Position (0 to 3) is this port.
constexpr std::int32_t PdPort(std::int32_t UnderEntry, std::int32_t Position) { return (UnderEntry - Position + 4) % 4; }

// TKnot's numbering: crossing Crossing and port Port, both from 1.
constexpr std::int32_t KnotNode(std::int32_t Crossing, std::int32_t Port) { return NodeOf(Crossing - 1, Port - 1); }
constexpr std::int32_t KnotCrossingOf(std::int32_t Node) { return CrossingOf(Node) + 1; }
constexpr std::int32_t KnotPortOf(std::int32_t Node) { return PortOf(Node) + 1; }

}  // namespace ravelon
