// SPDX-License-Identifier: GPL-3.0-or-later
// Every picture compiled in from resources/ravelon.qrc loads at its size; the
// cursors are black and white on transparent, opaque at their hot spots.
#include <QImage>
#include <QPixmap>
#include <QApplication>
#include <QTest>

#include <map>

namespace {

// Each picture the program uses, with its size.
const std::map<QString, QSize>& Pictures()
{
    static const std::map<QString, QSize> List = [] {
        std::map<QString, QSize> Sizes;
        for (int i = 0; i < 8; ++i)
            Sizes[QString(":/images/tool%1.xpm").arg(i)] = {16, 16};
        for (int i = 1; i <= 3; ++i)
            Sizes[QString(":/cursors/cursor%1.xpm").arg(i)] = {32, 32};
        for (int Side : {16, 32, 48, 128})
            Sizes[QString(":/icon/ravelon-%1.xpm").arg(Side)] = {Side, Side};
        return Sizes;
    }();
    return List;
}

}  // namespace

// Tests of the compiled-in pictures.
// The pictures live in the program's library; referencing them keeps them linked.
static void InitResources() { Q_INIT_RESOURCE(ravelon); }

class TResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void EachPictureLoadsAtItsSize()
    {
        for (const auto& [Path, Size] : Pictures()) {
            const QPixmap Picture(Path);
            QVERIFY2(!Picture.isNull(), qPrintable(Path));
            QCOMPARE(Picture.size(), Size);
            const QImage Image = Picture.toImage();
            QVERIFY2(Image.hasAlphaChannel() && qAlpha(Image.pixel(0, Size.height() - 1)) == 0, qPrintable(Path));
        }
    }

    void CursorsAreMonochromeAndHotSpotsOnTheHand()
    {
        const std::map<QString, QPoint> HotSpots = {{":/cursors/cursor1.xpm", {13, 4}},
                                                    {":/cursors/cursor2.xpm", {15, 15}},
                                                    {":/cursors/cursor3.xpm", {15, 15}}};
        for (const auto& [Path, Spot] : HotSpots) {
            const QImage Image = QImage(Path).convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(!Image.isNull(), qPrintable(Path));
            for (int y = 0; y < Image.height(); ++y)
                for (int x = 0; x < Image.width(); ++x) {
                    const QRgb Pixel = Image.pixel(x, y);
                    QVERIFY2(qAlpha(Pixel) == 0 || Pixel == qRgb(0, 0, 0) || Pixel == qRgb(255, 255, 255),
                             qPrintable(QString("%1 (%2, %3)").arg(Path).arg(x).arg(y)));
                }
            QVERIFY2(qAlpha(Image.pixel(Spot)) == 255, qPrintable(Path));
        }
        // The pointing finger's tip is the hand's top: nothing is drawn above it.
        const QImage Pointing(":/cursors/cursor1.xpm");
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < Pointing.width(); ++x)
                QVERIFY(qAlpha(Pointing.pixel(x, y)) == 0);
    }
};

int main(int argc, char** argv) {
    InitResources();
    QApplication app(argc, argv);
    TResourcesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "ResourcesTest.moc"
