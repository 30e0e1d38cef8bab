// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers the widget tests share: answering modal boxes without a person,
// and mouse clicks on the canvas in canvas pixels.
#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QApplication>
#include <QTimer>
#include <QString>
#include <functional>
#include <memory>
#include <type_traits>

#include "app/Application.h"
#include "app/RavelonU1.h"

namespace ravelon::testing {

// Runs Act once on the first modal window of type W that is shown and
// active, polling the event loop; Act takes the window as W& or as W*. The
// watch ends when the returned timer goes.
template <class W, class F>
[[nodiscard]] std::unique_ptr<QTimer> WhenModal(F Act) {
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(5);
    QTimer* const t = timer.get();
    QObject::connect(t, &QTimer::timeout, t, [t, Act]() mutable {
        W* const w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (w == nullptr || !w->isVisible()) return;
        t->stop();
        if constexpr (std::is_invocable_v<F&, W&>)
            Act(*w);
        else
            Act(w);
    });
    timer->start();
    return timer;
}

// Presses and releases Button twice at At as the window system delivers a
// double click: press, release, double-click press, release.
void DoubleClickCanvas(TForm1& Form, QPoint At);

// Answers the next confirmation box with Yes or No; its caption and text
// go to Seen as "caption|text".
[[nodiscard]] std::unique_ptr<QTimer> AnswerQuestion(bool Yes, QString* Seen = nullptr);

// Closes the next error report with OK; its caption and text go to Seen.
[[nodiscard]] std::unique_ptr<QTimer> AcceptErrorReport(QString* Seen = nullptr);

// Moves the mouse to At on the canvas (so that the idle hit-test runs), then
// presses and releases Button there.
void ClickCanvas(TForm1& Form, QPoint At, Qt::MouseButton Button = Qt::LeftButton);

// Clicks every point of Points on the canvas in turn.
void ClickCanvasPath(TForm1& Form, std::initializer_list<QPoint> Points);

}  // namespace ravelon::testing

// The main() of a widget test: the program's own application object (its
// font, its language and its error report), then the test class.
#define RAVELON_WIDGET_TEST_MAIN(TestClass)                  \
    int main(int argc, char** argv) {                        \
        ravelon::TApplication app(argc, argv);               \
        TestClass test;                                      \
        QTEST_SET_MAIN_SOURCE_PATH                           \
        return QTest::qExec(&test, argc, argv);              \
    }
