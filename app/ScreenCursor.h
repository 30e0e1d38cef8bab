// SPDX-License-Identifier: GPL-3.0-or-later
// The screen's cursor: one cursor for the whole application, chosen by number,
// that stays as set wherever the mouse goes until it is set again.
//
// Numbers: 0 the platform's arrow, -3 the cross-hair, -11 the hourglass, and
// the program's own hand cursors registered at start-up as 1 (a hand pointing
// up with the index finger), 2 (an open hand) and 3 (a closed, grabbing hand).
#pragma once

#include <QCursor>

namespace ravelon {

constexpr int crDefault = 0;
constexpr int crPointingHand = 1;
constexpr int crOpenHand = 2;
constexpr int crGrabbingHand = 3;
constexpr int crCross = -3;
constexpr int crHourGlass = -11;

// Registers the program's hand cursors as numbers 1, 2 and 3.
void RegisterScreenCursors();
// The cursor registered or built in under Id.
QCursor ScreenCursorShape(int Id);
// Sets the application's cursor to number Id.
void SetScreenCursor(int Id);
// The number the application's cursor was last set to.
int ScreenCursor();

}  // namespace ravelon
