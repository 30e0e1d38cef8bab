// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas interaction: the five mouse handlers of Image1 as a small state
// machine over the editing state (DrawMode and its companions).
//
//   mode     event           condition                             action                                   next
//   idle     move            -                                     hit-test, hint, cursor                   idle
//   idle     press (any)     a point within reach                  start moving, two rubber bands           moving
//   idle     left release    clicked, a crossing within reach      swap the crossing, repaint               idle
//   idle     left release    clicked, no crossing within reach     begin a group at the mouse               drawing
//   drawing  move            -                                     rubber band, hint                        drawing
//   drawing  left release    16 pixels or more from the start      plot a point and its line, repaint       drawing
//   drawing  left release    nearer, at least 3 points             close the group, repaint                 idle
//   drawing  left release    nearer, fewer than 3 points           repaint only                             drawing
//   moving   move            -                                     two rubber bands                         moving
//   moving   left release    -                                     move the point there, repaint            idle
//   any      right release   at least one point                    step back (Undo), repaint                as Undo sets
//
// Every release that changes the diagram is one step of the undo history.
//
// Distances are squared pixel distances: a point or crossing is within reach
// under 8 pixels (64), a click closes the group under 16 pixels (256). The
// hit-test fields are refreshed only by moves in the idle mode.
#include <QPainter>

#include "app/RavelonU1.h"
#include "app/ScreenCursor.h"

namespace ravelon {

namespace {

using enum TDrawMode;
constexpr std::int64_t ReachSquared = 64;
constexpr std::int64_t CloseSquared = 256;

const QString DrawingHint = QStringLiteral("左クリックで点をプロットし、右クリックで取り消します。");
const QString CrossingHint = QStringLiteral("クリックすると上下関係を入れ替えます。");
const QString PointHint = QStringLiteral("ドラッグすると点の位置を移動します。");

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

}  // namespace

void TForm1::Image1MouseMove(Qt::MouseButtons, int X, int Y) {
    StatusPanel0->setText(QString::asprintf("(%3d, %3d)", X, Y));
    const TPoint mouse{X, Y};
    QPainter canvas(&Image1->Picture);
    switch (DrawMode) {
        case Drawing:  // drawing, move: the rubber band follows the mouse
            DrawRubberBand(canvas, LastPoint, CurrentPoint);
            CurrentPoint = mouse;
            DrawRubberBand(canvas, LastPoint, CurrentPoint);
            ShowHint(DrawingHint);
            break;
        case Moving:  // moving, move: both rubber bands follow the mouse
            DrawRubberBand(canvas, NextPoint, CurrentPoint);
            DrawRubberBand(canvas, PrevPoint, CurrentPoint);
            CurrentPoint = mouse;
            DrawRubberBand(canvas, NextPoint, CurrentPoint);
            DrawRubberBand(canvas, PrevPoint, CurrentPoint);
            break;
        default: {  // idle, move: what would a click here do?
            ShowHint(QString());
            FCrossHit = false;
            const std::int32_t lines = FDraw.FLineCount();
            for (std::int32_t b = 0; b < lines; ++b)
                for (std::int32_t a = 0; a < lines; ++a) {
                    const TPoint c = FDraw.FCross[Ix(a)][Ix(b)];
                    if (IsCrossing(c) && SquaredDistance(mouse, c) < ReachSquared) {
                        FCrossHit = true;
                        FCrossLineA = a;
                        FCrossLineB = b;
                        ShowHint(CrossingHint);
                    }
                }
            FPointHit = false;
            for (std::int32_t i = 0; i < FDraw.FPointCount(); ++i)
                if (SquaredDistance(mouse, FDraw.PointAt(i)) < ReachSquared) {
                    FPointHit = true;
                    FPointIndex = i;
                    ShowHint(PointHint);
                }
            SetScreenCursor(FPointHit ? crOpenHand : (FCrossHit ? crPointingHand : crDefault));
            break;
        }
    }
    canvas.end();
    Image1->update();
}

void TForm1::Image1MouseDown(Qt::MouseButton, int X, int Y) {
    // idle, press (any button) over a point: start moving it.
    if (DrawMode != Idle || !FPointHit) return;
    FDraw.GetNeighbours(FPointIndex, NextPoint, PrevPoint);
    CurrentPoint = {X, Y};
    SetScreenCursor(crGrabbingHand);
    DrawMode = Moving;
    QPainter canvas(&Image1->Picture);
    DrawRubberBand(canvas, NextPoint, CurrentPoint);
    DrawRubberBand(canvas, PrevPoint, CurrentPoint);
    canvas.end();
    Image1->update();
}

void TForm1::Image1Click() { FClicked = true; }

void TForm1::Image1DblClick() {}

void TForm1::Image1MouseUp(Qt::MouseButton Button, int X, int Y) {
    // Whatever a release changes in the diagram is one step of the history;
    // a move's step runs from its press, the diagram being as it was then.
    const std::shared_ptr<const TWindowState> before = CaptureState();
    if (Button == Qt::LeftButton) LeftRelease({X, Y});
    else if (Button == Qt::RightButton) RightRelease({X, Y});
    FClicked = false;
    RecordStep(before, false);
}

void TForm1::LeftRelease(TPoint Mouse) {
    switch (DrawMode) {
        case Idle:
            if (!FClicked) break;  // no click: nothing to do
            if (FCrossHit) {       // idle, click on a crossing: swap it
                FDraw.SwapCrossing(FCrossLineA, FCrossLineB);
                RedrawCanvas();
            } else {  // idle, click elsewhere: begin a group
                StartPoint = LastPoint = CurrentPoint = Mouse;
                {
                    QPainter canvas(&Image1->Picture);
                    DrawPoint(canvas, CurrentPoint, Qt::black);
                }
                Image1->update();
                DrawMode = Drawing;
                SetScreenCursor(crCross);
                FDraw.BeginGroup(CurrentPoint);
            }
            break;
        case Drawing:
            CurrentPoint = Mouse;
            if (SquaredDistance(StartPoint, CurrentPoint) >= CloseSquared) {  // plot a point
                FDraw.ExtendGroup(CurrentPoint);
                LastPoint = CurrentPoint;
            } else {  // near the start: close the group when it can be
                CurrentPoint = StartPoint;
                if (FDraw.CloseGroup()) {
                    DrawMode = Idle;
                    SetScreenCursor(crDefault);
                }
            }
            RedrawCanvas();
            break;
        case Moving:  // the point lands where the button is released
            FDraw.MovePoint(FPointIndex, Mouse);
            DrawMode = Idle;
            SetScreenCursor(crDefault);
            RedrawCanvas();
            break;
    }
}

void TForm1::RightRelease(TPoint Mouse) {
    // Any mode: one step back through the drawing.
    if (FDraw.FPointCount() == 0) return;
    FDraw.Undo();
    RedrawCanvas();
    if (DrawMode == Idle) {
        SetScreenCursor(crDefault);
    } else if (DrawMode == Drawing) {
        SetScreenCursor(crCross);
        CurrentPoint = Mouse;
        {
            QPainter canvas(&Image1->Picture);
            DrawRubberBand(canvas, LastPoint, CurrentPoint);
        }
        Image1->update();
    }
}

void TForm1::ResetInteraction() {
    // The diagram at hand decides: drawing when it holds an open group (its
    // loader has set the editing state for it), idle otherwise.
    FCrossHit = FPointHit = FClicked = false;
    if (DrawMode == Moving) DrawMode = Idle;
    SetScreenCursor(DrawMode == Drawing ? crCross : crDefault);
}

}  // namespace ravelon
