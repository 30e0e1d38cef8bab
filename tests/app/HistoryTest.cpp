// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history driven by real mouse events and commands, and the figures
// written to files read back by other programs (Qt SVG, pdftoppm, pdflatex)
// and compared with the canvas.
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <random>

#include "app/RavelonU2.h"
#include "diagram/EditState.h"
#include "diagram/Figure.h"
#include "tests/app/AppTestSupport.h"

using namespace ravelon;
using ravelon::testing::ClickCanvas;

namespace {

// What a step must put back: the knot data file (the canvas size in it), the
// editing mode and the open group's last point, and the document's name.
struct TState {
    QByteArray File;
    TDrawMode Mode = TDrawMode::Idle;
    TPoint Last;
    QString Caption;
    friend bool operator==(const TState&, const TState&) = default;
};

TState StateOf(const TForm1& Form) {
    return {QByteArray::fromStdString(KnotFileText(Form.FDraw, Form.CanvasWidth(), Form.CanvasHeight())), DrawMode,
            DrawMode == TDrawMode::Drawing ? LastPoint : TPoint{}, Form.windowTitle()};
}

// Drags point I of the diagram to To with the left button.
void DragPoint(TForm1& Form, std::int32_t I, QPoint To) {
    const TPoint p = Form.FDraw.PointAt(I);
    QTest::mouseMove(Form.Image1, QPoint(p.X, p.Y));
    QTest::mousePress(Form.Image1, Qt::LeftButton, {}, QPoint(p.X, p.Y));
    QTest::mouseMove(Form.Image1, (QPoint(p.X, p.Y) + To) / 2);
    QTest::mouseMove(Form.Image1, To);
    QTest::mouseRelease(Form.Image1, Qt::LeftButton, {}, To);
}

// A crossing of the diagram taken at random, or none.
std::optional<QPoint> SomeCrossing(const TForm1& Form, std::mt19937& Rng) {
    std::vector<QPoint> all;
    for (const auto& row : Form.FDraw.FCross)
        for (const TPoint c : row)
            if (IsCrossing(c)) all.emplace_back(c.X, c.Y);
    if (all.empty()) return std::nullopt;
    return all[Rng() % all.size()];
}

// Sets the canvas size through the canvas settings dialog.
void SetCanvasThroughTheDialog(TForm1& Form, int Width, int Height) {
    const auto driver = testing::WhenModal<TForm2>([Width, Height](TForm2& d) {
        d.WidthEdit->setText(QString::number(Width));
        d.HeightEdit->setText(QString::number(Height));
        QTest::mouseClick(d.OKButton, Qt::LeftButton);
    });
    Form.SetCanvasAction->trigger();
}

bool Ink(QRgb C) { return qRed(C) < 200 || qGreen(C) < 200 || qBlue(C) < 200; }

// Every pixel with ink on the canvas has ink near it in Image (of the
// canvas's size), and the pixels inside the gaps, where the line passing
// under is left out, are white in both.
void CompareWithTheCanvas(const TForm1& Form, const QImage& Image, const char* What) {
    QVERIFY2(Image.size() == Form.Image1->Shown().size(), What);
    const QImage canvas = Form.Image1->Shown();
    int inked = 0;
    for (int y = 2; y < canvas.height() - 2; ++y)
        for (int x = 2; x < canvas.width() - 2; ++x) {
            if (!Ink(canvas.pixel(x, y))) continue;
            ++inked;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) near = Ink(Image.pixel(x + dx, y + dy));
            QVERIFY2(near, qPrintable(QStringLiteral("%1: no ink at (%2, %3)").arg(What).arg(x).arg(y)));
        }
    QVERIFY(inked > 500);
    // Inside each gap: four pixels from the crossing along the line under.
    const TDraw& d = Form.FDraw;
    int gaps = 0;
    for (std::int32_t a = 0; a < d.FLineCount(); ++a)
        for (std::int32_t b = 0; b < d.FLineCount(); ++b) {
            const TPoint c = d.FCross[a][b];
            if (!IsCrossing(c) || d.FOver[a][b]) continue;
            const TPoint s = d.PointAt(d.FLines[a].StartIndex), e = d.PointAt(d.FLines[a].EndIndex);
            const double len = std::hypot(e.X - s.X, e.Y - s.Y);
            for (const int side : {-1, 1}) {
                const QPoint at(static_cast<int>(std::lround(c.X + side * 5 * (e.X - s.X) / len)),
                                static_cast<int>(std::lround(c.Y + side * 5 * (e.Y - s.Y) / len)));
                // Away from the line over it.
                const TPoint os = d.PointAt(d.FLines[b].StartIndex), oe = d.PointAt(d.FLines[b].EndIndex);
                const double cross = std::abs((oe.X - os.X) * (at.y() - os.Y) - (oe.Y - os.Y) * (at.x() - os.X)) /
                                     std::hypot(oe.X - os.X, oe.Y - os.Y);
                if (cross < 4) continue;
                ++gaps;
                QVERIFY2(!Ink(canvas.pixel(at)), "the canvas has ink in a gap");
                QVERIFY2(!Ink(Image.pixel(at)), qPrintable(QStringLiteral("%1: ink in the gap at (%2, %3)").arg(What).arg(at.x()).arg(at.y())));
            }
        }
    QVERIFY(gaps >= 4);
}

// Runs Program with Arguments in Dir; false when it is not installed.
bool Run(const QString& Program, const QStringList& Arguments, const QString& Dir) {
    const QString path = QStandardPaths::findExecutable(Program);
    if (path.isEmpty()) return false;
    QProcess p;
    p.setWorkingDirectory(Dir);
    p.start(path, Arguments);
    return p.waitForFinished(120000) && p.exitCode() == 0;
}

}  // namespace

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetEditState(); }

    // Random edits by mouse and commands: undone one by one, each step
    // gives back the state before it, to the start; redone, each the state
    // after it, to the end. A move is one step.
    void randomEditsUndoToTheStartAndRedoToTheEnd() {
        for (unsigned seed = 1; seed <= 6; ++seed) {
            std::mt19937 rng(seed);
            TForm1 form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            std::vector<TState> states{StateOf(form)};
            const auto note = [&](const char* What) {
                if (form.UndoStack->count() == static_cast<int>(states.size())) states.push_back(StateOf(form));
                QVERIFY2(form.UndoStack->count() == static_cast<int>(states.size()) - 1, What);
            };
            form.OpenKnotFile(QStringLiteral(RAVELON_EXAMPLES_DIR "/figure-eight.rvd"));
            note("open");
            for (int event = 0; event < 40; ++event) {
                const int kind = static_cast<int>(rng() % 10);
                const QPoint random(static_cast<int>(20 + rng() % 360), static_cast<int>(20 + rng() % 260));
                if (kind < 4) {
                    ClickCanvas(form, random);
                    QTest::qWait(QApplication::doubleClickInterval() / 10 + 1);
                    note("click");
                } else if (kind == 4) {
                    ClickCanvas(form, random, Qt::RightButton);
                    note("right click");
                } else if (kind == 5 && DrawMode == TDrawMode::Idle && form.FDraw.FPointCount() > 0) {
                    const int before = form.UndoStack->count();
                    DragPoint(form, static_cast<std::int32_t>(rng() % form.FDraw.FPoints.size()), random);
                    note("drag");
                    QVERIFY(form.UndoStack->count() <= before + 1);
                } else if (kind == 6 && DrawMode == TDrawMode::Idle) {
                    if (const auto c = SomeCrossing(form, rng)) ClickCanvas(form, *c);
                    note("swap");
                } else if (kind == 7) {
                    form.ReverseAllAction->trigger();
                    note("reverse all");
                } else if (kind == 8 && DrawMode == TDrawMode::Idle) {
                    SetCanvasThroughTheDialog(form, 300 + static_cast<int>(rng() % 200), 250 + static_cast<int>(rng() % 200));
                    note("canvas size");
                } else if (kind == 9 && rng() % 4 == 0) {
                    form.NewMakeAction->trigger();
                    note("new");
                }
            }
            const int steps = form.UndoStack->count();
            QVERIFY(steps > 10);
            // The window system gives the window back its activation after a dialog.
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            for (int k = steps; k > 0; --k) {
                QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
                QVERIFY2(StateOf(form) == states[static_cast<std::size_t>(k - 1)], qPrintable(QString::number(k)));
            }
            for (int k = 1; k <= steps; ++k) {
                QTest::keyClick(&form, k % 2 ? Qt::Key_Y : Qt::Key_Z, k % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
                QVERIFY2(StateOf(form) == states[static_cast<std::size_t>(k)], qPrintable(QString::number(k)));
            }
            // Saving keeps the history.
            QTemporaryDir dir;
            form.SaveKnotFile(dir.filePath(QStringLiteral("x.rvd")));
            QCOMPARE(form.UndoStack->count(), steps);
        }
    }

    // Past its bound the history lets its oldest steps go; the newer ones
    // still undo to the states before them.
    void theHistoryKeepsWithinItsBound() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.OpenKnotFile(QStringLiteral(RAVELON_EXAMPLES_DIR "/8_19.rvd"));
        form.FHistoryLimit = 40 * TDiagramSnapshot::Take(form.FDraw, 1, 1).Bytes();
        std::vector<TState> states{StateOf(form)};
        for (int i = 0; i < 120; ++i) {
            form.ReverseAllAction->trigger();
            states.push_back(StateOf(form));
            QVERIFY(form.HistoryBytesHeld() <= form.FHistoryLimit);
        }
        const int kept = form.UndoStack->count();
        QVERIFY(kept >= 15 && kept < 41);
        for (int k = 0; k < kept; ++k) {
            form.UndoAction->trigger();
            QVERIFY(StateOf(form) == states[states.size() - 2 - static_cast<std::size_t>(k)]);
        }
        form.UndoAction->trigger();
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("元に戻す変更はありません。"));
    }

    // An undo while drawing goes on drawing the same curve.
    void undoWhileDrawingGoesOnDrawing() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        testing::ClickCanvasPath(form, {{50, 50}, {150, 50}, {150, 150}});
        form.UndoAction->trigger();
        QCOMPARE(DrawMode, TDrawMode::Drawing);
        QCOMPARE(form.FDraw.FPointCount(), 2);
        testing::ClickCanvasPath(form, {{100, 160}, {52, 52}});  // a point, then the closing click
        QCOMPARE(DrawMode, TDrawMode::Idle);
        QCOMPARE(form.FDraw.FGroupCount, 1);
        QCOMPARE(form.FDraw.FPointCount(), 3);
        QCOMPARE(form.FDraw.PointAt(2), (TPoint{100, 160}));
        form.UndoAction->trigger();
        QCOMPARE(DrawMode, TDrawMode::Drawing);
        form.RedoAction->trigger();
        QCOMPARE(DrawMode, TDrawMode::Idle);
        // With nothing to undo the command says so.
        form.NewMakeAction->trigger();
        for (int i = 0; i < 6; ++i) form.UndoAction->trigger();
        QCOMPARE(form.StatusPanel1->text(), QStringLiteral("元に戻す変更はありません。"));
        QCOMPARE(form.FDraw.FPointCount(), 0);
    }

    // A release that changes nothing (a click near the start of a curve of
    // two points, which cannot close) records no step.
    void aReleaseThatChangesNothingIsNoStep() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        testing::ClickCanvasPath(form, {{50, 50}, {150, 50}});
        const int steps = form.UndoStack->count();
        const TState state = StateOf(form);
        testing::ClickCanvasPath(form, {{55, 53}, {52, 48}});
        QCOMPARE(StateOf(form), state);
        QCOMPARE(form.UndoStack->count(), steps);
        form.UndoAction->trigger();
        QCOMPARE(form.FDraw.FPointCount(), 1);
    }

    // The export dialog writes the format the typed suffix names, whatever
    // the filter; a PNG is the figure, without the rubber band of a curve
    // being drawn.
    void exportFollowsTheTypedSuffix() {
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        testing::ClickCanvasPath(form, {{50, 50}});
        QTest::mouseMove(form.Image1, QPoint(350, 250));
        QTest::mouseMove(form.Image1, QPoint(300, 200));
        const QPoint band(175, 125);  // halfway along the rubber band
        QVERIFY(Ink(form.Image1->Shown().pixel(band)));
        QTemporaryDir dir;
        const auto exportAs = [&](const QString& Name) {
            const auto answer = testing::WhenModal<QFileDialog>([&](QFileDialog* d) {
                auto* const edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (edit != nullptr) edit->setText(dir.filePath(Name));
                static_cast<QDialog*>(d)->accept();
            });
            form.ExportAction->trigger();
            QFile file(dir.filePath(Name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QVERIFY(exportAs(QStringLiteral("fig.pdf")).startsWith("%PDF"));
        const QImage png = QImage::fromData(exportAs(QStringLiteral("fig.png")), "PNG");
        QCOMPARE(png.size(), form.Image1->Shown().size());
        QVERIFY(!Ink(png.pixel(band)));
        QVERIFY(Ink(png.pixel(50, 50)));  // the point is there
        QVERIFY(exportAs(QStringLiteral("fig.svg")).contains("<svg"));
        QVERIFY(exportAs(QStringLiteral("fig.tex")).contains("tikzpicture"));
    }

    // SVG, PDF, PNG 2x and TikZ of a diagram with gaps and arrows, each read
    // back and laid over the canvas.
    void figuresShowWhatTheCanvasShows() {
        TForm1 form;
        form.show();
        form.OpenKnotFile(QStringLiteral(RAVELON_EXAMPLES_DIR "/borromean-rings.rvd"));
        form.ShowDirectionAction->trigger();
        const int w = form.CanvasWidth(), h = form.CanvasHeight();
        QTemporaryDir dir;

        form.ExportFigure(dir.filePath(QStringLiteral("f.svg")), TForm1::TFigureFormat::Svg);
        QSvgRenderer svg(dir.filePath(QStringLiteral("f.svg")));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), QRect(0, 0, w, h));
        QImage fromSvg(w, h, QImage::Format_RGB32);
        fromSvg.fill(Qt::white);
        {
            QPainter p(&fromSvg);
            svg.render(&p);
        }
        CompareWithTheCanvas(form, fromSvg, "SVG");

        form.ExportFigure(dir.filePath(QStringLiteral("f.png")), TForm1::TFigureFormat::Png2);
        const QImage twice(dir.filePath(QStringLiteral("f.png")));
        QCOMPARE(twice.size(), QSize(2 * w, 2 * h));
        CompareWithTheCanvas(form, twice.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), "PNG 2x");
        form.ExportFigure(dir.filePath(QStringLiteral("one.png")), TForm1::TFigureFormat::Png);
        CompareWithTheCanvas(form, QImage(dir.filePath(QStringLiteral("one.png"))).convertToFormat(QImage::Format_RGB32), "PNG");

        form.ExportFigure(dir.filePath(QStringLiteral("f.pdf")), TForm1::TFigureFormat::Pdf);
        QVERIFY(Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                                 QStringLiteral("-singlefile"), QStringLiteral("f.pdf"), QStringLiteral("pdf")},
                    dir.path()));
        CompareWithTheCanvas(form, QImage(dir.filePath(QStringLiteral("pdf.png"))).convertToFormat(QImage::Format_RGB32), "PDF");

        form.ExportFigure(dir.filePath(QStringLiteral("f.tex")), TForm1::TFigureFormat::Tikz);
        QFile page(dir.filePath(QStringLiteral("page.tex")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        // A page exactly the picture's size, the picture at its corner.
        page.write(QStringLiteral("\\documentclass{article}\\usepackage{tikz}\\pagestyle{empty}"
                                  "\\paperwidth=%1bp\\paperheight=%2bp\\hoffset=-1in\\voffset=-1in"
                                  "\\oddsidemargin=0pt\\topmargin=0pt\\headheight=0pt\\headsep=0pt\\parindent=0pt"
                                  "\\begin{document}\\input{f.tex}\\end{document}\n")
                       .arg(w * 0.75)
                       .arg(h * 0.75)
                       .toUtf8());
        page.close();
        if (QStandardPaths::findExecutable(QStringLiteral("pdflatex")).isEmpty()) QSKIP("pdflatex is not installed");
        QVERIFY(Run(QStringLiteral("pdflatex"), {QStringLiteral("-interaction=batchmode"), QStringLiteral("page.tex")}, dir.path()));
        QVERIFY(Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                                 QStringLiteral("-singlefile"), QStringLiteral("page.pdf"), QStringLiteral("tikz")},
                    dir.path()));
        CompareWithTheCanvas(form, QImage(dir.filePath(QStringLiteral("tikz.png"))).convertToFormat(QImage::Format_RGB32), "TikZ");
    }
};

RAVELON_WIDGET_TEST_MAIN(HistoryTest)
#include "HistoryTest.moc"
