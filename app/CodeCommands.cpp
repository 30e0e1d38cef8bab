// SPDX-License-Identifier: GPL-3.0-or-later
// New diagrams drawn from a code: ツール > 表から開く (an entry of the knot
// table by its name) and ツール > PD コードから作成 (a PD code typed or
// pasted). Like New, neither asks about the diagram on the canvas, and each
// is one step of the undo history.
#include "app/CodeDialogs.h"
#include "app/RavelonU1.h"
#include "diagram/EditState.h"
#include "knot/PdRead.h"
#include "layout/DrawCode.h"

namespace ravelon {

void TForm1::OpenDrawing(const TKnot& Code, const QString& KnotName) {
    TDrawing drawing = DrawCode(Code);  // throws, changing nothing
    OpenDiagram(std::move(drawing.Draw), drawing.Width, drawing.Height, KnotName);
}

void TForm1::OpenDiagram(TDraw Draw, int Width, int Height, const QString& KnotName) {
    ChangeDiagram(true, [&] {
        FDraw = std::move(Draw);
        // A diagram of closed curves, nothing being drawn.
        ResetEditState();
        ResetInteraction();
        FKnotName = KnotName;
        SetCaption();
        FFileName.clear();
        SetCanvasSize(Width, Height);
        RedrawCanvas();
    });
}

void TForm1::OpenTableActionExecute() {
    if (FKnotTable == nullptr) FKnotTable = std::make_unique<TKnotTable>(KnotTablePath());
    std::vector<std::string> names;
    names.reserve(FKnotTable->Entries().size());
    for (const TTableEntry& e : FKnotTable->Entries()) names.push_back(e.Name);
    TTableDialog dialog(this, names);
    const int chosen = dialog.Execute();
    if (chosen < 0) return;
    const TTableEntry& entry = FKnotTable->Entries()[static_cast<std::size_t>(chosen)];
    OpenDrawing(ReadPdCode(entry.Pd), QString::fromStdString(entry.Name));
}

void TForm1::NewFromPdActionExecute() {
    TPdCodeDialog dialog(this);
    if (!dialog.Execute(FLastPdCode)) return;
    // A code may run over several lines as pasted.
    const QString code = QString(FLastPdCode).replace(u'\n', u' ').replace(u'\r', u' ');
    OpenDrawing(ReadPdCode(code.toStdString()), QStringLiteral("NewKnot"));
}

}  // namespace ravelon
