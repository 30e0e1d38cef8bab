// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas size dialog and the About box, driven with real key and mouse
// events over a real main window on the offscreen platform.
//
// The dialogs are modal: a polling timer finds the modal window once it is
// open and drives it. The drivers only record what they see and always close
// the window; the checks run after the command has returned.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "tests/app/AppTestSupport.h"
#include "app/RavelonU1.h"
#include "app/RavelonU2.h"
#include "app/RavelonU3.h"

using namespace ravelon;
using ravelon::testing::WhenModal;

namespace {


// The widget that receives the keys typed now.
QWidget* KeyReceiver() {
    QWidget* const focus = QApplication::focusWidget();
    return focus != nullptr ? focus : QApplication::activeWindow();
}

// Key clicks to the focused control, as typed.
void Type(const QList<Qt::Key>& Keys) {
    for (const Qt::Key key : Keys) QTest::keyClick(KeyReceiver(), key);
}

// Replaces the focused field's text with Digits, typed.
void TypeOver(QLineEdit& Field, const QString& Digits) {
    Field.selectAll();
    for (const QChar c : Digits) QTest::keyClick(KeyReceiver(), c.toLatin1());
}

// The text of the error report, answered with OK.
std::unique_ptr<QTimer> AnswerErrorReport(QString& Text) {
    return WhenModal<QMessageBox>([&Text](QMessageBox& box) {
        Text = box.windowTitle() + u'|' + box.text();
        box.accept();
    });
}

// Runs the canvas settings command of Form, lets Fill change the fields and
// presses OK; the caption and text of the error report that follows.
QString ReportOfOk(TForm1& Form, const std::function<void(TForm2&)>& Fill) {
    QString report;
    const auto answer = AnswerErrorReport(report);
    const auto driver = WhenModal<TForm2>([&Fill](TForm2& d) {
        Fill(d);
        QTest::mouseClick(d.OKButton, Qt::LeftButton);
        if (d.isVisible()) d.reject();
    });
    Form.SetCanvasAction->trigger();
    return report;
}

QSize CanvasSize(const TForm1& Form) { return {Form.CanvasWidth(), Form.CanvasHeight()}; }

QColor FontColour(const QLabel& Label) { return Label.palette().color(QPalette::WindowText); }

// How many pixels of Label, as painted, are exactly Colour.
int PixelsOf(QLabel& Label, const QColor& Colour) {
    const QImage image = Label.grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y).rgb() == Colour.rgb() ? 1 : 0;
    return n;
}

const QColor Blue(0, 0, 255);
const QColor Purple(0x80, 0x00, 0x80);

}  // namespace

// The canvas size dialog and the About box over the main window.
class TDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void OpensOnTheCanvasSizeWithTheWidthSelected() {
        TForm1 form;
        form.show();
        QString width, height, selected, typed;
        bool focusInWidth = false, escapeClosed = false;
        const auto driver = WhenModal<TForm2>([&](TForm2& d) {
            width = d.WidthEdit->text();
            height = d.HeightEdit->text();
            focusInWidth = QApplication::focusWidget() == d.WidthEdit;
            selected = d.WidthEdit->selectedText();
            Type({Qt::Key_5, Qt::Key_0, Qt::Key_0});
            typed = d.WidthEdit->text();
            Type({Qt::Key_Escape});
            escapeClosed = !d.isVisible();
            if (!escapeClosed) d.reject();
        });
        form.SetCanvasAction->trigger();
        QCOMPARE(width, QStringLiteral("400"));
        QCOMPARE(height, QStringLiteral("300"));
        QVERIFY(focusInWidth);
        QCOMPARE(selected, QStringLiteral("400"));
        QCOMPARE(typed, QStringLiteral("500"));
        QVERIFY(escapeClosed);
        QCOMPARE(CanvasSize(form), QSize(400, 300));
        QCOMPARE(form.SizePanel->text(), QStringLiteral(" 400×300"));

        // The next showing forgets what was typed and selects the width again,
        // though the focus was left in the height field.
        {
            const auto leaveInHeight = WhenModal<TForm2>([](TForm2& d) {
                Type({Qt::Key_Tab, Qt::Key_7});
                d.reject();
            });
            form.SetCanvasAction->trigger();
        }
        const auto again = WhenModal<TForm2>([&](TForm2& d) {
            width = d.WidthEdit->text();
            height = d.HeightEdit->text();
            focusInWidth = QApplication::focusWidget() == d.WidthEdit;
            selected = d.WidthEdit->selectedText();
            d.reject();
        });
        form.SetCanvasAction->trigger();
        QCOMPARE(height, QStringLiteral("300"));
        QCOMPARE(width, QStringLiteral("400"));
        QVERIFY(focusInWidth);
        QCOMPARE(selected, QStringLiteral("400"));
    }

    void TheFieldsTakeOnlyDigitsAndBackspace() {
        TForm1 form;
        form.show();
        QString afterRefused, afterEnter, afterBackspace, fourDigits, heightSelected, heightAfterRefused;
        bool openAfterEnter = false;
        const auto driver = WhenModal<TForm2>([&](TForm2& d) {
            Type({Qt::Key_A, Qt::Key_Minus, Qt::Key_Space, Qt::Key_Period, Qt::Key_Plus});
            afterRefused = d.WidthEdit->text();
            Type({Qt::Key_Return, Qt::Key_Enter});
            afterEnter = d.WidthEdit->text();
            openAfterEnter = d.isVisible();
            Type({Qt::Key_Backspace});
            afterBackspace = d.WidthEdit->text();
            Type({Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4});
            fourDigits = d.WidthEdit->text();
            Type({Qt::Key_Tab});
            heightSelected = d.HeightEdit->selectedText();
            Type({Qt::Key_X, Qt::Key_Minus});
            heightAfterRefused = d.HeightEdit->text();
            // Tab to Cancel and press it with Space.
            Type({Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space});
            if (d.isVisible()) d.accept();
        });
        form.SetCanvasAction->trigger();
        QCOMPARE(afterRefused, QStringLiteral("400"));
        QCOMPARE(afterEnter, QStringLiteral("400"));
        QVERIFY(openAfterEnter);
        QCOMPARE(afterBackspace, QString());
        QCOMPARE(fourDigits, QStringLiteral("123"));
        QCOMPARE(heightSelected, QStringLiteral("300"));
        QCOMPARE(heightAfterRefused, QStringLiteral("300"));
        QCOMPARE(CanvasSize(form), QSize(400, 300));
    }

    void OkResizesTheCanvas() {
        TForm1 form;
        form.show();
        const auto driver = WhenModal<TForm2>([](TForm2& d) {
            Type({Qt::Key_6, Qt::Key_4, Qt::Key_0, Qt::Key_Tab, Qt::Key_4, Qt::Key_8, Qt::Key_0, Qt::Key_Tab});
            if (QApplication::focusWidget() == d.OKButton) Type({Qt::Key_Space});
            if (d.isVisible()) d.reject();
        });
        form.SetCanvasAction->trigger();
        QCOMPARE(CanvasSize(form), QSize(640, 480));
        QCOMPARE(form.SizePanel->text(), QStringLiteral(" 640×480"));
        QCOMPARE(form.Image1->Picture.size(), QSize(640, 480));
    }

    void LeadingZerosAndEnterOnTheFocusedOkButton() {
        TForm1 form;
        form.show();
        const auto driver = WhenModal<TForm2>([](TForm2& d) {
            TypeOver(*d.WidthEdit, QStringLiteral("050"));
            d.OKButton->setFocus(Qt::TabFocusReason);
            Type({Qt::Key_Return});
            if (d.isVisible()) d.reject();
        });
        form.SetCanvasAction->trigger();
        QCOMPARE(CanvasSize(form), QSize(50, 300));
    }

    void APointBeyondASmallerCanvasComesBackWhenItGrows() {
        TForm1 form;
        form.show();
        form.FDraw.AddPoint(TPoint{250, 150});
        form.RedrawCanvas();
        const auto resize = [&form](const QString& W, const QString& H) {
            const auto driver = WhenModal<TForm2>([W, H](TForm2& d) {
                TypeOver(*d.WidthEdit, W);
                d.HeightEdit->setFocus(Qt::TabFocusReason);
                TypeOver(*d.HeightEdit, H);
                QTest::mouseClick(d.OKButton, Qt::LeftButton);
                if (d.isVisible()) d.reject();
            });
            form.SetCanvasAction->trigger();
        };
        resize(QStringLiteral("100"), QStringLiteral("100"));
        QCOMPARE(form.CanvasWidth(), 100);
        resize(QStringLiteral("300"), QStringLiteral("200"));
        QCOMPARE(form.FDraw.FPointCount(), 1);
        QCOMPARE(form.Image1->Picture.pixelColor(250, 150), QColor(Qt::black));
        // The grown canvas sits in the middle of the view again.
        const int border = 2 * form.ScrollBox1->frameWidth();
        QCOMPARE(form.Panel1->x(), std::max((form.ScrollBox1->width() - border - 300) / 2, 0));
        QCOMPARE(form.Panel1->y(), std::max((form.ScrollBox1->height() - border - 200) / 2, 0));
    }

    void AnEmptyWidthIsNotAnInteger() {
        TForm1 form;
        form.show();
        const QString report = ReportOfOk(form, [](TForm2&) { Type({Qt::Key_Backspace}); });
        QCOMPARE(report, QStringLiteral("Ravelon|'' は整数ではありません."));
        QCOMPARE(CanvasSize(form), QSize(400, 300));
    }

    void APastedNegativeHeightIsReportedFirst() {
        TForm1 form;
        form.show();
        const QString report = ReportOfOk(form, [](TForm2& d) {
            // What a paste from the context menu leaves in the fields.
            d.WidthEdit->setText(QStringLiteral("abc"));
            d.HeightEdit->setText(QStringLiteral("-20"));
        });
        QCOMPARE(report, QStringLiteral("Ravelon|'-20' は整数ではありません."));
        QCOMPARE(CanvasSize(form), QSize(400, 300));
    }

    void CanvasSizeOfReadsDecimalIntegers() {
        QCOMPARE(CanvasSizeOf(QStringLiteral("050")), std::optional<int>(50));
        QCOMPARE(CanvasSizeOf(QStringLiteral("0")), std::optional<int>(0));
        QCOMPARE(CanvasSizeOf(QStringLiteral("+7")), std::optional<int>(7));
        QCOMPARE(CanvasSizeOf(QStringLiteral("-0")), std::optional<int>(0));
        QVERIFY(!CanvasSizeOf(QStringLiteral("-1")));
        QVERIFY(!CanvasSizeOf(QStringLiteral("")));
        QVERIFY(!CanvasSizeOf(QStringLiteral("+")));
        QVERIFY(!CanvasSizeOf(QStringLiteral(" 5")));
        QVERIFY(!CanvasSizeOf(QStringLiteral("１２")));
        QVERIFY(!CanvasSizeOf(QStringLiteral("99999999999")));
    }

    // Both dialogs open over the main window's centre, wherever it is now,
    // with a division that truncates toward zero when the main window is the
    // narrower.
    void BothDialogsCentreOverTheMovedMainWindow() {
        TForm1 form;
        form.show();
        QList<QPoint> seen, expected;
        const auto record = [&](QDialog& d) {
            const QRect main = form.frameGeometry();
            const QRect box = d.frameGeometry();
            expected << QPoint(main.left() + (main.width() - box.width()) / 2,
                               main.top() + (main.height() - box.height()) / 2);
            seen << box.topLeft();
            d.close();
        };
        for (const QRect& place : {QRect(130, 70, 500, 550), QRect(11, 23, 300, 300)}) {
            form.setGeometry(place);
            {
                const auto driver = WhenModal<TForm2>([&](TForm2& d) { record(d); });
                form.SetCanvasAction->trigger();
            }
            {
                const auto driver = WhenModal<TForm3>([&](TForm3& d) { record(d); });
                form.AboutAction->trigger();
            }
        }
        QCOMPARE(seen.size(), 4);
        QCOMPARE(seen, expected);
        QCOMPARE(form.Form2->size(), QSize(337, 107));
        QCOMPARE(form.Form3->size(), QSize(353, 139));
        QCOMPARE(form.Form2->font(), form.font());
        // 300 - 337 and 300 - 353 are odd: truncation, not flooring.
        QCOMPARE(seen[2].x(), form.frameGeometry().left() - 18);
        QCOMPARE(seen[3].x(), form.frameGeometry().left() - 26);
    }

    void APressedLinkStaysPurpleTheOtherBlue() {
        TForm1 form;
        form.show();
        QList<QUrl> opened;
        form.Form3->OpenLink = [&opened](const QUrl& Target) { opened << Target; };
        QColor urlAfterPress, mailAfterPress;
        bool escapeClosed = true;
        {
            const auto driver = WhenModal<TForm3>([&](TForm3& d) {
                QTest::mousePress(d.LabelURL, Qt::RightButton, {}, QPoint(5, 5));
                urlAfterPress = FontColour(*d.LabelURL);
                mailAfterPress = FontColour(*d.LabelProgrammer);
                QTest::mouseRelease(d.LabelURL, Qt::RightButton, {}, QPoint(5, 5));
                Type({Qt::Key_Escape});
                escapeClosed = !d.isVisible();
                d.close();
            });
            form.AboutAction->trigger();
        }
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("https://ravelon.example.org/"))});
        QCOMPARE(urlAfterPress, Purple);
        QCOMPARE(mailAfterPress, Blue);
        QVERIFY(!escapeClosed);

        int purpleUrl = 0, blueMail = 0, purpleMail = 0;
        {
            const auto driver = WhenModal<TForm3>([&](TForm3& d) {
                purpleUrl = PixelsOf(*d.LabelURL, Purple);
                blueMail = PixelsOf(*d.LabelProgrammer, Blue);
                QTest::mousePress(d.LabelProgrammer, Qt::MiddleButton, {}, QPoint(5, 5));
                purpleMail = PixelsOf(*d.LabelProgrammer, Purple);
                d.close();
            });
            form.AboutAction->trigger();
        }
        QVERIFY(purpleUrl > 0);
        QVERIFY(blueMail > 0);
        QVERIFY(purpleMail > 0);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.back(), QUrl(QStringLiteral("mailto:ravelon@example.org")));
        QCOMPARE(form.Form3->Label1->text(), QStringLiteral("Ravelon  Version 1.02"));
        // The pointing hand on the two links and the supervisor's name only.
        for (const QLabel* label : {form.Form3->LabelSupervisor, form.Form3->LabelProgrammer, form.Form3->LabelURL})
            QVERIFY(label->testAttribute(Qt::WA_SetCursor));
        QVERIFY(!form.Form3->Label1->testAttribute(Qt::WA_SetCursor));
        QVERIFY(!form.Form3->LabelSupervisor->font().underline());
    }
};

RAVELON_WIDGET_TEST_MAIN(TDialogsTest)
#include "DialogsTest.moc"
