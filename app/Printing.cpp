// SPDX-License-Identifier: GPL-3.0-or-later
// Printing one page with the diagram and its three invariants, the printer
// set-up, and saving the canvas picture as a bitmap.
//
// The page: the caption line (16 points) at the top margin and the date
// (12 points) ending at the right margin; four units below the date's line
// the diagram, recorded as a vector picture with its direction arrows and
// drawn at 100 canvas pixels to the inch, centred across the page; four
// units below it the three headings (14 points), each followed by its
// polynomial one unit lower and indented by one unit, with two units between
// one invariant and the next. Nothing is wrapped or scaled to fit.
//
// The invariants are computed on the worker thread before the job begins, so
// that a computation that fails or is cancelled prints nothing.
#include <QCoreApplication>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QSaveFile>
#include <cmath>
#include <stdexcept>

#include "app/CommonDialog.h"
#include "app/Invariants.h"
#include "app/QtTextSurface.h"
#include "app/RavelonU1.h"
#include "app/SaveError.h"
#include "diagram/FileError.h"

namespace ravelon {

namespace {

const QString BitmapFilter = QStringLiteral("ビットマップファイル (*.bmp)|*.bmp|すべてのファイル (*.*)|*.*");
constexpr int CanvasPixelsPerInch = 100;
// A bitmap holds at least one pixel in each direction.
const char* const EmptyCanvasMessage = "幅または高さが 0 のキャンバスは画像として保存できません";

// Pixels * Dpi / 100, rounded to the nearest, halves to even.
int ScaledToPrinter(int Pixels, int Dpi) {
    return static_cast<int>(std::nearbyint(static_cast<double>(std::int64_t{Pixels} * Dpi) / CanvasPixelsPerInch));
}

// Shows the direction arrows for as long as it lives, then puts back the
// screen's setting.
class TArrowsShown {
public:
    explicit TArrowsShown(bool& ShowDirection) : FShowDirection(ShowDirection), FOld(ShowDirection) {
        FShowDirection = true;
    }
    ~TArrowsShown() { FShowDirection = FOld; }
    TArrowsShown(const TArrowsShown&) = delete;
    TArrowsShown& operator=(const TArrowsShown&) = delete;

private:
    bool& FShowDirection;
    const bool FOld;
};

std::string Utf8(const QString& Text) { return Text.toUtf8().toStdString(); }

// Plays Picture, made on a canvas of size Canvas, into Rect of Page.
void DrawScaled(QPainter& Page, const QPicture& Picture, QSize Canvas, const QRect& Rect) {
    Page.save();
    Page.setClipRect(Rect, Qt::IntersectClip);
    Page.translate(Rect.topLeft());
    // A picture plays itself scaled from its own resolution to the device's;
    // the scale asked for is on top of that.
    const QPaintDevice& device = *Page.device();
    Page.scale(static_cast<double>(Rect.width()) * Picture.logicalDpiX() /
                   (static_cast<double>(Canvas.width()) * device.logicalDpiX()),
               static_cast<double>(Rect.height()) * Picture.logicalDpiY() /
                   (static_cast<double>(Canvas.height()) * device.logicalDpiY()));
    Page.drawPicture(0, 0, Picture);
    Page.restore();
}

}  // namespace

TPageLayout PageLayout(int DpiX, int DpiY, int PageWidth, int CanvasWidth, int CanvasHeight) {
    TPageLayout layout;
    layout.Margin = DpiX / 2;
    layout.Top = DpiY / 2;
    layout.Unit = DpiY / 10;
    layout.PageWidth = PageWidth;
    layout.PictureSize = QSize(ScaledToPrinter(CanvasWidth, DpiX), ScaledToPrinter(CanvasHeight, DpiY));
    return layout;
}

QString PrintDate(const QDate& Day) {
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(Day, QStringLiteral("yyyy年M月d日(ddd)"));
}

std::array<TPoly, 3> TForm1::PageInvariants() {
    TKnot knot;
    FDraw.MakeKnot(knot);
    std::array<TPoly, 3> invariants;
    RunBusy([&](TProgress& Progress) {
        TBracketAndJones both = ComputeBracketAndJones(knot, nullptr, Progress);
        invariants[0] = std::move(both.Bracket);
        invariants[1].SetConstant(knot.Writhe());
        invariants[2] = std::move(both.Jones);
    });
    return invariants;
}

TPageLayout TForm1::PaintPage(QPainter& Page, int DpiX, int DpiY, int PageWidth, const QDate& Today,
                              const std::array<TPoly, 3>& Values) {
    const int canvasWidth = CanvasWidth();
    const int canvasHeight = CanvasHeight();
    QPicture picture;
    {
        const TArrowsShown arrows(FShowDirection);
        QPainter recorder(&picture);
        PaintDiagram(recorder);
    }
    picture.setBoundingRect(QRect(0, 0, canvasWidth, canvasHeight));

    TPageLayout layout = PageLayout(DpiX, DpiY, PageWidth, canvasWidth, canvasHeight);
    const int m = layout.Margin;
    const int u = layout.Unit;
    int y = layout.Top;
    Page.setPen(Qt::black);
    TQtTextSurface surface(Page);

    surface.SetFontSize(16);
    layout.CaptionAt = QPoint(m, y);
    surface.TextOut(m, y, Utf8(windowTitle()));

    surface.SetFontSize(12);
    const std::string date = Utf8(PrintDate(Today));
    const int dateWidth = surface.TextWidth(date);
    const int lineHeight = surface.TextHeight("$");
    layout.DateRect = QRect(PageWidth - dateWidth - m, y, dateWidth, lineHeight);
    surface.TextOut(layout.DateRect.left(), y, date);
    y += lineHeight + 4 * u;

    layout.PictureRect = QRect(QPoint((PageWidth - layout.PictureSize.width()) / 2, y), layout.PictureSize);
    if (canvasWidth > 0 && canvasHeight > 0) DrawScaled(Page, picture, QSize(canvasWidth, canvasHeight), layout.PictureRect);
    y += layout.PictureSize.height() + 4 * u;

    for (std::size_t i = 0; i < 3; ++i) {
        const TInvariant& row = Invariants[i];
        surface.SetFontSize(14);
        surface.SetBold(false);
        layout.HeadingTops[i] = y;
        surface.TextOut(m, y, row.Title);
        y += surface.TextHeight("$") + u;
        int x = m + u;
        Values[i].Typeset(surface, x, y, row.Letter);
        if (i < 2) y += 2 * u;
    }
    layout.Bottom = y;
    return layout;
}

TPageLayout TForm1::PrintPage(QPrinter& Printer, const std::array<TPoly, 3>& Values) {
    Printer.setDocName(QStringLiteral("Ravelon - 印刷"));
    QPainter page;
    if (!page.begin(&Printer)) throw std::runtime_error("印刷を開始できませんでした");
    TPageLayout layout;
    try {
        layout = PaintPage(page, Printer.logicalDpiX(), Printer.logicalDpiY(), Printer.width(), QDate::currentDate(),
                           Values);
    } catch (...) {
        Printer.abort();
        throw;
    }
    if (!page.end()) throw std::runtime_error("印刷できませんでした");
    return layout;
}

void TForm1::PrintActionExecute() {
    QPrintDialog dialog(Printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintPage(*Printer, PageInvariants());
}

void TForm1::PrinterSetupActionExecute() {
    QPageSetupDialog dialog(Printer.get(), this);
    dialog.exec();
}

void TForm1::SaveCanvasBitmap(const QString& FileName) const {
    const QImage canvas = Image1->Shown();
    if (canvas.isNull()) throw TFileError(EmptyCanvasMessage);
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly)) FailSaving(file, FileName);
    if (!canvas.save(&file, "BMP")) FailEncoding(file, FileName, "BMP");
    if (!file.commit()) FailSaving(file, FileName);
}

void TForm1::SaveAsBitmapActionExecute() {
    ToolBar1->repaint();
    QString fileName = FKnotName;
    int filterIndex = 0;
    if (!SaveFileDialog(this, QStringLiteral("bmp"), BitmapFilter, QString(), QStringLiteral("画像ファイルに保存する"),
                        fileName, filterIndex))
        return;
    QCoreApplication::processEvents();
    SaveCanvasBitmap(fileName);
}

}  // namespace ravelon
