// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/EditState.h"

namespace ravelon {

TDrawMode DrawMode = TDrawMode::Idle;
std::int32_t OpenGroupStart = 0;
TPoint StartPoint;
TPoint LastPoint;
TPoint CurrentPoint;
TPoint NextPoint;
TPoint PrevPoint;

void ResetEditState() {
    DrawMode = TDrawMode::Idle;
    OpenGroupStart = 0;
    StartPoint = {};
    LastPoint = {};
    CurrentPoint = {};
    NextPoint = {};
    PrevPoint = {};
}

}  // namespace ravelon
