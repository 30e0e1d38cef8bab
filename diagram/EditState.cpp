#include "diagram/EditState.h"

namespace ravelon {

std::uint8_t DrawMode = 0;
std::int32_t OpenGroupStart = 0;
TPoint StartPoint;
TPoint LastPoint;
TPoint CurrentPoint;
TPoint NextPoint;
TPoint PrevPoint;

void ResetEditState() {
    DrawMode = 0;
    OpenGroupStart = 0;
    StartPoint = {};
    LastPoint = {};
    CurrentPoint = {};
    NextPoint = {};
    PrevPoint = {};
}

}  // namespace ravelon
