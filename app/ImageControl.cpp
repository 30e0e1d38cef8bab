// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ravelon {

namespace {

// The mouse position in whole picture pixels.
QPoint PixelOf(const QMouseEvent* Event) {
    const QPointF p = Event->position();
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

}  // namespace

TImageControl::TImageControl(QWidget* Parent) : QWidget(Parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImageControl::SetPictureSize(int W, int H) {
    W = std::max(W, 0);
    H = std::max(H, 0);
    QImage resized(std::max(W, 1), std::max(H, 1), QImage::Format_RGB32);
    resized.fill(Qt::white);
    if (!Picture.isNull()) {
        QPainter p(&resized);
        p.drawImage(0, 0, Picture);
    }
    Picture = std::move(resized);
    setFixedSize(W, H);
    update();
}

QImage TImageControl::Shown() const { return Picture.copy(0, 0, width(), height()); }

void TImageControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(0, 0, Picture);
}

void TImageControl::mousePressEvent(QMouseEvent* Event) {
    const QPoint at = PixelOf(Event);
    if (Event->button() == Qt::LeftButton) FLeftPressedHere = true;
    emit MouseDown(Event->button(), at.x(), at.y());
}

void TImageControl::mouseDoubleClickEvent(QMouseEvent* Event) {
    // The second press of a double click: a press that can never make a click.
    const QPoint at = PixelOf(Event);
    FLeftPressedHere = false;
    emit MouseDown(Event->button(), at.x(), at.y());
    emit DblClick();
}

void TImageControl::mouseMoveEvent(QMouseEvent* Event) {
    // Only the left button captures the mouse.
    if (!(Event->buttons() & Qt::LeftButton) && !rect().contains(PixelOf(Event))) return;
    const QPoint at = PixelOf(Event);
    emit MouseMove(Event->buttons(), at.x(), at.y());
}

void TImageControl::mouseReleaseEvent(QMouseEvent* Event) {
    const QPoint at = PixelOf(Event);
    const bool inside = rect().contains(at);
    if (Event->button() == Qt::LeftButton) {
        const bool click = FLeftPressedHere && inside;
        FLeftPressedHere = false;
        if (click) emit Click();
    } else if (!inside) {
        return;  // released over another window, which would get it
    }
    emit MouseUp(Event->button(), at.x(), at.y());
}

}  // namespace ravelon
