// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history: every change of the diagram is one step that can be
// undone and done again.
//
// The steps: a plotted point (the first of a group too), a closing, the
// right button's step back, a swap, a whole move of a point (press to
// release), Reverse all, a change of the canvas size, New, Open and a
// dropped file. A step holds the window's state before and after it
// (TWindowState: a snapshot of the diagram, its canvas size and the editing
// state, and the document's name), and undoing it puts the state before back
// and repaints; a step of New or Open puts the document's name back too.
// Drawing an open curve goes on after an undo as before it.
//
// The history is as deep as memory allows: its snapshots may hold
// FHistoryLimit (64 MiB) in all. Past that the oldest half of the steps is let go, so
// that a person can always undo at least the last few thousand steps of any
// diagram of the canvas and many more of a small one. Saving leaves the
// history alone.
#include <QUndoCommand>
#include <QUndoStack>

#include "app/RavelonU1.h"
#include "app/ScreenCursor.h"

namespace ravelon {

namespace {


// One step of the history.
class TDiagramStep : public QUndoCommand {
public:
    TDiagramStep(TForm1& Form, std::shared_ptr<const TWindowState> Before, std::shared_ptr<const TWindowState> After,
                 bool Document)
        : FForm(Form), Before(std::move(Before)), After(std::move(After)), Document(Document) {}

    // The change is made already when the step is pushed.
    void redo() override {
        if (FDone) FForm.RestoreState(*After, Document);
        FDone = true;
    }
    void undo() override { FForm.RestoreState(*Before, Document); }

    TForm1& FForm;
    const std::shared_ptr<const TWindowState> Before;
    const std::shared_ptr<const TWindowState> After;
    const bool Document;

private:
    bool FDone = false;
};

}  // namespace

std::shared_ptr<const TWindowState> TForm1::CaptureState() const {
    return std::make_shared<const TWindowState>(
        TWindowState{TDiagramSnapshot::Take(FDraw, CanvasWidth(), CanvasHeight()), FKnotName, FFileName});
}

void TForm1::ChangeDiagram(bool Document, const std::function<void()>& Change) {
    const std::shared_ptr<const TWindowState> before = CaptureState();
    Change();
    RecordStep(before, Document);
}

void TForm1::RecordStep(const std::shared_ptr<const TWindowState>& Before, bool Document) {
    std::shared_ptr<const TWindowState> after = CaptureState();
    if (after->Diagram == Before->Diagram &&
        (!Document || (after->KnotName == Before->KnotName && after->FileName == Before->FileName)))
        return;
    // Consecutive steps share the state between them.
    std::shared_ptr<const TWindowState> before = Before;
    if (UndoStack->index() > 0) {
        const auto* last = static_cast<const TDiagramStep*>(UndoStack->command(UndoStack->index() - 1));
        if (*last->After == *before) before = last->After;
    }
    UndoStack->push(new TDiagramStep(*this, std::move(before), std::move(after), Document));
    if (HistoryBytesHeld() > FHistoryLimit) DropOldestSteps();
}

std::size_t TForm1::HistoryBytesHeld() const {
    std::size_t bytes = 0;
    const TWindowState* previous = nullptr;
    for (int i = 0; i < UndoStack->count(); ++i) {
        const auto* step = static_cast<const TDiagramStep*>(UndoStack->command(i));
        if (step->Before.get() != previous) bytes += step->Before->Diagram.Bytes();
        bytes += step->After->Diagram.Bytes();
        previous = step->After.get();
    }
    return bytes;
}

void TForm1::DropOldestSteps() {
    // A QUndoStack cannot let go of its oldest steps, so the history is made
    // again from the newer half. The steps are pushed done: nothing changes.
    struct TKept {
        std::shared_ptr<const TWindowState> Before, After;
        bool Document;
    };
    std::vector<TKept> kept;
    const int count = UndoStack->count();
    for (int i = count / 2; i < count; ++i) {
        const auto* step = static_cast<const TDiagramStep*>(UndoStack->command(i));
        kept.push_back({step->Before, step->After, step->Document});
    }
    UndoStack->clear();
    for (TKept& k : kept) UndoStack->push(new TDiagramStep(*this, std::move(k.Before), std::move(k.After), k.Document));
}

void TForm1::RestoreState(const TWindowState& State, bool Document) {
    State.Diagram.Restore(FDraw);
    if (State.Diagram.Width() != CanvasWidth() || State.Diagram.Height() != CanvasHeight())
        SetCanvasSize(State.Diagram.Width(), State.Diagram.Height());
    if (Document) {
        FKnotName = State.KnotName;
        FFileName = State.FileName;
        SetCaption();
    }
    // The picture holds no rubber band now: the next move paints one from
    // the last point.
    if (DrawMode == TDrawMode::Drawing) CurrentPoint = LastPoint;
    FCrossHit = FPointHit = FClicked = false;
    SetScreenCursor(DrawMode == TDrawMode::Drawing ? crCross : crDefault);
    RedrawCanvas();
}

void TForm1::UndoActionExecute() {
    if (DrawMode == TDrawMode::Moving) return;  // a point in the hand: its release ends the step
    if (!UndoStack->canUndo()) {
        ShowHint(QStringLiteral("元に戻す変更はありません。"));
        return;
    }
    UndoStack->undo();
}

void TForm1::RedoActionExecute() {
    if (DrawMode == TDrawMode::Moving) return;
    if (!UndoStack->canRedo()) {
        ShowHint(QStringLiteral("やり直す変更はありません。"));
        return;
    }
    UndoStack->redo();
}

}  // namespace ravelon
