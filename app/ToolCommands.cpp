// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard commands of the Tools menu: the diagram's PD code, and the
// result the output pane shows, as plain text and as LaTeX.
//
// The clipboard holds the text as "text/plain" and, for Copy result, the
// LaTeX beside it as "text/x-tex" (for editors that take it) and
// "application/x-latex".
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/RavelonU1.h"

namespace ravelon {

namespace {

const QString NothingToCopy = QStringLiteral("コピーする結果がありません。");
const QString PdCopied = QStringLiteral("PD コードをクリップボードにコピーしました。");
const QString ResultCopied = QStringLiteral("結果をクリップボードにコピーしました。");

}  // namespace

void TForm1::CopyPdActionExecute() {
    TKnot knot;
    FDraw.MakeKnot(knot);
    std::optional<TResult> result;
    RunBusy([&](TProgress& Progress) { result = ComputeResult(TInvariantKind::PdCode, knot, nullptr, nullptr, Progress); });
    QGuiApplication::clipboard()->setText(QString::fromStdString(result->Text));
    ShowResult(*result);
    ShowHint(PdCopied);
}

void TForm1::CopyResultActionExecute() {
    if (!FLastResult) {
        ShowHint(NothingToCopy);
        return;
    }
    auto* const data = new QMimeData;
    data->setText(QString::fromStdString(FLastResult->Text));
    const QByteArray latex = QByteArray::fromStdString(FLastResult->Latex);
    data->setData(QStringLiteral("text/x-tex"), latex);
    data->setData(QStringLiteral("application/x-latex"), latex);
    QGuiApplication::clipboard()->setMimeData(data);  // the clipboard owns it
    ShowHint(ResultCopied);
}

}  // namespace ravelon
