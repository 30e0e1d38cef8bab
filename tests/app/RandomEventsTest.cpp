// SPDX-License-Identifier: GPL-3.0-or-later
// The window under random input: thousands of real mouse and key events
// (clicks, double clicks, drags, right clicks, presses near points and
// crossings, the menus' mnemonics and the shortcuts), every dialog they open
// answered at random. After each event the program still runs, the
// diagram's crossing code is planar, and the diagram comes back unchanged
// from its knot data file.
//
// RAVELON_RANDOM_EVENTS sets the number of events and RAVELON_RANDOM_SEED the
// seed, for a longer run by hand:
//   RAVELON_RANDOM_EVENTS=200000 QT_QPA_PLATFORM=offscreen ./build/tests/app/random_events_tests
#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "diagram/EditState.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/Planarity.h"

using namespace ravelon;

namespace {

#ifdef RAVELON_SANITIZED_TESTS
constexpr int DefaultEvents = 300;
#else
constexpr int DefaultEvents = 3000;
#endif

int FromEnvironment(const char* Name, int Default) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(Name, &ok);
    return ok && v > 0 ? v : Default;
}

// Answers whatever modal window stands, at random: a button of a message
// box; a file dialog cancelled or given a name in the current folder; any
// other dialog accepted or rejected. The answer is given from the event
// loop, not from the watch's own tick, so that a window it opens in turn (the
// question before replacing a file) is answered as well.
void AnswerAtRandom(std::mt19937& Rng, QPointer<QWidget>& Pending) {
    QWidget* const modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || Pending == modal) return;
    Pending = modal;
    std::function<void()> act;
    if (auto* const box = qobject_cast<QMessageBox*>(modal)) {
        const QList<QAbstractButton*> buttons = box->buttons();
        if (buttons.isEmpty()) return;
        QAbstractButton* const b = buttons[static_cast<qsizetype>(Rng() % static_cast<unsigned>(buttons.size()))];
        act = [b] { b->click(); };
    } else if (auto* const files = qobject_cast<QFileDialog*>(modal)) {
        const QStringList present = QDir::current().entryList(QDir::Files);
        const bool cancel = Rng() % 3 == 0;
        const QString name = Rng() % 2 == 0 && !present.isEmpty()
                                 ? present[static_cast<qsizetype>(Rng() % static_cast<unsigned>(present.size()))]
                                 : QStringLiteral("k%1").arg(Rng() % 5);
        act = [files, cancel, name] {
            if (cancel) {
                files->reject();
                return;
            }
            files->selectFile(QDir::current().filePath(name));
            static_cast<QDialog*>(files)->accept();  // as its Save or Open button
        };
    } else if (auto* const dialog = qobject_cast<QDialog*>(modal)) {
        const bool yes = Rng() % 2 == 0;
        act = [dialog, yes] { yes ? dialog->accept() : dialog->reject(); };
    } else {
        return;
    }
    QTimer::singleShot(0, modal, [act, &Pending] {
        Pending = nullptr;
        act();
    });
}

QPoint Near(TPoint P, std::mt19937& Rng) {
    return {P.X + static_cast<int>(Rng() % 7) - 3, P.Y + static_cast<int>(Rng() % 7) - 3};
}

// A place on the canvas (now and then just outside it), near a point or a
// crossing half of the time.
QPoint SomePlace(const TForm1& Form, std::mt19937& Rng) {
    const TDraw& d = Form.FDraw;
    if (Rng() % 4 == 0 && d.FPointCount() > 0) return Near(d.PointAt(static_cast<std::int32_t>(Rng() % d.FPoints.size())), Rng);
    if (Rng() % 3 == 0 && d.FLineCount() > 1) {
        const std::size_t a = Rng() % d.FLines.size(), b = Rng() % d.FLines.size();
        if (IsCrossing(d.FCross[a][b])) return Near(d.FCross[a][b], Rng);
    }
    const int w = std::max(Form.CanvasWidth(), 1), h = std::max(Form.CanvasHeight(), 1);
    return {static_cast<int>(Rng() % static_cast<unsigned>(w + 20)) - 10, static_cast<int>(Rng() % static_cast<unsigned>(h + 20)) - 10};
}

// One event a person could make.
void RandomEvent(TForm1& Form, std::mt19937& Rng) {
    QWindow* const window = Form.windowHandle();
    const auto at = [&Form](QPoint P) { return Form.Image1->mapTo(&Form, P); };
    const QPoint p = SomePlace(Form, Rng);
    switch (Rng() % 12) {
        case 0:
        case 1:
        case 2:
            QTest::mouseMove(window, at(p));
            QTest::mouseClick(window, Qt::LeftButton, {}, at(p));
            break;
        case 3: QTest::mouseDClick(window, Qt::LeftButton, {}, at(p)); break;
        case 4: QTest::mouseClick(window, Qt::RightButton, {}, at(p)); break;
        case 5: {
            const QPoint to = SomePlace(Form, Rng);
            QTest::mouseMove(window, at(p));
            QTest::mousePress(window, Rng() % 4 == 0 ? Qt::MiddleButton : Qt::LeftButton, {}, at(p));
            QTest::mouseMove(window, at((p + to) / 2));
            QTest::mouseRelease(window, Qt::LeftButton, {}, at(to));
            break;
        }
        case 6: QTest::mouseMove(window, at(p)); break;
        case 7:
        case 8: {
            static const char menus[] = "FEVTH";
            static const char items[] = "NOSABPXTJRDUICEH";
            QTest::keyClick(window, Qt::Key(menus[Rng() % 5]), Qt::AltModifier);
            if (Rng() % 5 == 0) QTest::keyClick(window, Qt::Key_Escape);
            else QTest::keyClick(window, Qt::Key(items[Rng() % 16]));
            break;
        }
        default: {
            static const QKeyCombination keys[] = {
                Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_O, Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_P,
                Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
                QKeyCombination(Qt::Key_F1), QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::Key_Alt)};
            const QKeyCombination k = keys[Rng() % std::size(keys)];
            QTest::keyClick(window, k.key(), k.keyboardModifiers());
            break;
        }
    }
}

// The editing state, kept aside while a copy of the diagram is loaded.
struct TEditState {
    TDrawMode Mode = DrawMode;
    std::int32_t Open = OpenGroupStart;
    TPoint Start = StartPoint, Last = LastPoint, Current = CurrentPoint, Next = NextPoint, Prev = PrevPoint;
    void Restore() const {
        DrawMode = Mode;
        OpenGroupStart = Open;
        StartPoint = Start;
        LastPoint = Last;
        CurrentPoint = Current;
        NextPoint = Next;
        PrevPoint = Prev;
    }
};

}  // namespace

class RandomEventsTest : public QObject {
    Q_OBJECT

private slots:
    void randomEventsKeepTheDiagramSound() {
        const int events = FromEnvironment("RAVELON_RANDOM_EVENTS", DefaultEvents);
        const auto seed = static_cast<unsigned>(FromEnvironment("RAVELON_RANDOM_SEED", 2026));
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        ResetEditState();
        // A Yes to the close question hides the window, which is then shown again.
        QApplication::setQuitOnLastWindowClosed(false);
        TForm1 form;
        form.Printer->setOutputFormat(QPrinter::PdfFormat);
        form.Printer->setOutputFileName(dir.filePath(QStringLiteral("print.pdf")));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        std::mt19937 rng(seed);
        std::mt19937 answers(seed + 1);
        QPointer<QWidget> pending;
        QTimer answer;
        answer.setInterval(2);
        connect(&answer, &QTimer::timeout, [&answers, &pending] { AnswerAtRandom(answers, pending); });
        answer.start();
        for (int event = 0; event < events; ++event) {
            if (!form.isVisible()) form.show();  // Yes to the close question: started again
            if (!form.isActiveWindow()) {
                form.activateWindow();
                static_cast<void>(QTest::qWaitForWindowActive(&form, 100));
            }
            RandomEvent(form, rng);
            QApplication::processEvents();

            const QString where = QStringLiteral("event %1 of seed %2").arg(event).arg(seed);
            TKnot knot;
            form.FDraw.MakeKnot(knot);
            const std::string fault = testing::PlanarityFault(knot);
            QVERIFY2(fault.empty(), qPrintable(where + u' ' + QString::fromStdString(fault)));
            const TEditState state;
            TDraw loaded;
            int w = 0, h = 0;
            loaded.LoadFromText(KnotFileText(form.FDraw, form.CanvasWidth(), form.CanvasHeight()), w, h);
            state.Restore();
            QVERIFY2(loaded == form.FDraw, qPrintable(where));
            QVERIFY2(w == form.CanvasWidth() && h == form.CanvasHeight(), qPrintable(where));
        }
        answer.stop();
        QDir::setCurrent(QDir::tempPath());
    }
};

RAVELON_WIDGET_TEST_MAIN(RandomEventsTest)
#include "RandomEventsTest.moc"
