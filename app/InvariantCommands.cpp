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
#include <QScrollArea>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <vector>

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

// The narrowest a sentence is wrapped to, however narrow the pane.
constexpr int LeastSentenceRoom = 120;

// Text in lines no wider than Room in Surface's font, broken where lines may
// break (after a space, between Japanese characters, never inside a word);
// a word wider than Room stands on a line of its own.
std::vector<QString> WrapToWidth(TTextSurface& Surface, const QString& Text, int Room) {
    std::vector<QString> lines;
    const auto width = [&](qsizetype From, qsizetype To) {
        return Surface.TextWidth(Text.mid(From, To - From).trimmed().toStdString());
    };
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, Text);
    qsizetype start = 0, fits = 0;
    for (qsizetype at = breaks.toNextBoundary(); at > 0; at = breaks.toNextBoundary()) {
        if (width(start, at) <= Room) {
            fits = at;
            continue;
        }
        if (fits > start) {
            lines.push_back(Text.mid(start, fits - start).trimmed());
            start = fits;
        }
        // What is left from start to at may still be too wide: a word of its own.
        if (width(start, at) > Room) {
            lines.push_back(Text.mid(start, at - start).trimmed());
            start = at;
        }
        fits = at;
    }
    if (start < Text.size()) lines.push_back(Text.mid(start).trimmed());
    return lines;
}

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
    // The table is read on the worker at its first use and kept by the
    // window once the job has ended.
    const TKnotTable* table = FKnotTable.get();
    std::unique_ptr<TKnotTable> read;
    RunBusy([&](TProgress& Progress) {
        if (kind == TInvariantKind::Identify && table == nullptr) {
            read = std::make_unique<TKnotTable>(KnotTablePath());
            table = read.get();
        }
        result = ComputeResult(kind, knot, plan ? &*plan : nullptr, table, Progress);
    });
    if (read != nullptr) FKnotTable = std::move(read);
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
    FSentenceRoom = ScrollBox2->viewport()->width();
    PaintPane(*Image2, Title, [&](TTextSurface& Surface, int& X, int& Y) {
        Surface.SetFontSize(SentencePoints);
        Surface.SetBold(false);
        // Indented as a polynomial's first term, and wrapped to the pane.
        const int indent = Surface.TextWidth(" ");
        int widest = 0;
        for (const QString& line : WrapToWidth(Surface, Text, std::max(FSentenceRoom - indent, LeastSentenceRoom))) {
            const std::string text = line.toStdString();
            Surface.TextOut(X + indent, Y, text);
            widest = std::max(widest, Surface.TextWidth(text));
            Y += Surface.TextHeight(text);
        }
        X += indent + widest;
    });
}

void TForm1::OutputPaneResized() {
    // A sentence is wrapped again to the pane's new width.
    if (FLastResult && !FLastResult->Poly && ScrollBox2->viewport()->width() != FSentenceRoom) ShowResult(*FLastResult);
}

}  // namespace ravelon
