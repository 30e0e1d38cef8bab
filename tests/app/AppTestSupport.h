// Helpers the widget tests share: answering modal boxes without a person,
// and mouse clicks on the canvas in canvas pixels.
#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QString>
#include <functional>

#include "app/Application.h"
#include "app/RavelonU1.h"

namespace ravelon::testing {

// Runs Act on the next modal widget as soon as one is shown (polling the
// event loop), once. Deleting the returned watch cancels it.
QPointer<QTimer> WhenModalShown(std::function<void(QWidget*)> Act);

// Presses and releases Button twice at At as the window system delivers a
// double click: press, release, double-click press, release.
void DoubleClickCanvas(TForm1& Form, QPoint At);

// Answers the next confirmation box with Yes or No; its text goes to Seen.
void AnswerQuestion(bool Yes, QString* Seen = nullptr);

// Closes the next error report with OK; its text goes to Seen.
void AcceptErrorReport(QString* Seen = nullptr);

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
