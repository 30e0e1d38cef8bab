// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for papers: the canvas written as SVG, PDF, PNG (at 1, 2 or 4
// times its size) or TikZ, the format chosen by the filter of the save
// dialog.
//
// The vector figures show what the canvas shows: the lines in their groups'
// colours with the gaps where they pass under, the arrowheads when shown and
// the points, as strokes and discs (diagram/Figure.h), one unit a canvas
// pixel (1/96 inch). PNG is the same figure painted at 1, 2 or 4 times that
// scale, smoothed; what is being drawn (a rubber band) is not part of it. A
// suffix the file name is given (.svg, .pdf, .png, .tex) chooses the format
// over the filter. Every file is written to a new file first and put in the
// old one's place only when complete.
#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "app/CommonDialog.h"
#include "app/RavelonU1.h"
#include "app/SaveError.h"
#include "diagram/FileError.h"
#include "diagram/Figure.h"
#include "diagram/TikzFigure.h"

namespace ravelon {

namespace {

const QString FigureFilter = QStringLiteral(
    "SVG 画像 (*.svg)|*.svg|PDF 文書 (*.pdf)|*.pdf|PNG 画像 (*.png)|*.png|PNG 画像 2 倍 (*.png)|*.png|"
    "PNG 画像 4 倍 (*.png)|*.png|TikZ (*.tex)|*.tex");
constexpr int PixelsPerInch = 96;
const char* const EmptyFigureMessage = "幅または高さが 0 のキャンバスは図として書き出せません";

// Paints Figure onto Canvas, one unit a canvas pixel, on white.
void PaintFigure(QPainter& Canvas, const TFigure& Figure) {
    Canvas.fillRect(QRectF(0, 0, Figure.Width, Figure.Height), Qt::white);
    for (const TFigureLine& line : Figure.Lines) {
        const TColour c = GroupColour(line.Group);
        Canvas.setPen(QPen(QColor(c.R, c.G, c.B), LineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const TFigurePiece& piece : line.Pieces)
            Canvas.drawLine(QPointF(piece.From.X, piece.From.Y), QPointF(piece.To.X, piece.To.Y));
    }
    Canvas.setPen(Qt::NoPen);
    Canvas.setBrush(Qt::black);
    for (const TPoint& p : Figure.Points) Canvas.drawEllipse(QPointF(p.X, p.Y), PointRadius, PointRadius);
}

// The format a file named FileName is written in: the one its suffix names
// when it names one (a PNG in the scale of Chosen when that is a PNG), else
// Chosen, the dialog's filter.
TForm1::TFigureFormat FigureFormatOf(const QString& FileName, TForm1::TFigureFormat Chosen) {
    using enum TForm1::TFigureFormat;
    const QString suffix = QFileInfo(FileName).suffix().toLower();
    if (suffix == QStringLiteral("svg")) return Svg;
    if (suffix == QStringLiteral("pdf")) return Pdf;
    if (suffix == QStringLiteral("tex")) return Tikz;
    if (suffix == QStringLiteral("png")) return Chosen == Png2 || Chosen == Png4 ? Chosen : Png;
    return Chosen;
}

}  // namespace

void TForm1::ExportFigure(const QString& FileName, TFigureFormat Format) const {
    if (CanvasWidth() <= 0 || CanvasHeight() <= 0) throw TFileError(EmptyFigureMessage);
    const TFigure figure = FigureOf(FDraw, FShowDirection, CanvasWidth(), CanvasHeight());
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly)) FailSaving(file, FileName);
    bool written = true;
    switch (Format) {
        case TFigureFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(QSize(figure.Width, figure.Height));
            svg.setViewBox(QRect(0, 0, figure.Width, figure.Height));
            svg.setResolution(PixelsPerInch);
            svg.setTitle(FKnotName);
            svg.setDescription(QStringLiteral("Ravelon"));
            QPainter painter;
            written = painter.begin(&svg);
            if (written) PaintFigure(painter, figure);
            written = written && painter.end();
            break;
        }
        case TFigureFormat::Pdf: {
            QPdfWriter pdf(&file);
            pdf.setResolution(PixelsPerInch);
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setPageSize(QPageSize(QSizeF(figure.Width * 72.0 / PixelsPerInch, figure.Height * 72.0 / PixelsPerInch),
                                      QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setTitle(FKnotName);
            pdf.setCreator(QStringLiteral("Ravelon"));
            QPainter painter;
            written = painter.begin(&pdf);
            if (written) PaintFigure(painter, figure);
            written = written && painter.end();
            break;
        }
        case TFigureFormat::Png:
        case TFigureFormat::Png2:
        case TFigureFormat::Png4: {
            const int scale = Format == TFigureFormat::Png ? 1 : (Format == TFigureFormat::Png2 ? 2 : 4);
            QImage image(figure.Width * scale, figure.Height * scale, QImage::Format_RGB32);
            image.setDotsPerMeterX(static_cast<int>(std::nearbyint(PixelsPerInch * scale / 0.0254)));
            image.setDotsPerMeterY(image.dotsPerMeterX());
            {
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.scale(scale, scale);
                PaintFigure(painter, figure);
            }
            if (!image.save(&file, "PNG")) FailEncoding(file, FileName, "PNG");
            break;
        }
        case TFigureFormat::Tikz: {
            const std::string tex = TikzPicture(figure);
            written = file.write(tex.data(), static_cast<qint64>(tex.size())) == static_cast<qint64>(tex.size());
            break;
        }
    }
    if (!written || !file.commit()) FailSaving(file, FileName);
}

void TForm1::ExportActionExecute() {
    ToolBar1->repaint();
    QString fileName = FKnotName;
    int filterIndex = FExportFilterIndex;
    if (!SaveFileDialog(this, QStringLiteral("svg"), FigureFilter, QString(), QStringLiteral("図を書き出す"), fileName,
                        filterIndex))
        return;
    FExportFilterIndex = filterIndex;
    QCoreApplication::processEvents();
    ExportFigure(fileName, FigureFormatOf(fileName, static_cast<TFigureFormat>(std::clamp(filterIndex, 1, 6))));
}

}  // namespace ravelon
