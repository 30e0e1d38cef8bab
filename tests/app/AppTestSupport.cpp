// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/app/AppTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

namespace ravelon::testing {

void DoubleClickCanvas(TForm1& Form, QPoint At) {
    QTest::mouseDClick(Form.windowHandle(), Qt::LeftButton, Qt::NoModifier, Form.Image1->mapTo(&Form, At));
}

namespace {

QAbstractButton* ButtonWithText(QMessageBox* Box, const QString& Text) {
    for (QAbstractButton* b : Box->buttons())
        if (b->text() == Text) return b;
    return nullptr;
}

}  // namespace

std::unique_ptr<QTimer> AnswerQuestion(bool Yes, QString* Seen) {
    return WhenModal<QMessageBox>([Yes, Seen](QMessageBox* box) {
        if (Seen != nullptr) *Seen = box->windowTitle() + u'|' + box->text();
        QAbstractButton* const b = ButtonWithText(box, Yes ? QStringLiteral("はい(&Y)") : QStringLiteral("いいえ(&N)"));
        if (b != nullptr) b->click();
    });
}

std::unique_ptr<QTimer> AcceptErrorReport(QString* Seen) {
    return WhenModal<QMessageBox>([Seen](QMessageBox* box) {
        if (Seen != nullptr) *Seen = box->windowTitle() + u'|' + box->text();
        box->accept();
    });
}

void ClickCanvas(TForm1& Form, QPoint At, Qt::MouseButton Button) {
    QTest::mouseMove(Form.Image1, At);
    QTest::mousePress(Form.Image1, Button, Qt::NoModifier, At);
    QTest::mouseRelease(Form.Image1, Button, Qt::NoModifier, At);
}

void ClickCanvasPath(TForm1& Form, std::initializer_list<QPoint> Points) {
    for (const QPoint p : Points) {
        ClickCanvas(Form, p);
        // Far enough apart in time that no two clicks make a double click.
        QTest::qWait(QApplication::doubleClickInterval() / 10 + 1);
    }
}

}  // namespace ravelon::testing
