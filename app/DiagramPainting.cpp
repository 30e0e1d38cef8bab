// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the diagram: every line in its group's colour with a gap wherever
// it passes under another, an arrowhead at its middle when the direction is
// shown, and every point as a black dot on top. Also the rubber bands of the
// canvas interaction and the gap mask.
//
// Pixel work throughout: no antialiasing, 2-pixel pens. The gaps are made the
// way a careful painter would: before line i is painted, the 18-pixel disc
// around each crossing where it passes under is copied aside (a patch whose
// corners the gap mask turns yellow, the patch's transparent colour); after
// the line is painted the patches are put back, so inside those discs the
// canvas shows what it showed before line i, and the line over it stays whole.
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <limits>

#include "app/RavelonU1.h"
#include "diagram/Figure.h"

namespace ravelon {

namespace {

const QColor Black(0, 0, 0);
const QColor Silver(192, 192, 192);
const QColor Yellow(255, 255, 0);
constexpr int GapSize = 2 * GapRadius;

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

QColor ColourOf(TColour C) { return QColor(C.R, C.G, C.B); }

QPen LinePen(const QColor& Colour) { return QPen(Colour, LineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// The canvas behind Canvas when it paints on an image, else nullptr.
QImage* ImageOf(QPainter& Canvas) {
    QPaintDevice* const device = Canvas.device();
    return device != nullptr && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
}

// One gap: what the canvas showed in the square at Corner before the line
// was painted, with the corners outside the disc transparent.
struct TGapPatch {
    QPoint Corner;
    QImage Picture;
};

}  // namespace

void TForm1::PaintCrossMask(QPainter& Canvas) {
    Canvas.save();
    Canvas.setPen(Qt::NoPen);
    Canvas.fillRect(0, 0, GapSize, GapSize, Yellow);
    Canvas.setBrush(Qt::white);
    Canvas.drawEllipse(QRect(0, 0, GapSize, GapSize));
    Canvas.restore();
}

void TForm1::DrawPoint(QPainter& Canvas, TPoint P, const QColor& Colour) {
    Canvas.save();
    Canvas.setPen(Qt::NoPen);
    Canvas.setBrush(Colour);
    Canvas.drawEllipse(QRect(P.X - PointRadius, P.Y - PointRadius, 2 * PointRadius, 2 * PointRadius));
    Canvas.restore();
}

void TForm1::DrawRubberBand(QPainter& Canvas, TPoint From, TPoint To) {
    Canvas.save();
    Canvas.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    Canvas.setPen(LinePen(Silver));
    Canvas.drawLine(From.X, From.Y, To.X, To.Y);
    Canvas.restore();
}

void TForm1::DrawLine(QPainter& Canvas, const QColor& Colour, std::int32_t I) {
    const TDrawLine& line = FDraw.FLines[Ix(I)];
    const TPoint s = FDraw.PointAt(line.StartIndex);
    const TPoint e = FDraw.PointAt(line.EndIndex);
    QImage* const image = ImageOf(Canvas);
    Canvas.save();

    // 1. The gaps: every crossing where line I passes under another. The
    //    mask's yellow corners are the patches' transparent parts.
    std::vector<QPoint> corners;
    for (int y = 0; y < GapSize; ++y)
        for (int x = 0; x < GapSize; ++x)
            if (FMaskBitmap.pixel(x, y) != QColor(Qt::white).rgb()) corners.emplace_back(x, y);
    std::vector<TGapPatch> patches;
    QPainterPath outsideGaps;
    for (const TPoint c : UnderCrossingsOf(FDraw, I)) {
        const QPoint corner(c.X - GapRadius, c.Y - GapRadius);
        if (image != nullptr) {
            QImage patch = image->copy(QRect(corner, QSize(GapSize, GapSize))).convertToFormat(QImage::Format_ARGB32);
            for (const QPoint k : corners) patch.setPixel(k, qRgba(0, 0, 0, 0));
            patches.push_back({corner, std::move(patch)});
        } else {
            // A recorded picture cannot be read back: leave the discs out of
            // the line instead, which shows the same.
            // The line with its pen and arrowhead, and some room: a modest
            // rectangle, as printers and PDF files take no huge coordinates.
            if (outsideGaps.isEmpty())
                outsideGaps.addRect(QRectF(QPointF(std::min(s.X, e.X), std::min(s.Y, e.Y)),
                                           QPointF(std::max(s.X, e.X), std::max(s.Y, e.Y)))
                                        .adjusted(-GapSize, -GapSize, GapSize, GapSize));
            QPainterPath disc;
            disc.addEllipse(QRectF(corner, QSizeF(GapSize, GapSize)));
            outsideGaps = outsideGaps.subtracted(disc);
        }
    }
    if (!outsideGaps.isEmpty()) Canvas.setClipPath(outsideGaps, Qt::IntersectClip);

    // 2. The stroke.
    Canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Canvas.setPen(LinePen(Colour));
    Canvas.drawLine(s.X, s.Y, e.X, e.Y);

    // 3. The arrowhead at the middle, pointing from start to end. A line of
    //    zero length has no direction and gets none.
    if (const std::optional<TArrowhead> arrow = ArrowheadOf(s, e); FShowDirection && arrow) {
        const QPoint m(arrow->Middle.X, arrow->Middle.Y);
        Canvas.drawLine(m, QPoint(arrow->Wing1.X, arrow->Wing1.Y));
        Canvas.drawLine(m, QPoint(arrow->Wing2.X, arrow->Wing2.Y));
    }

    // 4. The patches put back, their yellow corners left out.
    for (const TGapPatch& patch : patches) Canvas.drawImage(patch.Corner, patch.Picture);
    Canvas.restore();
}

void TForm1::PaintDiagram(QPainter& Canvas) {
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    for (std::int32_t i = 0; i < FDraw.FLineCount(); ++i) DrawLine(Canvas, ColourOf(GroupColour(FDraw.FLines[Ix(i)].Group)), i);
    for (std::int32_t j = 0; j < FDraw.FPointCount(); ++j) DrawPoint(Canvas, FDraw.PointAt(j), Black);
}

void TForm1::Redraw(QPainter& Canvas) {
    QImage offscreen(Image1->Picture.size(), QImage::Format_RGB32);
    offscreen.fill(Qt::white);
    {
        QPainter p(&offscreen);
        PaintDiagram(p);
    }
    Canvas.save();
    Canvas.setCompositionMode(QPainter::CompositionMode_Source);
    Canvas.drawImage(0, 0, offscreen);
    Canvas.restore();
}

void TForm1::RedrawCanvas() {
    {
        QPainter p(&Image1->Picture);
        Redraw(p);
    }
    Image1->update();
}

}  // namespace ravelon
