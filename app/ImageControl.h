// SPDX-License-Identifier: GPL-3.0-or-later
// A picture control: a widget that shows a picture (a QImage it owns) at its
// top-left corner and reports the mouse in picture pixels.
//
// Mouse events follow the rules the canvas interaction is written for:
// - a press and a release of the left button, both on the control, report a
//   click just before the release; a double click's second press is reported
//   as a press (and a double click) without a click;
// - while the left button is held the mouse is captured: moves and the
//   release arrive even outside the control, with coordinates outside it;
// - other buttons do not capture: their release and moves outside the control
//   are not reported;
// - mouse tracking is on, so moves without a button arrive too.
#pragma once

#include <QImage>
#include <QWidget>

namespace ravelon {

// A widget showing Picture, with the mouse reported as press, move, click,
// double click and release.
class TImageControl : public QWidget {
    Q_OBJECT

public:
    explicit TImageControl(QWidget* Parent = nullptr);

    // The picture shown; paint on it, then call update(). It is never
    // empty: a control of no width or height keeps a picture one pixel
    // wide or high there, which is not shown, so that painting on it is
    // always possible.
    QImage Picture;

    // Gives the control the size W x H and its picture that size (at least
    // 1 x 1); a larger picture keeps its top-left part, new parts are white.
    void SetPictureSize(int W, int H);
    // The part of the picture the control shows: W x H, empty for a control
    // of no width or height.
    QImage Shown() const;

signals:
    void MouseDown(Qt::MouseButton Button, int X, int Y);
    void MouseMove(Qt::MouseButtons Buttons, int X, int Y);
    void Click();
    void DblClick();
    void MouseUp(Qt::MouseButton Button, int X, int Y);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
    bool FLeftPressedHere = false;  // the left press may still become a click
};

}  // namespace ravelon
