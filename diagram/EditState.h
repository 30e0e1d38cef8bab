// The editing state shared by the diagram's operations and the canvas
// interaction: one set for the whole program.
//
// Data model:
//   DrawMode        0 idle, 1 drawing (a group is open), 2 moving a point
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

extern std::uint8_t DrawMode;
extern std::int32_t OpenGroupStart;
extern TPoint StartPoint;
extern TPoint LastPoint;
extern TPoint CurrentPoint;
extern TPoint NextPoint;
extern TPoint PrevPoint;

// Sets all seven variables back to zero (for tests, and for a fresh start).
void ResetEditState();

}  // namespace ravelon
