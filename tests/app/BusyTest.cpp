// SPDX-License-Identifier: GPL-3.0-or-later
// Computations on the worker thread: the window busy, input dropped while it
// runs, the progress bar, cancelling by Escape and by closing the window;
// the Tools menu's identification and clipboard commands; and the refusals
// of a code beyond reach, before the question and before printing.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <stdexcept>

#include "app/HelpDialog.h"
#include "app/Messages.h"
#include "app/QtTextSurface.h"
#include "app/ScreenCursor.h"
#include "arith/PolyText.h"
#include "diagram/EditState.h"
#include "knot/PdRead.h"
#include "bracket/TooComplex.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/PolygonDiagram.h"

using namespace ravelon;

namespace {

// The diagram as its knot data file holds it.
QByteArray FileOf(const TForm1& Form) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.rvd"));
    Form.FDraw.SaveToFile(path.toStdString(), Form.CanvasWidth(), Form.CanvasHeight());
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void LoadPolygon(TForm1& Form, int Crossings, unsigned Seed) {
    Form.FDraw = testing::RandomPolygon(Crossings, Seed);
    Form.SetCanvasSize(999, 999);
    Form.RedrawCanvas();
}

// Gives the window back its activation, as the window system does after the
// question: without it no key of the window would reach anything.
bool Activate(TForm1& Form) {
    Form.activateWindow();
    return QTest::qWaitForWindowActive(&Form) && QApplication::activeWindow() == &Form;
}

// Everything a person does to a busy window, through the window system:
// clicks on the canvas, a drag, a menu's key, New's shortcut, a right click.
void ActOnTheBusyWindow(TForm1& Form) {
    QWindow* const w = Form.windowHandle();
    for (const QPoint p : {QPoint(60, 60), QPoint(160, 70), QPoint(110, 160)})
        QTest::mouseClick(w, Qt::LeftButton, {}, Form.Image1->mapTo(&Form, p));
    QTest::mousePress(w, Qt::LeftButton, {}, Form.Image1->mapTo(&Form, QPoint(30, 30)));
    QTest::mouseMove(w, Form.Image1->mapTo(&Form, QPoint(90, 90)));
    QTest::mouseRelease(w, Qt::LeftButton, {}, Form.Image1->mapTo(&Form, QPoint(90, 90)));
    QTest::mouseClick(w, Qt::RightButton, {}, Form.Image1->mapTo(&Form, QPoint(60, 60)));
    QTest::keyClick(w, Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
    QTest::mouseClick(w, Qt::LeftButton, {}, Form.ToolButton1->mapTo(&Form, QPoint(5, 5)));
}

// Answers the question Yes, and notes that it did.
[[nodiscard]] std::unique_ptr<QTimer> AnswerYes(bool& Answered) {
    return testing::WhenModal<QMessageBox>([&Answered](QMessageBox* Box) {
        Answered = true;
        for (QAbstractButton* b : Box->buttons())
            if (b->text() == QStringLiteral("はい(&Y)")) b->click();
    });
}

// The values the progress bar shows once the question is answered.
void RecordProgress(const TForm1& Form, const bool& Answered, std::vector<int>& Values) {
    QObject::connect(Form.ProgressBar1, &QProgressBar::valueChanged, [&Answered, &Values](int v) {
        if (Answered) Values.push_back(v);
    });
}

bool Monotone(const std::vector<int>& Values) { return std::is_sorted(Values.begin(), Values.end()); }

// The sentence as the pane typesets it.
QImage SentenceImage(const QString& Text) {
    QImage probe(1, 1, QImage::Format_RGB32);
    int w = 0, h = 0;
    {
        QPainter p(&probe);
        TQtTextSurface s(p);
        s.SetFontSize(18);
        w = s.TextWidth(Text.toStdString());
        h = s.TextHeight(Text.toStdString());
    }
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    TQtTextSurface s(p);
    s.SetFontSize(18);
    s.TextOut(0, 0, Text.toStdString());
    return image;
}

// The height of the pane's title and the space under it.
int TitleHeight(const TForm1& Form) { return QFontMetrics(Form.Image2->font()).height() + 8; }

// The first column with ink in Image below row Top.
int FirstInkColumn(const QImage& Image, int Top) {
    for (int x = 0; x < Image.width(); ++x)
        for (int y = Top; y < Image.height(); ++y)
            if (qGray(Image.pixel(x, y)) < 128) return x;
    return -1;
}

}  // namespace

class BusyTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ResetEditState();
        SetScreenCursor(crDefault);
    }

    // A long computation shows its progress; clicks, drags and keys meanwhile
    // change nothing, now or later; Escape stops it soon, and the pane, the
    // diagram and the document stay as they were.
    void escapeCancelsAndDropsEverythingElse() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.CalcTwistAction->trigger();
        const QImage pane = form.Image2->Picture.copy();
        LoadPolygon(form, 300, 7);
        form.FKnotName = QStringLiteral("big");
        form.SetCaption();
        const QByteArray before = FileOf(form);

        bool answered = false;
        std::vector<int> values;
        RecordProgress(form, answered, values);
        QElapsedTimer sinceEscape;
        bool repainted = false, active = false;
        QTimer act;
        act.setInterval(5);
        connect(&act, &QTimer::timeout, [&] {
            if (!answered || !form.Busy() || form.ProgressBar1->value() == 0 || sinceEscape.isValid()) return;
            // The window repaints and lays out again while busy.
            form.resize(form.width() + 40, form.height() + 30);
            QApplication::processEvents();
            repainted = form.ScrollBox1->width() > 0 && form.CancelButton->isVisible();
            active = Activate(form);
            ActOnTheBusyWindow(form);
            sinceEscape.start();
            QTest::keyClick(form.windowHandle(), Qt::Key_Escape);
        });
        act.start();
        auto yes = AnswerYes(answered);
        form.CalcJonesAction->trigger();
        qInfo("stopped %lld ms after Escape", static_cast<long long>(sinceEscape.elapsed()));
        QVERIFY(sinceEscape.isValid());
        QVERIFY(repainted);
        QVERIFY(active);

        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("計算を中止しました"));
        QCOMPARE(form.Image2->Picture, pane);
        QTest::qWait(50);  // nothing was kept to be done later
        QCOMPARE(FileOf(form), before);
        QCOMPARE(DrawMode, TDrawMode::Idle);
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [big]"));
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY(!form.ProgressBar1->isVisible() && !form.CancelButton->isVisible());
        QCOMPARE(ScreenCursor(), crDefault);
        QVERIFY(Monotone(values));
        QVERIFY(values.back() > 0 && values.back() < 1000);
    }

    // With the window active, New and Undo reach their commands by their keys
    // when it is idle. While a computation runs, New, Open, Undo, Print and
    // Help by their keys, the commands themselves and a second computation
    // change nothing and open nothing; the result then shown is the diagram's.
    void noCommandStartsWhileBusy() {
        TForm1 form;
        form.show();
        QVERIFY(Activate(form));
        LoadPolygon(form, 300, 7);
        form.FKnotName = QStringLiteral("big");
        form.SetCaption();
        QTest::keyClick(form.windowHandle(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [NewKnot]"));
        QTest::keyClick(form.windowHandle(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [big]"));
        const QByteArray before = FileOf(form);
        const QImage canvas = form.Image1->Shown();
        const int steps = form.UndoStack->index();
        TKnot knot;
        form.FDraw.MakeKnot(knot);
        TPoly expected(0);
        knot.Jones(expected);

        int questions = 0;
        bool answered = false, acted = false, active = false, secondRefused = false;
        QStringList opened;
        // Whatever opens over the window is noted and closed again; a timer
        // of its own, as a timer is not run again inside its own handler.
        QTimer watch;
        watch.setInterval(5);
        connect(&watch, &QTimer::timeout, [&] {
            if (auto* const box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++questions;
                answered = true;
                if (box->buttons().size() < 2) opened << box->text();  // an error report
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == QStringLiteral("はい(&Y)") || box->buttons().size() < 2) b->click();
            } else if (auto* const modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened << QString::fromLatin1(modal->metaObject()->className());
                modal->reject();
            }
            if (form.HelpDialog != nullptr && form.HelpDialog->isVisible()) {
                opened << QStringLiteral("help");
                form.HelpDialog->hide();
            }
        });
        watch.start();
        QTimer act;
        act.setInterval(5);
        connect(&act, &QTimer::timeout, [&] {
            if (!answered || acted || !form.Busy()) return;
            acted = true;
            active = Activate(form);
            for (const QKeyCombination key : {Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_Z,
                                              Qt::CTRL | Qt::Key_P, QKeyCombination(Qt::Key_F1)})
                QTest::keyClick(form.windowHandle(), key.key(), key.keyboardModifiers());
            for (QAction* a : {form.NewMakeAction, form.UndoAction, form.CalcJonesAction, form.ReverseAllAction})
                a->trigger();
            QTest::mouseClick(form.ToolButton1, Qt::LeftButton);
            try {
                form.RunBusy([](TProgress&) {});
            } catch (const std::logic_error&) {
                secondRefused = true;
            }
        });
        act.start();
        form.CalcJonesAction->trigger();
        QTest::qWait(50);
        watch.stop();

        QVERIFY(acted);
        QVERIFY(active);
        QVERIFY(secondRefused);
        QCOMPARE(questions, 1);
        QVERIFY2(opened.isEmpty(), qPrintable(opened.join(u',')));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [big]"));
        QCOMPARE(FileOf(form), before);
        QCOMPARE(form.Image1->Shown(), canvas);
        QCOMPARE(form.UndoStack->index(), steps);
        QVERIFY(form.FLastResult && form.FLastResult->Poly);
        QCOMPARE(PolyText(*form.FLastResult->Poly, "t"), PolyText(expected, "t"));
        // Once idle, the commands act again.
        QVERIFY(form.NewMakeAction->isEnabled() && form.NewMakeMenu->isEnabled());
    }

    // Escape while the cost is planned ends the command before its question.
    void escapeWhilePlanningStopsBeforeTheQuestion() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        LoadPolygon(form, 300, 7);
        bool asked = false, pressed = false;
        auto yes = AnswerYes(asked);
        QTimer escape;
        escape.setInterval(1);
        connect(&escape, &QTimer::timeout, [&] {
            if (!form.Busy() || pressed) return;
            pressed = true;
            QTest::keyClick(form.windowHandle(), Qt::Key_Escape);
        });
        escape.start();
        form.CalcJonesAction->trigger();
        QTest::qWait(50);
        QVERIFY(pressed);
        QVERIFY(!asked);
        QVERIFY(!form.FLastResult);
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("計算を中止しました"));
    }

    // A result whose diagram changed while it was computed is not shown.
    void aResultForAnOlderDiagramIsNotShown() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        LoadPolygon(form, 250, 3);
        const QImage pane = form.Image2->Picture.copy();
        bool answered = false;
        QTimer change;
        change.setInterval(1);
        connect(&change, &QTimer::timeout, [&] {
            if (!answered || !form.Busy()) return;
            change.stop();
            form.FDraw.ReverseAll();  // as a fault that let a change through would
        });
        change.start();
        auto yes = AnswerYes(answered);
        form.CalcBlacketAction->trigger();
        QVERIFY(!form.FLastResult);
        QCOMPARE(form.Image2->Picture, pane);
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("計算中に図が変わったため、結果を表示しません。"));
    }

    // A computation cancelled at once leaves nothing behind; run again it
    // gives the engine's result, and its progress rises to the end.
    void aLaterRunGivesTheResultAndItsProgressReachesTheEnd() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        LoadPolygon(form, 250, 3);
        TKnot knot;
        form.FDraw.MakeKnot(knot);
        TPoly expected(0);
        knot.Jones(expected);

        bool answered = false;
        auto yes = AnswerYes(answered);
        QTimer escape;
        escape.setInterval(1);
        connect(&escape, &QTimer::timeout, [&] {
            if (answered && form.Busy()) QTest::keyClick(form.windowHandle(), Qt::Key_Escape);
        });
        escape.start();
        form.CalcJonesAction->trigger();
        escape.stop();
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("計算を中止しました"));
        QVERIFY(!form.FLastResult);

        answered = false;
        std::vector<int> values;
        RecordProgress(form, answered, values);
        yes = AnswerYes(answered);
        form.CalcJonesAction->trigger();
        QCOMPARE(form.StatusPanel1->text(), QString());
        QVERIFY(form.FLastResult && form.FLastResult->Poly);
        QCOMPARE(PolyText(*form.FLastResult->Poly, "t"), PolyText(expected, "t"));
        QVERIFY(Monotone(values));
        QCOMPARE(values.back(), 1000);
    }

    // Closing the busy window asks; Yes stops the computation and closes.
    void closingWhileBusyAsksAndQuits() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        LoadPolygon(form, 300, 7);
        bool answered = false;
        QString seen;
        std::unique_ptr<QTimer> quit;
        QTimer closeBox;
        closeBox.setInterval(5);
        connect(&closeBox, &QTimer::timeout, [&] {
            if (!answered || !form.Busy() || !form.ProgressBar1->isVisible()) return;
            closeBox.stop();
            quit = testing::AnswerQuestion(true, &seen);
            form.close();  // the close box
        });
        closeBox.start();
        auto yes = AnswerYes(answered);
        form.CalcJonesAction->trigger();
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(seen, QStringLiteral("確認|Ravelon を終了してよろしいですか？"));
    }

    // A code beyond reach is said so instead of the question, and a page
    // whose invariants cannot be computed is not printed at all.
    void beyondReachIsSaidFirstAndPrintsNothing() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        LoadPolygon(form, 900, 1);
        // The refusal says how much memory the code would need.
        const QString refused = QStringLiteral("Ravelon|結び目が複雑すぎて計算できません (約 ");
        QString seen;
        auto report = testing::AcceptErrorReport(&seen);
        form.CalcBlacketAction->trigger();
        QVERIFY2(seen.startsWith(refused) && seen.endsWith(QStringLiteral("のメモリが必要です)")), qPrintable(seen));

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        form.Printer->setOutputFormat(QPrinter::PdfFormat);
        form.Printer->setOutputFileName(pdf);
        auto print = testing::WhenModal<QPrintDialog>([](QPrintDialog* d) { d->accept(); });
        seen.clear();
        report = testing::AcceptErrorReport(&seen);
        form.PrintAction->trigger();
        QVERIFY2(seen.startsWith(refused), qPrintable(seen));
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(form.Printer->outputFileName(), pdf);
    }

    // Tools > identify names every example in the pane.
    void identifiesTheExamples() {
        const std::pair<const char*, const char*> examples[] = {
            {"5_1.rvd", "5_1"},           {"5_2.rvd", "5_2"},         {"6_1.rvd", "6_1"},
            {"6_2.rvd", "6_2"},           {"6_3.rvd", "6_3"},         {"8_19.rvd", "8_19"},
            {"figure-eight.rvd", "4_1"},  {"trefoil-left.rvd", "3_1 (鏡像)"},
            {"trefoil-right.rvd", "3_1"}, {"unknot-curl.rvd", "0_1"}, {"hopf-link.rvd", "L2a1{"},
            {"whitehead-link.rvd", "L5a1{"}, {"borromean-rings.rvd", "L6a4{"},
        };
        TForm1 form;
        form.show();
        for (const auto& [file, name] : examples) {
            form.OpenKnotFile(QStringLiteral(RAVELON_EXAMPLES_DIR "/") + QString::fromUtf8(file));
            form.IdentifyAction->trigger();
            QVERIFY2(form.FLastResult && QString::fromStdString(form.FLastResult->Sentence).startsWith(QString::fromUtf8(name)),
                     file);
        }
        // The sentence of a composite knot is wrapped to the pane, and it
        // starts where a polynomial's first term does.
        form.OpenKnotFile(QStringLiteral(RAVELON_EXAMPLES_DIR "/trefoil-right.rvd"));
        form.CalcJonesAction->trigger();
        const int polynomialStart = FirstInkColumn(form.Image2->Picture, TitleHeight(form));
        form.FDraw = testing::RandomPolygon(30, 2);
        form.resize(360, form.height());
        QApplication::processEvents();
        auto yes = testing::AnswerQuestion(true);
        form.IdentifyAction->trigger();
        QVERIFY(form.FLastResult && !form.FLastResult->Poly);
        const QImage sentence = form.Image2->Picture;
        const int room = form.ScrollBox2->viewport()->width();
        QVERIFY(SentenceImage(QString::fromStdString(form.FLastResult->Sentence)).width() > room);
        QVERIFY(sentence.width() <= room);
        QVERIFY(sentence.height() > 2 * SentenceImage(QStringLiteral("表")).height());
        QCOMPARE(FirstInkColumn(sentence, TitleHeight(form)), polynomialStart);
    }

    // Copy result: the pane's result as text and as LaTeX; Copy PD code: a
    // code that reads back as the same knot.
    void copiesTheResultAndThePdCode() {
        TForm1 form;
        form.show();
        form.CopyResultAction->trigger();
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("コピーする結果がありません。"));
        form.OpenKnotFile(QStringLiteral(RAVELON_EXAMPLES_DIR "/trefoil-right.rvd"));
        form.CalcJonesAction->trigger();
        form.CopyResultAction->trigger();
        const QMimeData* const data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), QStringLiteral("-t^4 + t^3 + t"));
        QCOMPARE(data->data(QStringLiteral("text/x-tex")), QByteArray("-t^{4} + t^{3} + t"));

        form.CopyPdAction->trigger();
        const QString pd = QGuiApplication::clipboard()->text();
        QVERIFY(pd.startsWith(QStringLiteral("PD[X[")));
        TPoly fromClipboard(0), fromDiagram(0);
        ReadPdCode(pd.toStdString()).Jones(fromClipboard);
        TKnot knot;
        form.FDraw.MakeKnot(knot);
        knot.Jones(fromDiagram);
        QCOMPARE(PolyText(fromClipboard, "t"), PolyText(fromDiagram, "t"));
        form.CopyResultAction->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), pd);
    }
};

RAVELON_WIDGET_TEST_MAIN(BusyTest)
#include "BusyTest.moc"
