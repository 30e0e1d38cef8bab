// SPDX-License-Identifier: GPL-3.0-or-later
// The editing state shared by the diagram's operations and the canvas
// interaction: one set for the whole program.
//
// Data model:
//   DrawMode        idle, drawing (a group is open), or moving a point
//   OpenGroupStart  index of the first point of the open group
//   StartPoint      coordinates of the first point of the open group
//   LastPoint       coordinates of the last plotted point (fixed end of the
//                   drawing rubber band)
//   CurrentPoint    latest mouse position used for rubber bands
//   NextPoint       coordinates of the successor of the point being moved
//   PrevPoint       coordinates of the predecessor of the point being moved
// All start at zero.
#pragma once

#include <cstdint>

#include "diagram/Geometry.h"

namespace ravelon {

// The modes of the canvas interaction, as numbered in the program's files.
enum class TDrawMode : std::uint8_t { Idle = 0, Drawing = 1, Moving = 2 };

extern TDrawMode DrawMode;
extern std::int32_t OpenGroupStart;
extern TPoint StartPoint;
extern TPoint LastPoint;
extern TPoint CurrentPoint;
extern TPoint NextPoint;
extern TPoint PrevPoint;

// Sets all seven variables back to zero (for tests, and for a fresh start).
void ResetEditState();

}  // namespace ravelon
