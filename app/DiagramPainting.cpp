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

namespace ravelon {

namespace {

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor Green(0, 128, 0);
const QColor Black(0, 0, 0);
const QColor Silver(192, 192, 192);
const QColor Yellow(255, 255, 0);
constexpr int GapSize = 18;
constexpr int GapRadius = GapSize / 2;

std::size_t Ix(std::int32_t I) { return static_cast<std::size_t>(I); }

// The colour of the lines of group Group: blue, red, green, blue, ...
QColor GroupColour(std::int32_t Group) {
    switch (((Group % 3) + 3) % 3) {
        case 0: return Blue;
        case 1: return Red;
        default: return Green;
    }
}

// V rounded to the nearest integer, halves to even, within the int range.
int RoundToInt(double V) {
    const double r = std::nearbyint(V);
    if (!(r > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (r >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

QPen LinePen(const QColor& Colour) { return QPen(Colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

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
    Canvas.drawEllipse(QRect(P.X - 5, P.Y - 5, 10, 10));
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
    for (std::int32_t j = 0; j < FDraw.FLineCount(); ++j) {
        const TPoint c = FDraw.FCross[Ix(I)][Ix(j)];
        if (!IsCrossing(c) || FDraw.FOver[Ix(I)][Ix(j)]) continue;
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
    const double dx = static_cast<double>(e.X) - s.X;
    const double dy = static_cast<double>(e.Y) - s.Y;
    if (FShowDirection && (dx != 0 || dy != 0)) {
        const double sLen = 6.0 / std::sqrt(dx * dx + dy * dy);
        const double t = sLen * std::sqrt(3.0);
        const QPoint m(static_cast<int>((std::int64_t{s.X} + e.X) / 2), static_cast<int>((std::int64_t{s.Y} + e.Y) / 2));
        const QPoint q1(m.x() - RoundToInt(dy * sLen), m.y() + RoundToInt(dx * sLen));
        const QPoint w1(q1.x() - RoundToInt(dx * t), q1.y() - RoundToInt(dy * t));
        const QPoint q2(m.x() + RoundToInt(dy * sLen), m.y() - RoundToInt(dx * sLen));
        const QPoint w2(q2.x() - RoundToInt(dx * t), q2.y() - RoundToInt(dy * t));
        Canvas.drawLine(m, w1);
        Canvas.drawLine(m, w2);
    }

    // 4. The patches put back, their yellow corners left out.
    for (const TGapPatch& patch : patches) Canvas.drawImage(patch.Corner, patch.Picture);
    Canvas.restore();
}

void TForm1::PaintDiagram(QPainter& Canvas) {
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    for (std::int32_t i = 0; i < FDraw.FLineCount(); ++i) DrawLine(Canvas, GroupColour(FDraw.FLines[Ix(i)].Group), i);
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
