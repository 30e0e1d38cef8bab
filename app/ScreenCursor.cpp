// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScreenCursor.h"

#include <QGuiApplication>
#include <QPixmap>
#include <map>

namespace ravelon {

namespace {

// The screen's table of cursors and the number shown now.
struct TScreenCursors {
    std::map<int, QCursor> Registered;
    int Current = crDefault;
};

TScreenCursors& Screen() {
    static TScreenCursors screen;
    return screen;
}

}  // namespace

void RegisterScreenCursors() {
    auto& table = Screen().Registered;
    table[crPointingHand] = QCursor(QPixmap(":/cursors/cursor1.xpm"), 13, 4);
    table[crOpenHand] = QCursor(QPixmap(":/cursors/cursor2.xpm"), 15, 15);
    table[crGrabbingHand] = QCursor(QPixmap(":/cursors/cursor3.xpm"), 15, 15);
}

QCursor ScreenCursorShape(int Id) {
    switch (Id) {
        case crCross: return QCursor(Qt::CrossCursor);
        case crHourGlass: return QCursor(Qt::WaitCursor);
        default: break;
    }
    const auto& table = Screen().Registered;
    const auto found = table.find(Id);
    return found != table.end() ? found->second : QCursor(Qt::ArrowCursor);
}

void SetScreenCursor(int Id) {
    Screen().Current = Id;
    while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
    if (Id != crDefault) QGuiApplication::setOverrideCursor(ScreenCursorShape(Id));
}

int ScreenCursor() { return Screen().Current; }

}  // namespace ravelon
