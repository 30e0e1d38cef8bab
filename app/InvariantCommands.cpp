// The three invariant commands (bracket polynomial, twist number, Jones
// polynomial) and the output pane that shows the last result.
//
// The commands share one handler and are told apart by their tag:
//   tag 0  the bracket, sorted                       letter "A"  "ブラケット多項式"
//   tag 1  the writhe as a constant                  letter "x"  "ねじり数"
//   tag 2  the Jones polynomial, sorted              letter "t"  "ジョーンズ多項式"
// The bracket and the Jones polynomial ask first from 14 crossings on.
#include <QApplication>
#include <QPainter>

#include "app/Invariants.h"
#include "app/Messages.h"
#include "app/QtTextSurface.h"
#include "app/RavelonU1.h"
#include "app/ScreenCursor.h"

namespace ravelon {

namespace {

constexpr int AskFromCrossings = 14;

// Shows the hourglass and the progress text for as long as it lives, and
// puts back the default cursor and the empty status text however the
// computation ends.
class TBusy {
public:
    explicit TBusy(TForm1& Form) : FForm(Form) {
        SetScreenCursor(crHourGlass);
        FForm.ShowHint(QStringLiteral("多項式を計算しています..."));
        // The window system's word that the confirmation has gone, so that
        // the canvas beneath it is drawn again before a long computation.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        FForm.repaint();
        FForm.StatusBar1->repaint();
    }
    ~TBusy() {
        FForm.ShowHint(QString());
        SetScreenCursor(crDefault);
    }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    TForm1& FForm;
};

}  // namespace

void TForm1::CalcPolyActionExecute(QAction* Sender) {
    const int tag = Sender->data().toInt();
    TKnot knot;
    FDraw.MakeKnot(knot);
    if (tag != 1 && knot.FCrossingCount() >= AskFromCrossings &&
        !AskConfirmation(this, QStringLiteral("計算に時間がかかりますが、よろしいですか?")))
        return;
    TPoly p(0);
    {
        const TBusy busy(*this);
        ComputeInvariant(knot, tag, p);
    }
    const TInvariant& row = Invariants[tag == 0 ? 0 : (tag == 1 ? 1 : 2)];
    ShowPolynomial(p, QString::fromUtf8(row.Letter), QString::fromUtf8(row.Title));
}

void TForm1::ShowPolynomial(const TPoly& P, const QString& VarName, const QString& Title) {
    if (!ShowOutputAction->isChecked()) ShowOutputAction->trigger();
    const std::string letter = VarName.toStdString();

    // Measure, then typeset onto a picture of that size.
    int w = 0, h = 0;
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter measure(&probe);
        TQtTextSurface surface(measure);
        P.Typeset(surface, w, h, letter);
    }
    QImage scratch(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter draw(&scratch);
        draw.setPen(Qt::black);
        TQtTextSurface surface(draw);
        int x = 0, y = 0;
        P.Typeset(surface, x, y, letter);
    }

    // The title above, 3 pixels between the two.
    const QFontMetrics titleMetrics(Image2->font(), &Image2->Picture);
    const int tw = titleMetrics.horizontalAdvance(Title);
    const int th = titleMetrics.height();
    Image2->SetPictureSize(std::max(w, tw + 5), h + th + 8);
    QPainter pane(&Image2->Picture);
    pane.fillRect(Image2->Picture.rect(), Qt::white);
    pane.setFont(Image2->font());
    pane.setPen(Qt::black);
    pane.drawText(5, 5 + titleMetrics.ascent(), Title);
    pane.drawImage(0, th + 8, scratch, 0, 0, w, h);
    pane.end();
    Image2->update();
}

}  // namespace ravelon
