// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as it starts, its command table, the toggles, the close
// question, the error report, and the diagram's picture read pixel by pixel.
#include <QApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWidgetAction>
#include <cmath>

#include "app/HelpDialog.h"
#include "app/Messages.h"
#include "diagram/EditState.h"
#include "tests/app/AppTestSupport.h"

using namespace ravelon;

namespace {

const QColor Blue(0, 0, 255), Red(255, 0, 0), Green(0, 128, 0), White(255, 255, 255), Black(0, 0, 0);

// Draws and closes one group through the diagram's own editing operations.
void AddGroup(TDraw& D, std::initializer_list<TPoint> Points) {
    auto p = Points.begin();
    D.BeginGroup(*p);
    for (++p; p != Points.end(); ++p) D.ExtendGroup(*p);
    D.CloseGroup();
}

QColor At(const TForm1& Form, int X, int Y) { return Form.Image1->Picture.pixelColor(X, Y); }

// True when some pixel within Radius of (X, Y) has colour C.
bool Near(const TForm1& Form, int X, int Y, int Radius, const QColor& C) {
    for (int y = Y - Radius; y <= Y + Radius; ++y)
        for (int x = X - Radius; x <= X + Radius; ++x)
            if (At(Form, x, y) == C) return true;
    return false;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetEditState(); }

    void startsAsANewKnotOnAWhiteCentredCanvas() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [NewKnot]"));
        QCOMPARE(form.SizePanel->text(), QStringLiteral(" 400×300"));
        QCOMPARE(form.StatusPanel1->text(), QString());
        QCOMPARE(form.Image1->Picture.size(), QSize(400, 300));
        for (int y = 0; y < 300; y += 7)
            for (int x = 0; x < 400; x += 7) QCOMPARE(At(form, x, y), White);
        // Equal grey margins around the canvas in the canvas view.
        const int inner = form.ScrollBox1->height() - 2 * form.ScrollBox1->frameWidth();
        QVERIFY(std::abs(inner - 300 - 2 * form.Panel1->y()) <= 1);
        QVERIFY(form.Panel1->y() > 0 && form.Panel1->x() > 0);

        // A canvas larger than the view starts at the view's origin, and is
        // shown from its top-left corner even after the view was scrolled.
        form.SetCanvasSize(999, 999);
        QCOMPARE(form.Panel1->pos(), QPoint(0, 0));
        form.ScrollBox1->verticalScrollBar()->setValue(500);
        form.SetCanvasSize(900, 990);
        QCOMPARE(form.ScrollBox1->verticalScrollBar()->value(), 0);
        QCOMPARE(form.SizePanel->text(), QStringLiteral(" 900×990"));
    }

    void commandTableAndMenus() {
        TForm1 form;
        // Every command of the window: enabled, with a hint for status panel
        // 1, one mnemonic letter, and no key held by two commands.
        QSet<QString> keys;
        for (QMenu* menu : {form.FileMenu, form.EditMenu, form.ShowMenu, form.ToolMenu, form.HelpMenu}) {
            for (QAction* item : menu->actions()) {
                if (item->isSeparator()) continue;
                QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
                const QString caption = item->text().section(u'\t', 0, 0);
                QCOMPARE(caption.count(u'&'), 1);
                QVERIFY2(caption.at(caption.indexOf(u'&') + 1).isLetter(), qPrintable(caption));
                if (item != form.ShowOutputMenu) QVERIFY2(!item->statusTip().isEmpty(), qPrintable(caption));
            }
        }
        for (QAction* action : form.findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
            if (action->menu() != nullptr || action->isSeparator()) continue;
            QVERIFY(action->isEnabled());
            for (const QKeySequence& key : action->shortcuts()) {
                QVERIFY2(!keys.contains(key.toString()), qPrintable(key.toString()));
                keys.insert(key.toString());
            }
        }
        for (const char* key : {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+P", "F1", "Ctrl+Z", "Ctrl+Y"})
            QVERIFY2(keys.contains(QKeySequence(key).toString()), key);
        for (QAction* tool : form.ToolBar1->actions())
            if (!tool->isSeparator() && qobject_cast<QWidgetAction*>(tool) == nullptr) QVERIFY(!tool->icon().isNull());
        QVERIFY(form.ShowToolBarAction->isChecked() && form.ShowStatusBarAction->isChecked() &&
                form.ShowOutputAction->isChecked() && !form.ShowDirectionAction->isChecked());

        // Menu places: the item names and captions in order, "-" a separator;
        // an item shows its action's shortcut after a tab but holds none.
        const auto place = [](QMenu* m) {
            QStringList items;
            for (QAction* a : m->actions()) {
                items << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + u':' + a->text().section(u'\t', 0, 0));
                if (!a->shortcut().isEmpty()) items << QStringLiteral("(a shortcut of its own)");
            }
            return items.join(u' ');
        };
        QCOMPARE(form.SaveMenu->text().section(u'\t', 1), QKeySequence("Ctrl+S").toString(QKeySequence::NativeText));
        QCOMPARE(form.FileMenu->title(), QStringLiteral("ファイル(&F)"));
        QCOMPARE(place(form.FileMenu),
                 QStringLiteral("NewMakeMenu:新規作成(&N) OpenMenu:ファイルを開く(&O)... SaveMenu:上書き保存(&S) "
                                "SaveAsMenu:名前を付けて保存(&A)... - SabeAsGraphicMenu:ビットマップとして保存(&B)... - "
                                "PrinterSetupMenu:プリンタの設定(&S)... PrintMenu:印刷(&P)... - ExitMenu:終了(&X)"));
        QCOMPARE(form.EditMenu->title(), QStringLiteral("編集(&E)"));
        QCOMPARE(place(form.EditMenu),
                 QStringLiteral("CalcBlancketMenu:ブラケット多項式(&B) CalcTwistMenu:ねじり数(&T) CalcJonesMenu:ジョーンズ多項式(&J) - "
                                "ReverseAllMenu:すべての上下を入れ替える(&R) - SetCanvasMenu:キャンバスの設定(&S)..."));
        QCOMPARE(form.ShowMenu->title(), QStringLiteral("表示(&V)"));
        QCOMPARE(place(form.ShowMenu),
                 QStringLiteral("ShowToolBarMenu:ツールバーの表示(&T) ShowStatusBarMenu:ステータスバーの表示(&S) "
                                "ShowOutputMenu:アウトプットの表示(&O) - ShowDirectionMenu:結び目の向きの表示(&D)"));
        QCOMPARE(form.ToolMenu->title(), QStringLiteral("ツール(&T)"));
        QCOMPARE(place(form.ToolMenu),
                 QStringLiteral("UndoMenu:元に戻す(&U) RedoMenu:やり直し(&R) - "
                                "OpenTableMenu:表から開く(&O)... NewFromPdMenu:PD コードから作成(&N)... "
                                "OpenPLinkMenu:PLink ファイルを開く(&L)... ExportPLinkMenu:PLink ファイルに書き出す(&W)... - IdentifyMenu:結び目の同定(&I) - "
                                "CalcAlexanderMenu:アレキサンダー多項式(&A) "
                                "CalcDeterminantMenu:行列式(&D) CalcSignatureMenu:符号数(&S) - "
                                "CopyPdMenu:PD コードをコピー(&P) CopyResultMenu:結果をコピー(&C) - "
                                "ExportMenu:図を書き出す(&E)..."));
        QCOMPARE(form.RedoAction->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
        QCOMPARE(form.UndoAction->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(form.menuBar()->actions().at(3)->menu(), form.ToolMenu);
        QCOMPARE(form.menuBar()->actions().at(4)->menu(), form.HelpMenu);
        QCOMPARE(form.HelpMenu->title(), QStringLiteral("ヘルプ(&H)"));
        QCOMPARE(place(form.HelpMenu), QStringLiteral("SearchTopicMenu:トピックの検索(&H) - AboutMenu:バージョン情報(&A)..."));
        QCOMPARE(place(form.PopupMenu1),
                 QStringLiteral("N1:ブラケット多項式(&B) T1:ねじり数(&T) J1:ジョーンズ多項式(&J)"));
        QCOMPARE(form.ToolButton12->menu(), form.PopupMenu1);

        // A menu item runs its action, and the action's check mark shows on it.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.ShowDirectionMenu->trigger();
        QVERIFY(form.ShowDirectionAction->isChecked() && form.ShowDirectionMenu->isChecked() && form.FShowDirection);

        // Hints go to status panel 1, also from a menu item.
        form.FileMenu->popup(form.mapToGlobal(QPoint(0, 0)));
        form.FileMenu->setActiveAction(form.OpenMenu);
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("ファイルから結び目データを開きます。"));
        form.FileMenu->close();
        form.PopupMenu1->popup(form.mapToGlobal(QPoint(0, 0)));
        form.PopupMenu1->setActiveAction(form.J1);
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("結び目からジョーンズ多項式を計算します。"));
        form.PopupMenu1->close();
    }

    void togglesHideAndShowTheirPanes() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const int viewHeight = form.ScrollBox1->height();
        form.ShowOutputAction->trigger();
        QApplication::processEvents();
        QVERIFY(!form.ScrollBox2->isVisible());
        QVERIFY(!form.Splitter1->handle(1)->isVisible());
        QVERIFY(form.ScrollBox1->height() > viewHeight);
        form.ShowOutputAction->trigger();
        QApplication::processEvents();
        QVERIFY(form.ScrollBox2->isVisible() && form.Splitter1->handle(1)->isVisible());
        QVERIFY(form.Splitter1->handle(1)->y() < form.ScrollBox2->y());

        form.ShowToolBarAction->trigger();
        form.ShowStatusBarAction->trigger();
        QVERIFY(!form.ToolBar1->isVisible() && !form.StatusBar1->isVisible());
    }

    // Every shortcut reaches its command after a menu was opened and closed
    // with Escape, or after Alt alone was pressed: the keys a person types
    // go through the window system to the window.
    void shortcutsWorkAfterAMenuWasClosed() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // Whatever a command opens is closed again at once.
        QTimer closer;
        closer.setInterval(5);
        connect(&closer, &QTimer::timeout, [&form] {
            if (auto* const modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) modal->reject();
            if (form.HelpDialog != nullptr) form.HelpDialog->hide();
        });
        closer.start();
        struct Case {
            Qt::Key MenuKey;  // 0: Alt alone
            QKeyCombination Shortcut;
            QAction* Action;
        };
        const Case cases[] = {
            {Qt::Key_F, Qt::CTRL | Qt::Key_S, form.SaveAction},    {Qt::Key_E, Qt::CTRL | Qt::Key_O, form.OpenAction},
            {Qt::Key_V, Qt::CTRL | Qt::Key_N, form.NewMakeAction}, {Qt::Key_T, Qt::CTRL | Qt::Key_P, form.PrintAction},
            {Qt::Key_H, QKeyCombination(Qt::Key_F1), form.SearchTopicAction},
            {Qt::Key(0), Qt::CTRL | Qt::Key_S, form.SaveAction},
        };
        for (const Case& c : cases) {
            QSignalSpy triggered(c.Action, &QAction::triggered);
            // The window system gives the window back its activation after a dialog.
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            if (c.MenuKey != 0) {
                QTest::keyClick(form.windowHandle(), c.MenuKey, Qt::AltModifier);
                QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
                QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Escape);
                QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
            } else {
                QTest::keyClick(form.windowHandle(), Qt::Key_Alt);
            }
            QTest::keyClick(form.windowHandle(), c.Shortcut.key(), c.Shortcut.keyboardModifiers());
            QTRY_VERIFY2(triggered.count() == 1, qPrintable(c.Action->objectName()));
            QTest::keyClick(form.windowHandle(), Qt::Key_Escape);  // leave the menu bar
        }
    }

    void closeAsksEveryTime() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QString seen;
        auto answer = testing::AnswerQuestion(false, &seen);
        form.ExitAction->trigger();
        QCOMPARE(seen, QStringLiteral("確認|Ravelon を終了してよろしいですか？"));
        QVERIFY(form.isVisible());
        answer = testing::AnswerQuestion(true);
        form.close();
        QVERIFY(!form.isVisible());
    }

    void errorReportAppendsAFullStop() {
        QCOMPARE(WithFullStop(QStringLiteral("ファイルが見つかりません")), QStringLiteral("ファイルが見つかりません."));
        QCOMPARE(WithFullStop(QStringLiteral("I/O エラー (5)")), QStringLiteral("I/O エラー (5)"));  // ')' sorts before '.'
        QCOMPARE(WithFullStop(QStringLiteral("abc")), QStringLiteral("abc."));
        QCOMPARE(WithFullStop(QStringLiteral("end.")), QStringLiteral("end."));
        QCOMPARE(WithFullStop(QStringLiteral("x-")), QStringLiteral("x-"));
        QCOMPARE(WithFullStop(QStringLiteral("1")), QStringLiteral("1."));
        QCOMPARE(WithFullStop(QString()), QString());

        // An error escaping a command reaches the one report, captioned "Ravelon".
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QAction failing(&form);
        QObject::connect(&failing, &QAction::triggered, [] { throw std::runtime_error("壊れています"); });
        form.addAction(&failing);
        failing.setShortcut(QKeySequence(Qt::Key_F9));
        QString seen;
        const auto report = testing::AcceptErrorReport(&seen);
        QTest::keyClick(&form, Qt::Key_F9);
        QCOMPARE(seen, QStringLiteral("Ravelon|壊れています."));
    }

    void gapsColoursAndSwaps() {
        TForm1 form;
        // Group 0 (blue), then group 1 (red) crossing its long line twice;
        // group 1 is newer, so group 0 passes under it.
        AddGroup(form.FDraw, {{20, 20}, {380, 280}, {20, 280}});
        AddGroup(form.FDraw, {{180, 100}, {260, 100}, {200, 200}});
        AddGroup(form.FDraw, {{300, 20}, {380, 20}, {340, 60}});
        AddGroup(form.FDraw, {{40, 200}, {120, 200}, {80, 260}});
        form.RedrawCanvas();
        // Group colours: blue, red, green, blue again; points black.
        QVERIFY(Near(form, 340, 20, 1, Green));
        QVERIFY(Near(form, 80, 200, 1, Blue));
        QVERIFY(Near(form, 220, 100, 1, Red));
        QCOMPARE(At(form, 180, 100), Black);
        QCOMPARE(At(form, 300, 20), Black);

        // A crossing of line 0 with group 1, and points along line 0 from it.
        TPoint c{};
        int other = -1;
        for (int j = 3; j < 6; ++j)
            if (IsCrossing(form.FDraw.FCross[0][static_cast<std::size_t>(j)])) {
                c = form.FDraw.FCross[0][static_cast<std::size_t>(j)];
                other = j;
            }
        QVERIFY(other >= 0);
        const double len = std::hypot(360.0, 260.0);
        const auto along = [&](double d) { return QPoint(c.X + static_cast<int>(std::lround(d * 360 / len)), c.Y + static_cast<int>(std::lround(d * 260 / len))); };
        const auto blueAt = [&](double d) { return Near(form, along(d).x(), along(d).y(), 1, Blue); };
        // The older blue line has an 18-pixel gap around the crossing; the red one runs through.
        QVERIFY(!blueAt(-5) && !blueAt(5));
        QVERIFY(blueAt(-13) && blueAt(13));
        QVERIFY(Near(form, c.X, c.Y, 1, Red));

        form.FDraw.SwapCrossing(0, other);
        form.RedrawCanvas();
        QVERIFY(blueAt(-5) && blueAt(5));
        QVERIFY(!Near(form, c.X, c.Y, 2, Red));

        // Reverse all swaps every crossing: the gap is in the blue line again.
        form.ReverseAllAction->trigger();
        QVERIFY(!blueAt(-5) && !blueAt(5));
    }

    void arrowheadsAndTheirGaps() {
        TForm1 form;
        // The horizontal line (100, 100) -> (200, 100) is the first line.
        AddGroup(form.FDraw, {{100, 100}, {200, 100}, {150, 250}});
        form.RedrawCanvas();
        QCOMPARE(At(form, 140, 106), White);
        form.ShowDirectionAction->trigger();  // repaints at once
        QCOMPARE(At(form, 140, 106), Blue);
        QCOMPARE(At(form, 140, 94), Blue);
        QCOMPARE(At(form, 145, 103), Blue);  // on the stroke from (150, 100) to (140, 106)
        QCOMPARE(At(form, 140, 100), Blue);  // the line itself

        // A newer line crossing at the arrow's tip cuts the arrowhead away
        // with the line inside the 18-pixel disc.
        AddGroup(form.FDraw, {{150, 50}, {150, 150}, {260, 150}});
        form.RedrawCanvas();
        QCOMPARE(At(form, 145, 103), White);
        QCOMPARE(At(form, 143, 100), White);
        QCOMPARE(At(form, 140, 106), Blue);  // just outside the disc
        form.ShowDirectionAction->trigger();
        QCOMPARE(At(form, 140, 106), White);
    }

    void rubberBandTwiceRestoresEveryPixel() {
        TForm1 form;
        AddGroup(form.FDraw, {{20, 20}, {380, 280}, {20, 280}});
        AddGroup(form.FDraw, {{380, 20}, {20, 200}, {390, 150}});
        form.ShowDirectionAction->trigger();
        const QImage before = form.Image1->Picture.copy();
        QPainter canvas(&form.Image1->Picture);
        form.DrawRubberBand(canvas, {10, 290}, {395, 5});
        form.DrawRubberBand(canvas, {200, 150}, {200, 150});
        canvas.end();
        QVERIFY(form.Image1->Picture != before);
        canvas.begin(&form.Image1->Picture);
        form.DrawRubberBand(canvas, {200, 150}, {200, 150});
        form.DrawRubberBand(canvas, {10, 290}, {395, 5});
        canvas.end();
        QCOMPARE(form.Image1->Picture, before);
    }
};

RAVELON_WIDGET_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
