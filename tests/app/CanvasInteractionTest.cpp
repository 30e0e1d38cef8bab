// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing with the mouse on the canvas, and the invariant commands with the
// output pane, driven by real mouse events through the canvas's handlers.
#include <QApplication>
#include <QTest>

#include "app/ScreenCursor.h"
#include "diagram/EditState.h"
#include "tests/app/AppTestSupport.h"

using namespace ravelon;
using ravelon::testing::ClickCanvas;
using ravelon::testing::ClickCanvasPath;

namespace {

// The trefoil drawn as one hexagon: drawn with the newest line always over,
// it is the unknot; swapping its crossing at (177, 179) makes it a trefoil.
const std::initializer_list<QPoint> Hexagon = {{340, 120}, {310, 120}, {20, 250}, {320, 210}, {20, 110}, {360, 260}};
const QPoint HexagonClose{345, 124};
const QPoint HexagonSwap{177, 179};

// A closed curve of n crossings: a zigzag whose return line crosses each tooth.
void DrawZigzag(TForm1& Form, int Crossings) {
    std::vector<QPoint> points;
    for (int i = 0; i <= Crossings; ++i) points.emplace_back(20 + 25 * i, i % 2 == 0 ? 40 : 200);
    points.emplace_back(20 + 25 * Crossings + 20, 120);
    points.emplace_back(5, 120);
    for (const QPoint p : points) ClickCanvas(Form, p);
    ClickCanvas(Form, points.front() + QPoint(3, 3));
}

TPoly Poly(std::initializer_list<std::pair<int, int>> Terms) {
    TPoly p(0);
    for (const auto& [exponent, coefficient] : Terms) p.SetTerm(exponent, coefficient);
    return p;
}

}  // namespace

class CanvasInteractionTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ResetEditState();
        SetScreenCursor(crDefault);
    }

    void drawsAndClosesATriangle() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ClickCanvasPath(form, {{50, 50}, {150, 50}, {100, 150}});
        QCOMPARE(DrawMode, TDrawMode::Drawing);
        QCOMPARE(ScreenCursor(), crCross);
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("左クリックで点をプロットし、右クリックで取り消します。"));
        QCOMPARE(form.StatusPanel0->text(), QStringLiteral("(100, 150)"));
        ClickCanvas(form, {61, 60});  // within 15 pixels of the start
        QCOMPARE(DrawMode, TDrawMode::Idle);
        QCOMPARE(ScreenCursor(), crDefault);
        QCOMPARE(form.FDraw.FPointCount(), 3);
        QCOMPARE(form.FDraw.FLineCount(), 3);
        QCOMPARE(form.FDraw.FGroupCount, 1);
        QCOMPARE(form.Image1->Picture.pixelColor(100, 50), QColor(0, 0, 255));
        QTest::mouseMove(form.Image1, {5, 9});
        QCOMPARE(form.StatusPanel0->text(), QStringLiteral("(  5,   9)"));
    }

    void closingClickOnOneOrTwoPointsAddsNothing() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ClickCanvasPath(form, {{50, 50}, {55, 55}});
        QCOMPARE(form.FDraw.FPointCount(), 1);
        ClickCanvasPath(form, {{150, 50}, {52, 52}});
        QCOMPARE(form.FDraw.FPointCount(), 2);
        QCOMPARE(DrawMode, TDrawMode::Drawing);
    }

    void doubleClicks() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // In the idle mode the second release of a double click does nothing:
        // one group begun, one point.
        QTest::mouseMove(form.Image1, {60, 60});
        testing::DoubleClickCanvas(form, {60, 60});
        QCOMPARE(form.FDraw.FPointCount(), 1);
        // While drawing, both releases plot: two points at one place.
        QTest::mouseMove(form.Image1, {200, 60});
        testing::DoubleClickCanvas(form, {200, 60});
        QCOMPARE(form.FDraw.FPointCount(), 3);
        QCOMPARE(form.FDraw.PointAt(1), (TPoint{200, 60}));
        QCOMPARE(form.FDraw.PointAt(2), (TPoint{200, 60}));
    }

    void pressNearAPointMovesItInsteadOfSwapping() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ClickCanvasPath(form, Hexagon);
        ClickCanvas(form, HexagonClose);
        const TDraw before = form.FDraw;

        // The open hand over a point; the hand pointing at a crossing.
        QTest::mouseMove(form.Image1, {312, 123});
        QCOMPARE(ScreenCursor(), crOpenHand);
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("ドラッグすると点の位置を移動します。"));
        QTest::mouseMove(form.Image1, HexagonSwap + QPoint(2, 2));
        QCOMPARE(ScreenCursor(), crPointingHand);
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("クリックすると上下関係を入れ替えます。"));
        // The cursor stays as set when the mouse leaves the canvas.
        QTest::mouseMove(form.StatusBar1, {5, 5});
        QCOMPARE(ScreenCursor(), crPointingHand);

        // A drag from point 1 to a new place: grabbing hand, then moved.
        QTest::mouseMove(form.Image1, {312, 123});
        QTest::mousePress(form.Image1, Qt::LeftButton, Qt::NoModifier, {312, 123});
        QCOMPARE(DrawMode, TDrawMode::Moving);
        QCOMPARE(ScreenCursor(), crGrabbingHand);
        QTest::mouseMove(form.Image1, {300, 40});
        QTest::mouseRelease(form.Image1, Qt::LeftButton, Qt::NoModifier, {300, 40});
        QCOMPARE(DrawMode, TDrawMode::Idle);
        QCOMPARE(form.FDraw.PointAt(1), (TPoint{300, 40}));
        QCOMPARE(form.FDraw.FOver, before.FOver);  // a move swaps nothing

        // A middle-button press starts a move that the left release ends.
        QTest::mouseMove(form.Image1, {21, 251});
        QTest::mousePress(form.Image1, Qt::MiddleButton, Qt::NoModifier, {21, 251});
        QTest::mouseRelease(form.Image1, Qt::MiddleButton, Qt::NoModifier, {21, 251});
        QCOMPARE(DrawMode, TDrawMode::Moving);
        QTest::mousePress(form.Image1, Qt::LeftButton, Qt::NoModifier, {30, 280});
        QTest::mouseRelease(form.Image1, Qt::LeftButton, Qt::NoModifier, {30, 280});
        QCOMPARE(DrawMode, TDrawMode::Idle);
        QCOMPARE(form.FDraw.PointAt(2), (TPoint{30, 280}));
    }

    void rightClicksStepBack() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // A right click while drawing the first point: gone, idle, arrow.
        ClickCanvas(form, {50, 50});
        ClickCanvas(form, {80, 80}, Qt::RightButton);
        QCOMPARE(form.FDraw.FPointCount(), 0);
        QCOMPARE(DrawMode, TDrawMode::Idle);
        QCOMPARE(ScreenCursor(), crDefault);

        // In the idle mode a right click reopens the last group, with the
        // cross-hair and a rubber band to the mouse.
        ClickCanvasPath(form, {{50, 50}, {150, 50}, {100, 150}, {52, 52}});
        QCOMPARE(DrawMode, TDrawMode::Idle);
        const QImage closed = form.Image1->Picture.copy();
        ClickCanvas(form, {300, 250}, Qt::RightButton);
        QCOMPARE(DrawMode, TDrawMode::Drawing);
        QCOMPARE(ScreenCursor(), crCross);
        QCOMPARE(form.FDraw.FLineCount(), 2);
        QVERIFY(form.Image1->Picture.pixelColor(200, 200) != QColor(Qt::white));  // the band to (300, 250)

        // A right press over a point starts a move; its release steps back
        // instead, and the repaint leaves no band behind.
        ClickCanvas(form, {52, 52});  // close again
        QCOMPARE(form.Image1->Picture, closed);
        QTest::mouseMove(form.Image1, {150, 52});
        QTest::mousePress(form.Image1, Qt::RightButton, Qt::NoModifier, {150, 52});
        QCOMPARE(DrawMode, TDrawMode::Moving);
        QTest::mouseRelease(form.Image1, Qt::RightButton, Qt::NoModifier, {150, 52});
        QCOMPARE(DrawMode, TDrawMode::Drawing);
        QCOMPARE(form.FDraw.FLineCount(), 2);
        QCOMPARE(form.FDraw.PointAt(1), (TPoint{150, 50}));
    }

    void releaseOutsideTheCanvasPlotsThere() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ClickCanvas(form, {50, 50});
        QTest::mousePress(form.Image1, Qt::LeftButton, Qt::NoModifier, {390, 290});
        QTest::mouseRelease(form.Image1, Qt::LeftButton, Qt::NoModifier, {450, 330});
        QCOMPARE(form.FDraw.FPointCount(), 2);
        QCOMPARE(form.FDraw.PointAt(1), (TPoint{450, 330}));
    }

    void invariantCommandsAndTheQuestion() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        DrawZigzag(form, 13);
        TKnot knot;
        form.FDraw.MakeKnot(knot);
        QCOMPARE(knot.FCrossingCount(), 13);

        // 13 crossings compute without a question, into a hidden pane that is shown.
        form.ShowOutputAction->trigger();
        QVERIFY(!form.ScrollBox2->isVisible());
        bool asked = false;
        const auto askNot = [&asked](QWidget* w) {
            asked = true;
            w->close();
        };
        auto watch = testing::WhenModal<QWidget>(askNot);
        form.CalcJonesAction->trigger();
        QVERIFY(!asked);
        watch.reset();
        QVERIFY(form.ScrollBox2->isVisible() && form.ShowOutputAction->isChecked() && form.ShowOutputMenu->isChecked());
        QCOMPARE(form.StatusPanel1->text(), QString());
        QCOMPARE(ScreenCursor(), crDefault);
        const QImage jones13 = form.Image2->Picture.copy();

        // 14 crossings ask; No changes nothing.
        ResetEditState();
        form.FDraw.Clear();
        DrawZigzag(form, 14);
        QString seen;
        auto answer = testing::AnswerQuestion(false, &seen);
        form.CalcBlacketAction->trigger();
        QCOMPARE(seen, QStringLiteral("確認|計算に時間がかかりますが、よろしいですか?"));
        QCOMPARE(form.Image2->Picture, jones13);
        answer = testing::AnswerQuestion(true);
        form.CalcBlacketAction->trigger();
        QVERIFY(form.Image2->Picture != jones13);
        // The twist number never asks.
        watch = testing::WhenModal<QWidget>(askNot);
        form.CalcTwistAction->trigger();
        QVERIFY(!asked);
        watch.reset();
    }

    void drawsATrefoilAndReadsItsJonesPolynomial() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ClickCanvasPath(form, Hexagon);
        ClickCanvas(form, HexagonClose);
        QCOMPARE(form.FDraw.FGroupCount, 1);

        // Drawn with the newest line always over, the hexagon is the unknot.
        TForm1 reference;
        form.CalcJonesAction->trigger();
        reference.ShowPolynomial(Poly({{0, 1}}), QStringLiteral("t"), QStringLiteral("ジョーンズ多項式"));
        QCOMPARE(form.Image2->Picture, reference.Image2->Picture);

        // One crossing swapped by a click: the trefoil, -t^4 + t^3 + t.
        ClickCanvas(form, HexagonSwap);
        form.CalcJonesAction->trigger();
        TPoly trefoil = Poly({{4, -1}, {3, 1}, {1, 1}});
        trefoil.FTerms.erase(trefoil.FTerms.begin());  // the constant 0
        reference.ShowPolynomial(trefoil, QStringLiteral("t"), QStringLiteral("ジョーンズ多項式"));
        QCOMPARE(form.Image2->Picture, reference.Image2->Picture);
    }
};

RAVELON_WIDGET_TEST_MAIN(CanvasInteractionTest)
#include "CanvasInteractionTest.moc"
