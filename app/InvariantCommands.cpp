// SPDX-License-Identifier: GPL-3.0-or-later
// The invariant commands and the output pane that shows the last result.
//
// The three commands of the Edit menu and the four computing commands of the
// Tools menu share one handler and are told apart by their tag, the kind of
// invariant (app/Invariants.h): 0 the bracket, 1 the twist number, 2 the Jones
// polynomial; then the Alexander polynomial, the determinant, the signature
// and the identification by the knot table. Those that need the bracket ask
// first from 14 crossings on, after making sure the code is within reach.
// Every computation runs on the worker thread while the window is busy.
#include <QPainter>

#include "app/Messages.h"
#include "app/QtTextSurface.h"
#include "app/RavelonU1.h"
#include "bracket/order/CostModel.h"
#include "bracket/TooComplex.h"

namespace ravelon {

namespace {

constexpr int AskFromCrossings = 14;
// The size of a sentence in the pane: that of a polynomial's main text.
constexpr int SentencePoints = 18;

}  // namespace

bool TForm1::PlanAndAsk(const TKnot& Knot, std::optional<TBracketPlan>& Plan) {
    // The plan is what the contraction would make first; the question waits
    // for it, and a code beyond reach is said so instead of asked about.
    const QString hint = StatusPanel1->text();
    RunBusy([&](TProgress&) { Plan = PlanBracket(Knot); });
    ShowHint(hint);
    if (BeyondReach(*Plan)) {
        ShowErrorReport(this, QString::fromUtf8(TTooComplex(static_cast<std::size_t>(Plan->EstimatedBytes / EstimateMargin)).what()));
        return false;
    }
    return AskConfirmation(this, QStringLiteral("計算に時間がかかりますが、よろしいですか?"));
}

void TForm1::CalcPolyActionExecute(QAction* Sender) {
    const auto kind = static_cast<TInvariantKind>(Sender->data().toInt());
    TKnot knot;
    FDraw.MakeKnot(knot);
    std::optional<TBracketPlan> plan;
    if (InvariantOf(kind).UsesBracket && knot.FCrossingCount() >= AskFromCrossings && !PlanAndAsk(knot, plan)) return;
    std::optional<TResult> result;
    RunBusy([&](TProgress& Progress) {
        if (kind == TInvariantKind::Identify && FKnotTable == nullptr)
            FKnotTable = std::make_unique<TKnotTable>(KnotTablePath());
        result = ComputeResult(kind, knot, plan ? &*plan : nullptr, FKnotTable.get(), Progress);
    });
    ShowResult(*result);
}

void TForm1::ShowResult(const TResult& R) {
    const TInvariant& row = InvariantOf(R.Kind);
    if (R.Poly)
        ShowPolynomial(*R.Poly, QString::fromUtf8(row.Letter), QString::fromUtf8(row.Title));
    else
        ShowSentence(QString::fromStdString(R.Sentence), QString::fromUtf8(row.Title));
    FLastResult = R;
}

namespace {

// Paints Title and, 3 pixels below it, what Typeset draws, onto the picture
// of Pane, sized to hold both. Typeset(Surface, X, Y) draws with its top-left
// corner at (X, Y) and advances X by its width and Y by its height.
void PaintPane(TImageControl& Pane, const QString& Title, const std::function<void(TTextSurface&, int&, int&)>& Typeset) {
    // Measure, then typeset onto a picture of that size.
    int w = 0, h = 0;
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter measure(&probe);
        TQtTextSurface surface(measure);
        Typeset(surface, w, h);
    }
    QImage scratch(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter draw(&scratch);
        draw.setPen(Qt::black);
        TQtTextSurface surface(draw);
        int x = 0, y = 0;
        Typeset(surface, x, y);
    }

    // The title above, 3 pixels between the two.
    const QFontMetrics titleMetrics(Pane.font(), &Pane.Picture);
    const int tw = titleMetrics.horizontalAdvance(Title);
    const int th = titleMetrics.height();
    Pane.SetPictureSize(std::max(w, tw + 5), h + th + 8);
    QPainter pane(&Pane.Picture);
    pane.fillRect(Pane.Picture.rect(), Qt::white);
    pane.setFont(Pane.font());
    pane.setPen(Qt::black);
    pane.drawText(5, 5 + titleMetrics.ascent(), Title);
    pane.drawImage(0, th + 8, scratch, 0, 0, w, h);
    pane.end();
    Pane.update();
}

}  // namespace

void TForm1::ShowPolynomial(const TPoly& P, const QString& VarName, const QString& Title) {
    if (!ShowOutputAction->isChecked()) ShowOutputAction->trigger();
    const std::string letter = VarName.toStdString();
    PaintPane(*Image2, Title, [&](TTextSurface& Surface, int& X, int& Y) { P.Typeset(Surface, X, Y, letter); });
}

void TForm1::ShowSentence(const QString& Text, const QString& Title) {
    if (!ShowOutputAction->isChecked()) ShowOutputAction->trigger();
    const std::string text = Text.toStdString();
    PaintPane(*Image2, Title, [&](TTextSurface& Surface, int& X, int& Y) {
        Surface.SetFontSize(SentencePoints);
        Surface.SetBold(false);
        const int width = Surface.TextWidth(text);
        const int height = Surface.TextHeight(text);
        Surface.TextOut(X, Y, text);
        X += width;
        Y += height;
    });
}

}  // namespace ravelon
