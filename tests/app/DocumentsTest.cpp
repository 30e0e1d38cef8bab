// SPDX-License-Identifier: GPL-3.0-or-later
// The document commands, the file dialogs, printing and the bitmap on the
// real main window. Modal dialogs are answered from a polling timer, as a
// person would answer them: typing a name and confirming, cancelling, or
// clicking a message box's button.
#include <unistd.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "app/Application.h"
#include "tests/app/AppTestSupport.h"
#include "app/CommonDialog.h"
#include "app/Messages.h"
#include "app/RavelonU1.h"
#include "diagram/FileError.h"

using namespace ravelon;
using ravelon::testing::WhenModal;

namespace {


// Types Name into the dialog's file name field and confirms it.
void TypeAndConfirm(QFileDialog* Dialog, const QString& Name) {
    auto* const edit = Dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit != nullptr);
    edit->setText(Name);
    static_cast<QDialog*>(Dialog)->accept();  // the file dialog's own accept, as its Save button
}

// A triangle from (100, 100) to (300, 100) to (200, 250), closed.
void DrawTriangle(TDraw& Draw) {
    Draw.BeginGroup({100, 100});
    Draw.ExtendGroup({300, 100});
    Draw.ExtendGroup({200, 250});
    Draw.CloseGroup();
}

// A trefoil-like star whose lines cross; Shift moves it right.
void DrawStar(TDraw& Draw, int Shift) {
    Draw.BeginGroup({100 + Shift, 200});
    Draw.ExtendGroup({200 + Shift, 40});
    Draw.ExtendGroup({300 + Shift, 200});
    Draw.ExtendGroup({60 + Shift, 100});
    Draw.ExtendGroup({340 + Shift, 100});
    Draw.CloseGroup();
}

// Drags Data onto the window and drops it there.
void Drop(QWidget& Window, const QMimeData& Data) {
    const QPoint at(Window.width() / 2, Window.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Window, &drop);
}

// A point inside every gap of Draw: six canvas pixels along the under line
// from its crossing, off the line passing over.
std::vector<QPointF> InsideGaps(const TDraw& Draw) {
    std::vector<QPointF> points;
    const auto ix = [](std::int32_t I) { return static_cast<std::size_t>(I); };
    for (std::int32_t i = 0; i < Draw.FLineCount(); ++i)
        for (std::int32_t j = 0; j < Draw.FLineCount(); ++j) {
            const TPoint c = Draw.FCross[ix(i)][ix(j)];
            if (!IsCrossing(c) || Draw.FOver[ix(i)][ix(j)]) continue;
            const TDrawLine& l = Draw.FLines[ix(i)];
            const TPoint s = Draw.PointAt(l.StartIndex), e = Draw.PointAt(l.EndIndex);
            const double len = std::hypot(e.X - s.X, e.Y - s.Y);
            points.emplace_back(c.X + 6 * (e.X - s.X) / len, c.Y + 6 * (e.Y - s.Y) / len);
        }
    return points;
}

QByteArray Contents(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool IsWhite(const QImage& Image) {
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            if (Image.pixelColor(x, y) != Qt::white) return false;
    return true;
}

// Everything a failed command must leave as it was.
struct TDocumentState {
    QString KnotName, FileName, Caption, SizeText;
    QSize Canvas;
    QImage Picture;
    TDraw Draw;

    static TDocumentState Of(const TForm1& Form) {
        return {Form.FKnotName, Form.FFileName, Form.windowTitle(), Form.SizePanel->text(),
                Form.Panel1->size(), Form.Image1->Picture.copy(), Form.FDraw};
    }
    friend bool operator==(const TDocumentState&, const TDocumentState&) = default;
};

}  // namespace

// Tests of New, Open, Save, Save as, drops, the command line, the file
// dialogs, the printed page and the bitmap.
class TDocumentsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir FDir;
    QString Path(const QString& Name) const { return FDir.filePath(Name); }

    // Writes a knot file of the star on a Width x Height canvas.
    QString WriteStar(const QString& Name, int Width, int Height, int Shift = 0) const {
        TDraw d;
        DrawStar(d, Shift);
        d.SaveToFile(Path(Name).toStdString(), Width, Height);
        return Path(Name);
    }

private slots:
    void init() { QVERIFY(FDir.isValid()); }

    void CancelLeavesFileNameAndFilterIndex() {
        const auto answer = WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
        QString name = QStringLiteral("abc");
        int index = 2;
        QVERIFY(!SaveFileDialog(nullptr, QStringLiteral("rvd"), QStringLiteral("a (*.a)|*.a|b (*.b)|*.b"), QString(),
                                QStringLiteral("t"), name, index));
        QCOMPARE(name, QStringLiteral("abc"));
        QCOMPARE(index, 2);
    }

    void CancelledOpenChangesNothing() {
        TForm1 form;
        form.show();
        form.OpenKnotFile(WriteStar(QStringLiteral("star.rvd"), 420, 310));
        const TDocumentState before = TDocumentState::Of(form);
        QString title;
        QStringList filters;
        const auto answer = WhenModal<QFileDialog>([&](QFileDialog* d) {
            title = d->windowTitle();
            filters = d->nameFilters();
            d->reject();
        });
        form.OpenAction->trigger();
        QCOMPARE(title, QStringLiteral("ファイルを開く"));
        QCOMPARE(filters, QStringList({QStringLiteral("結び目データ (*.rvd)"), QStringLiteral("すべてのファイル (*.*)")}));
        QVERIFY(TDocumentState::Of(form) == before);
    }

    void OneDescriptionAndPatternIsOneFilter() {
        QCOMPARE(NameFilters(QStringLiteral("結び目データ (*.rvd)|*.rvd")), QStringList{QStringLiteral("結び目データ (*.rvd)")});
        QCOMPARE(NameFilters(QStringLiteral("Text|*.txt;*.log")), QStringList{QStringLiteral("Text (*.txt *.log)")});
    }

    void SaveAsAddsTheKnotExtension() {
        TForm1 form;
        form.show();
        DrawTriangle(form.FDraw);
        QString initial, title;
        const auto answer = WhenModal<QFileDialog>([&](QFileDialog* d) {
            initial = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            title = d->windowTitle();
            TypeAndConfirm(d, Path(QStringLiteral("trefoil")));
        });
        form.SaveAction->trigger();  // a new diagram: Save is Save as
        QCOMPARE(initial, QStringLiteral("NewKnot"));
        QCOMPARE(title, QStringLiteral("ファイルに保存する"));
        QCOMPARE(form.FFileName, Path(QStringLiteral("trefoil.rvd")));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [trefoil]"));
        TDraw back;
        int w = 0, h = 0;
        back.LoadFromFile(form.FFileName.toStdString(), w, h);
        QVERIFY(back == form.FDraw);
        QCOMPARE(QSize(w, h), QSize(400, 300));
    }

    void ReplacingAFileAsksFirst() {
        TForm1 form;
        form.show();
        const QString target = Path(QStringLiteral("old.rvd"));
        {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        // No: back in the dialog, which is then cancelled; the file is kept.
        QString question;
        bool backInDialog = false;
        std::unique_ptr<QTimer> box, again;
        const auto answer = WhenModal<QFileDialog>([&](QFileDialog* d) {
            box = WhenModal<QMessageBox>([&](QMessageBox* m) {
                question = m->text();
                again = WhenModal<QFileDialog>([&](QFileDialog* d2) {
                    backInDialog = true;
                    d2->reject();
                });
                m->button(QMessageBox::No)->click();
            });
            TypeAndConfirm(d, QStringLiteral("%1/old").arg(FDir.path()));
        });
        form.SaveAsAction->trigger();
        QVERIFY(question.contains(QStringLiteral("old.rvd")));
        QVERIFY(backInDialog);
        QCOMPARE(Contents(target), QByteArray("old"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [NewKnot]"));

        // Yes: replaced.
        const auto answerYes = WhenModal<QFileDialog>([&](QFileDialog* d) {
            box = WhenModal<QMessageBox>([](QMessageBox* m) { m->button(QMessageBox::Yes)->click(); });
            TypeAndConfirm(d, target);
        });
        form.SaveAsAction->trigger();
        QVERIFY(Contents(target).startsWith("  400  300"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [old]"));
    }

    void OpenThroughTheDialogAppliesTheFile() {
        TForm1 form;
        form.show();
        const QString file = WriteStar(QStringLiteral("trefoil.rvd"), 600, 450);
        const auto answer = WhenModal<QFileDialog>([&](QFileDialog* d) { TypeAndConfirm(d, file); });
        form.OpenAction->trigger();
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [trefoil]"));
        QCOMPARE(form.SizePanel->text(), QStringLiteral(" 600×450"));
        QCOMPARE(form.Panel1->size(), QSize(600, 450));
        QCOMPARE(form.Image1->Picture.size(), QSize(600, 450));
        QCOMPARE(form.FFileName, file);
        TDraw star;
        DrawStar(star, 0);
        QVERIFY(form.FDraw == star);
        QVERIFY(!IsWhite(form.Image1->Picture));
    }

    void KnotNamesFromFileNames() {
        TForm1 form;
        form.show();
        form.OpenKnotFile(WriteStar(QStringLiteral("a.b.rvd"), 400, 300));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [a.b]"));
        form.OpenKnotFile(WriteStar(QStringLiteral("loop"), 400, 300));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [loop]"));
    }

    void SaveWritesBackThenAsksOnceTheFileIsGone() {
        TForm1 form;
        form.show();
        const QString file = WriteStar(QStringLiteral("trefoil.rvd"), 600, 450);
        form.OpenKnotFile(file);
        form.FDraw.ReverseAll();
        bool asked = false;
        auto unexpected = WhenModal<QDialog>([&](QDialog* d) {
            asked = true;
            d->reject();
        });
        form.SaveAction->trigger();
        QVERIFY(!asked);
        unexpected.reset();
        TDraw back;
        int w = 0, h = 0;
        back.LoadFromFile(file.toStdString(), w, h);
        QVERIFY(back == form.FDraw);
        QCOMPARE(QSize(w, h), QSize(600, 450));

        QVERIFY(QFile::remove(file));
        QString initial;
        const auto answer = WhenModal<QFileDialog>([&](QFileDialog* d) {
            initial = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            d->reject();
        });
        form.SaveAction->trigger();
        QCOMPARE(initial, QStringLiteral("trefoil"));
        QVERIFY(!QFile::exists(file));
    }

    void NewKeepsTheCanvasSizeAndAsksNothing() {
        TForm1 form;
        form.show();
        form.OpenKnotFile(WriteStar(QStringLiteral("big.rvd"), 600, 450));
        form.FDraw.BeginGroup({10, 10});  // a group being drawn
        DrawMode = TDrawMode::Drawing;
        bool asked = false;
        const auto unexpected = WhenModal<QDialog>([&](QDialog* d) {
            asked = true;
            d->reject();
        });
        form.NewMakeAction->trigger();
        QVERIFY(!asked);
        QCOMPARE(form.Panel1->size(), QSize(600, 450));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [NewKnot]"));
        QVERIFY(form.FFileName.isEmpty());
        QVERIFY(form.FDraw == TDraw());
        QCOMPARE(DrawMode, TDrawMode::Idle);
        QVERIFY(IsWhite(form.Image1->Picture));
    }

    void ADropOpensTheFirstKnotFile() {
        TForm1 form;
        form.show();
        QVERIFY(form.acceptDrops());
        {
            QFile notes(Path(QStringLiteral("notes.txt")));
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write("not a knot");
        }
        const QString b = WriteStar(QStringLiteral("b.RVD"), 500, 350, 20);
        const QString c = WriteStar(QStringLiteral("c.rvd"), 450, 320, 40);

        QMimeData onlyText;
        onlyText.setUrls({QUrl::fromLocalFile(Path(QStringLiteral("notes.txt")))});
        Drop(form, onlyText);
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [NewKnot]"));

        QMimeData three;
        three.setUrls({QUrl::fromLocalFile(Path(QStringLiteral("notes.txt"))), QUrl::fromLocalFile(b), QUrl::fromLocalFile(c)});
        Drop(form, three);
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [b]"));
        QCOMPARE(form.FFileName, b);
        QCOMPARE(form.Panel1->size(), QSize(500, 350));
        TDraw star;
        DrawStar(star, 20);
        QVERIFY(form.FDraw == star);
    }

    void AFailedOpenKeepsEverything() {
        TForm1 form;
        form.show();
        form.OpenKnotFile(WriteStar(QStringLiteral("good.rvd"), 600, 450));
        const QString broken = Path(QStringLiteral("broken.rvd"));
        {
            QFile f(broken);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("  300  200\r\n\r\n    1   12a    0\r\n");
        }
        const TDocumentState before = TDocumentState::Of(form);
        QVERIFY_THROWS_EXCEPTION(TFileError, form.OpenKnotFile(broken));
        QVERIFY(TDocumentState::Of(form) == before);
        QVERIFY_THROWS_EXCEPTION(TFileError, form.WMDropFiles({Path(QStringLiteral("missing.rvd"))}));
        QVERIFY(TDocumentState::Of(form) == before);
    }

    void AFailedSaveKeepsEverything() {
        TForm1 form;
        form.show();
        const QString file = WriteStar(QStringLiteral("kept.rvd"), 600, 450);
        form.OpenKnotFile(file);
        const TDocumentState before = TDocumentState::Of(form);
        // Saving into a folder that is not there says so.
        for (const auto& save : {std::function<void()>([&] { form.SaveKnotFile(Path(QStringLiteral("no-such-folder/x.rvd"))); }),
                                 std::function<void()>([&] { form.SaveCanvasBitmap(Path(QStringLiteral("no-such-folder/x.bmp"))); })}) {
            try {
                save();
                QFAIL("saved into no folder");
            } catch (const TFileError& e) {
                QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("保存先のフォルダが存在しません"));
            }
            QVERIFY(TDocumentState::Of(form) == before);
        }

        if (::geteuid() == 0) QSKIP("permissions do not stop root from writing");
        const QByteArray old = Contents(file);
        QVERIFY(QFile::setPermissions(FDir.path(), QFile::ReadOwner | QFile::ExeOwner));
        form.FDraw.ReverseAll();
        const TDocumentState reversed = TDocumentState::Of(form);
        QVERIFY_THROWS_EXCEPTION(TFileError, form.SaveKnotFile(file));
        QVERIFY(QFile::setPermissions(FDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(TDocumentState::Of(form) == reversed);
        QCOMPARE(Contents(file), old);
    }

    void ABrokenCommandLineFileIsReported() {
        const QString broken = Path(QStringLiteral("broken.rvd"));
        {
            QFile f(broken);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("12a");
        }
        TForm1 form;
        form.FCommandLineFile = broken;
        QString report;
        const auto answer = WhenModal<QMessageBox>([&](QMessageBox* m) {
            report = m->text();
            m->button(QMessageBox::Ok)->click();
        });
        form.show();
        QTRY_COMPARE(report, QStringLiteral("入力値が数値ではありません."));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [NewKnot]"));
        QVERIFY(form.acceptDrops());
    }

    void TheCommandLineFileOpens() {
        TForm1 form;
        form.FCommandLineFile = WriteStar(QStringLiteral("trefoil-right.rvd"), 500, 400);
        form.show();
        QTRY_COMPARE(form.windowTitle(), QStringLiteral("Ravelon - [trefoil-right]"));
        QCOMPARE(form.Panel1->size(), QSize(500, 400));
    }

    void TheBitmapIsTheCanvas() {
        TForm1 form;
        form.show();
        form.OpenKnotFile(WriteStar(QStringLiteral("star.rvd"), 430, 290));
        QString title;
        const auto answer = WhenModal<QFileDialog>([&](QFileDialog* d) {
            title = d->windowTitle();
            TypeAndConfirm(d, Path(QStringLiteral("pic")));
        });
        form.SaveAsBitmapAction->trigger();
        QCOMPARE(title, QStringLiteral("画像ファイルに保存する"));
        const QImage saved(Path(QStringLiteral("pic.bmp")), "BMP");
        QCOMPARE(saved.size(), QSize(430, 290));
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), form.Image1->Picture.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [star]"));
        QCOMPARE(form.FFileName, Path(QStringLiteral("star.rvd")));
    }

    // A file may give the canvas no width: it opens, repaints, takes the
    // mouse and prints without a word from the painters, and its picture
    // cannot be a bitmap.
    void ACanvasOfNoWidth() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QPainter|paint device|Painter")));
        TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.OpenKnotFile(WriteStar(QStringLiteral("thin.rvd"), 0, 450));
        QCOMPARE(form.CanvasWidth(), 0);
        QTest::mouseMove(form.Image1, QPoint(0, 10));
        QTest::mouseClick(form.Image1, Qt::LeftButton, {}, QPoint(0, 10));
        form.ShowDirectionAction->trigger();
        form.NewMakeActionExecute();
        QImage page(850, 1100, QImage::Format_RGB32);
        {
            QPainter p(&page);
            form.PaintPage(p, 100, 100, 850, QDate(2026, 12, 8), form.PageInvariants());
        }
        try {
            form.SaveCanvasBitmap(Path(QStringLiteral("thin.bmp")));
            QFAIL("an empty bitmap was written");
        } catch (const TFileError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("幅または高さが 0 のキャンバスは画像として保存できません"));
        }
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("thin.bmp"))));
    }

    void TheDateLine() {
        QCOMPARE(PrintDate(QDate(2026, 12, 8)), QStringLiteral("2026年12月8日(火)"));
        QCOMPARE(PrintDate(QDate(2027, 1, 3)), QStringLiteral("2027年1月3日(日)"));
    }

    void ThePageAt600Dpi() {
        TForm1 form;
        form.show();
        DrawTriangle(form.FDraw);
        form.RedrawCanvas();
        const int dotsPerMeter = 23622;  // 600 dpi
        QImage page(5100, 6600, QImage::Format_RGB32);
        page.setDotsPerMeterX(dotsPerMeter);
        page.setDotsPerMeterY(dotsPerMeter);
        page.fill(Qt::white);
        TPageLayout layout;
        {
            QPainter p(&page);
            layout = form.PaintPage(p, 600, 600, 5100, QDate(2026, 12, 8), form.PageInvariants());
        }
        QCOMPARE(layout.Margin, 300);
        QCOMPARE(layout.Unit, 60);
        QCOMPARE(layout.CaptionAt, QPoint(300, 300));
        QCOMPARE(layout.DateRect.top(), 300);
        QCOMPARE(layout.DateRect.right() + 1, 5100 - 300);
        QCOMPARE(layout.PictureRect, QRect(1350, layout.DateRect.bottom() + 1 + 240, 2400, 1800));
        QCOMPARE(layout.HeadingTops[0], layout.PictureRect.bottom() + 1 + 240);
        QVERIFY(layout.HeadingTops[1] > layout.HeadingTops[0] && layout.HeadingTops[2] > layout.HeadingTops[1]);
        QVERIFY(!form.FShowDirection);

        // The point at (100, 100) in black, six printer pixels to a canvas pixel.
        const QPoint origin = layout.PictureRect.topLeft();
        QCOMPARE(page.pixelColor(origin + QPoint(600, 600)), QColor(Qt::black));
        // The arrowhead of the first line, which the screen does not show.
        const QColor arrow = page.pixelColor(origin + QPoint(195 * 6, 103 * 6));
        QVERIFY(arrow.blue() > 200 && arrow.red() < 60);
        QCOMPARE(form.Image1->Picture.pixelColor(195, 103), QColor(Qt::white));
        QCOMPARE(page.pixelColor(origin + QPoint(20 * 6, 280 * 6)), QColor(Qt::white));

        // Ink of the caption starts at the left margin; the date ends at the right.
        int captionLeft = page.width(), dateRight = 0;
        for (int y = 300; y < layout.DateRect.bottom(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixelColor(x, y) != Qt::white) {
                    captionLeft = std::min(captionLeft, x);
                    dateRight = std::max(dateRight, x);
                }
        QVERIFY(captionLeft >= 300 && captionLeft < 340);
        QVERIFY(dateRight < 4800 && dateRight > 4740);
        // Something is written under each heading.
        for (int top : layout.HeadingTops) {
            bool ink = false;
            for (int x = 300; x < 1500 && !ink; ++x) ink = page.pixelColor(x, top + 50) != Qt::white;
            QVERIFY(ink);
        }
    }

    void PrintedCrossingsHaveGaps() {
        TForm1 form;
        form.show();
        DrawStar(form.FDraw, 0);
        form.RedrawCanvas();
        QImage page(5100, 6600, QImage::Format_RGB32);
        page.setDotsPerMeterX(23622);
        page.setDotsPerMeterY(23622);
        page.fill(Qt::white);
        TPageLayout layout;
        {
            QPainter p(&page);
            layout = form.PaintPage(p, 600, 600, 5100, QDate(2026, 12, 8), form.PageInvariants());
        }
        // Inside the gaps: white on the screen and on the page.
        const std::vector<QPointF> gaps = InsideGaps(form.FDraw);
        for (const QPointF& at : gaps) {
            QCOMPARE(form.Image1->Picture.pixelColor(at.toPoint()), QColor(Qt::white));
            QCOMPARE(page.pixelColor(layout.PictureRect.topLeft() + (at * 6).toPoint()), QColor(Qt::white));
        }
        QCOMPARE(gaps.size(), std::size_t{5});
    }

    void APrintedPdfPage() {
        TForm1 form;
        form.show();
        DrawStar(form.FDraw, 0);
        QPrinter printer;  // as the window's own
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path(QStringLiteral("page.pdf")));
        const TPageLayout layout = form.PrintPage(printer, form.PageInvariants());
        QCOMPARE(printer.docName(), QStringLiteral("Ravelon - 印刷"));
        const QByteArray pdf = Contents(Path(QStringLiteral("page.pdf")));
        QVERIFY(pdf.startsWith("%PDF"));

        QPrinter nowhere(QPrinter::HighResolution);
        nowhere.setOutputFormat(QPrinter::PdfFormat);
        nowhere.setOutputFileName(Path(QStringLiteral("no-such-folder/page.pdf")));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, form.PrintPage(nowhere, form.PageInvariants()));

        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty()) QSKIP("pdftoppm (poppler-utils) is not installed");
        QProcess render;
        const int dpi = printer.logicalDpiX();
        render.start(pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                Path(QStringLiteral("page.pdf")), Path(QStringLiteral("page"))});
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(render.exitCode(), 0);
        const QImage png(Path(QStringLiteral("page.png")));
        QVERIFY(!png.isNull());
        int blue = 0;
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x) {
                const QColor c = png.pixelColor(x, y);
                if (c.blue() > 200 && c.red() < 80 && c.green() < 80) ++blue;
            }
        QVERIFY(blue > 50);

        // The gaps, rendered at the printer's resolution, from the printable
        // area's corner on the paper.
        const QPointF corner = printer.pageRect(QPrinter::DevicePixel).topLeft() -
                               printer.paperRect(QPrinter::DevicePixel).topLeft() + layout.PictureRect.topLeft();
        for (const QPointF& at : InsideGaps(form.FDraw)) {
            const QColor c = png.pixelColor((corner + at * dpi / 100).toPoint());
            QVERIFY2(c.red() > 200 && c.green() > 200, qPrintable(c.name()));
        }
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TDocumentsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DocumentsTest.moc"
