// SPDX-License-Identifier: GPL-3.0-or-later
// The main window of Ravelon: the whole user interface but for the two small
// dialogs. It owns the one diagram for the life of the program, shows it on a
// white canvas of adjustable size inside a scrolling view, and offers every
// command through the menu bar, the tool bar and keyboard shortcuts.
//
// Layout, top to bottom:
//   ToolBar1      New, Open, Save | Print | Calc (drop-down PopupMenu1) |
//                 Canvas settings, SizePanel (" 400×300")
//   Panel2        the container between tool bar and status bar, holding
//     Splitter1   a vertical splitter with a 3-pixel handle between
//       ScrollBox1  the canvas view (grey), in which Panel1, the canvas panel,
//                   sits centred; Image1 fills Panel1 and holds the canvas picture
//       ScrollBox2  the output pane, Image2 at (0, 0) holds the last result
//   StatusBar1    panel 0 (70 pixels): the mouse position; panel 1: hints;
//                 while busy, the progress bar and its cancel button
//
// The implementation is split by concern, one file each:
//   MainWindow.cpp          creation, layout, actions and menus, toggles, close
//   DiagramPainting.cpp     Redraw, DrawLine, DrawPoint, DrawRubberBand, PaintCrossMask
//   CanvasInteraction.cpp   the mouse handlers of Image1: the editing state machine
//   InvariantCommands.cpp   the invariant commands (Edit and Tools) and the output pane
//   BusyComputation.cpp     long computations on a worker thread, the window busy
//   ToolCommands.cpp        the clipboard commands of the Tools menu
//   UndoHistory.cpp         undo and redo of every change of the diagram
//   FigureExport.cpp        the canvas as SVG, PDF, PNG or TikZ
//   CodeCommands.cpp        new diagrams drawn from the knot table or a PD code
//   PLinkCommands.cpp       PLink's link projection files, read and written
//   Documents.cpp           New, Open, Save, Save as, the command-line file, drops
//   Printing.cpp            Print, Printer setup, Save as bitmap
#pragma once

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/ImageControl.h"
#include "app/Invariants.h"
#include "app/PageLayout.h"
#include "arith/Poly.h"
#include "diagram/DiagramSnapshot.h"
#include "diagram/Draw.h"

class QUndoStack;

namespace ravelon {

class TForm2;
class TForm3;
class THelpDialog;

// One state of the window the undo history can put back: the diagram with
// its canvas size and editing state, and the document's name.
struct TWindowState {
    TDiagramSnapshot Diagram;
    QString KnotName;
    QString FileName;
    friend bool operator==(const TWindowState&, const TWindowState&) = default;
};

// The main window.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // Creates the window as the program starts (the creation handler).
    explicit TForm1(QWidget* Parent = nullptr);
    ~TForm1() override;

    // --- the diagram and the document ------------------------------------
    TDraw FDraw;                       // the diagram, never replaced
    QImage FMaskBitmap;                // the 18 x 18 gap mask
    QString FKnotName;                 // "NewKnot", or the last file's name
    QString FFileName;                 // full path of the last file, or empty
    bool FShowDirection = false;       // draw the direction arrows

    // --- hit-test fields of the canvas interaction ------------------------
    bool FCrossHit = false;
    std::int32_t FCrossLineA = 0;
    std::int32_t FCrossLineB = 0;
    bool FPointHit = false;
    std::int32_t FPointIndex = 0;
    bool FClicked = false;

    // --- the dialogs, created hidden and reused ---------------------------
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    THelpDialog* HelpDialog = nullptr;  // the topic finder, made at first use

    // --- components -------------------------------------------------------
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;   // New
    QToolButton* ToolButton2 = nullptr;   // Open
    QToolButton* ToolButton3 = nullptr;   // Save
    QToolButton* ToolButton5 = nullptr;   // Print
    QToolButton* ToolButton12 = nullptr;  // Calc, with PopupMenu1
    QToolButton* ToolButton11 = nullptr;  // Canvas settings
    QLabel* SizePanel = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;       // the mouse position
    QLabel* StatusPanel1 = nullptr;       // hints and progress texts
    QProgressBar* ProgressBar1 = nullptr; // while busy: the share done
    QToolButton* CancelButton = nullptr;  // while busy: stops the computation
    QWidget* Panel2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* CanvasHost = nullptr;        // the scrolled area of ScrollBox1
    QWidget* Panel1 = nullptr;
    TImageControl* Image1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    TImageControl* Image2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    std::vector<QIcon> ImageList1;        // the eight tool-bar images
    std::unique_ptr<QPrinter> Printer;    // the program's one printer

    // Menus of MainMenu1 (the menu bar).
    QMenu* FileMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* ShowMenu = nullptr;
    QMenu* ToolMenu = nullptr;
    QMenu* HelpMenu = nullptr;

    // Actions of ActionList1.
    QAction* NewMakeAction = nullptr;
    QAction* OpenAction = nullptr;
    QAction* SaveAction = nullptr;
    QAction* SaveAsAction = nullptr;
    QAction* SaveAsBitmapAction = nullptr;
    QAction* PrinterSetupAction = nullptr;
    QAction* PrintAction = nullptr;
    QAction* ExitAction = nullptr;
    QAction* CalcAction = nullptr;
    QAction* CalcBlacketAction = nullptr;  // tag 0
    QAction* CalcTwistAction = nullptr;    // tag 1
    QAction* CalcJonesAction = nullptr;    // tag 2
    QAction* ReverseAllAction = nullptr;
    QAction* SetCanvasAction = nullptr;
    QAction* ShowToolBarAction = nullptr;
    QAction* ShowStatusBarAction = nullptr;
    QAction* ShowOutputAction = nullptr;
    QAction* ShowDirectionAction = nullptr;
    QAction* SearchTopicAction = nullptr;
    QAction* AboutAction = nullptr;
    QAction* UndoAction = nullptr;             // the Tools menu
    QAction* RedoAction = nullptr;
    QAction* OpenTableAction = nullptr;
    QAction* NewFromPdAction = nullptr;
    QAction* OpenPLinkAction = nullptr;
    QAction* ExportPLinkAction = nullptr;
    QAction* IdentifyAction = nullptr;
    QAction* CalcAlexanderAction = nullptr;
    QAction* CalcDeterminantAction = nullptr;
    QAction* CalcSignatureAction = nullptr;
    QAction* CopyPdAction = nullptr;
    QAction* CopyResultAction = nullptr;
    QAction* ExportAction = nullptr;

    // The menu items, each bound to its action.
    QAction *NewMakeMenu = nullptr, *OpenMenu = nullptr, *SaveMenu = nullptr, *SaveAsMenu = nullptr,
            *SabeAsGraphicMenu = nullptr, *PrinterSetupMenu = nullptr, *PrintMenu = nullptr, *ExitMenu = nullptr;
    QAction *CalcBlancketMenu = nullptr, *CalcTwistMenu = nullptr, *CalcJonesMenu = nullptr,
            *ReverseAllMenu = nullptr, *SetCanvasMenu = nullptr;
    QAction *ShowToolBarMenu = nullptr, *ShowStatusBarMenu = nullptr, *ShowOutputMenu = nullptr,
            *ShowDirectionMenu = nullptr;
    QAction *SearchTopicMenu = nullptr, *AboutMenu = nullptr;
    QAction *UndoMenu = nullptr, *RedoMenu = nullptr, *ExportMenu = nullptr, *OpenTableMenu = nullptr,
            *NewFromPdMenu = nullptr, *OpenPLinkMenu = nullptr, *ExportPLinkMenu = nullptr;
    QAction *IdentifyMenu = nullptr, *CalcAlexanderMenu = nullptr, *CalcDeterminantMenu = nullptr,
            *CalcSignatureMenu = nullptr, *CopyPdMenu = nullptr, *CopyResultMenu = nullptr;
    QAction *N1 = nullptr, *T1 = nullptr, *J1 = nullptr;  // in PopupMenu1

    // --- window and commands (MainWindow.cpp) -----------------------------
    // Sets the canvas (Panel1, Image1 and its picture) to Width x Height and
    // re-centres it; does not redraw.
    void SetCanvasSize(int Width, int Height);
    int CanvasWidth() const;
    int CanvasHeight() const;
    // Fills the canvas's rectangle of Canvas with white.
    void ClearCanvas(QPainter& Canvas);
    // Re-centres the canvas panel in the canvas view.
    void ScrollBox1Resize();
    // Status panel 1 shows Text (empty clears it).
    void ShowHint(const QString& Text);
    // Status panel 1 shows the hint the mouse is over now.
    void ApplicationHint(const QString& Hint);
    // Sets the caption from the knot name: "Ravelon - [name]".
    void SetCaption();

    void NewMakeActionExecute();
    void OpenActionExecute();
    void SaveActionExecute();
    void SaveAsActionExecute();
    void SaveAsBitmapActionExecute();
    void PrinterSetupActionExecute();
    void PrintActionExecute();
    void ExitActionExecute();
    void CalcActionExecute();
    void CalcPolyActionExecute(QAction* Sender);
    void ReverseAllActionExecute();
    void SetCanvasActionExecute();
    void ShowToolBarActionExecute();
    void ShowStatusBarActionExecute();
    void ShowOutputActionExecute();
    void ShowDirectionActionExecute();
    void SearchTopicActionExecute();
    void AboutActionExecute();
    void CopyPdActionExecute();
    void CopyResultActionExecute();
    void UndoActionExecute();
    void RedoActionExecute();
    void ExportActionExecute();
    void OpenTableActionExecute();
    void NewFromPdActionExecute();
    void OpenPLinkActionExecute();
    void ExportPLinkActionExecute();
    // Draws Code as a new diagram named KnotName, as one step of the history.
    void OpenDrawing(const TKnot& Code, const QString& KnotName);
    // Makes Draw on a canvas of Width x Height the new diagram named
    // KnotName, with no file to save over, as one step of the history.
    void OpenDiagram(TDraw Draw, int Width, int Height, const QString& KnotName);
    // The PD code last given, shown again the next time.
    QString FLastPdCode;
    // Asks the close question: true for Yes.
    bool AskToQuit();

    // --- painting the diagram (DiagramPainting.cpp) ------------------------
    // The whole diagram, painted off-screen and copied onto Canvas.
    void Redraw(QPainter& Canvas);
    // Redraw onto the canvas picture of Image1, shown at once.
    void RedrawCanvas();
    // Lines then points onto any painter (Redraw's off-screen image, a
    // recorded picture for the printer).
    void PaintDiagram(QPainter& Canvas);
    // Line i in Colour, with its gaps and, when shown, its arrowhead.
    void DrawLine(QPainter& Canvas, const QColor& Colour, std::int32_t I);
    // A disc of 10 pixels around P.
    void DrawPoint(QPainter& Canvas, TPoint P, const QColor& Colour);
    // A silver line in the inverting mode: painting it twice restores Canvas.
    void DrawRubberBand(QPainter& Canvas, TPoint From, TPoint To);
    // The gap mask: a yellow square with a white disc.
    void PaintCrossMask(QPainter& Canvas);

    // --- the canvas interaction (CanvasInteraction.cpp) --------------------
    void Image1MouseMove(Qt::MouseButtons Buttons, int X, int Y);
    void Image1MouseDown(Qt::MouseButton Button, int X, int Y);
    void Image1Click();
    void Image1DblClick();
    void Image1MouseUp(Qt::MouseButton Button, int X, int Y);
    // The left and the right button's release, by the mode.
    void LeftRelease(TPoint Mouse);
    void RightRelease(TPoint Mouse);
    // Ends a group being drawn or a point being moved, for a new diagram.
    void ResetInteraction();

    // --- the output pane (InvariantCommands.cpp) ---------------------------
    void ShowPolynomial(const TPoly& P, const QString& VarName, const QString& Title);
    // Text under Title in the polynomials' main font, indented as they are
    // and wrapped to the pane's width.
    void ShowSentence(const QString& Text, const QString& Title);
    // Wraps a sentence shown again when the pane's width has changed.
    void OutputPaneResized();
    // R under its kind's title; R is then the result Copy result copies.
    void ShowResult(const TResult& R);
    // The result shown in the pane, when there is one.
    std::optional<TResult> FLastResult;

    // --- the undo history (UndoHistory.cpp) ---------------------------------
    QUndoStack* UndoStack = nullptr;
    // The window's state now.
    std::shared_ptr<const TWindowState> CaptureState() const;
    // Runs Change, a change of the diagram, as one step of the history;
    // Document: a step of New or Open, which changes the document's name.
    void ChangeDiagram(bool Document, const std::function<void()>& Change);
    // Makes the change from Before to the state now one step (none when
    // nothing changed).
    void RecordStep(const std::shared_ptr<const TWindowState>& Before, bool Document);
    // Puts State back (the document's name too when Document) and repaints.
    void RestoreState(const TWindowState& State, bool Document);
    // The bytes the history's states hold, and the most they may hold.
    std::size_t HistoryBytesHeld() const;
    std::size_t FHistoryLimit = std::size_t{64} << 20;

    // --- figures (FigureExport.cpp) -----------------------------------------
    // The formats of the export dialog's filter, by its index from 1.
    enum class TFigureFormat { Svg = 1, Pdf, Png, Png2, Png4, Tikz };
    // Writes the canvas to FileName as Format, replacing an existing file only
    // once the new one is complete. Throws TFileError.
    void ExportFigure(const QString& FileName, TFigureFormat Format) const;

    // --- long computations (BusyComputation.cpp) ----------------------------
    // Runs Job on a worker thread while the window is busy (the hourglass,
    // the progress text and bar, every command disabled, input dropped but
    // for Escape and the cancel button, which cancel Job's progress), and
    // returns once Job has ended; throws what Job threw, TCancelled when it
    // was cancelled (even when Job ran to its end) or when the diagram or the
    // document is no longer the one Job was given, std::logic_error when a
    // computation runs already. Job runs on another thread: it must not touch
    // the window or the diagram. Interface thread only.
    void RunBusy(const std::function<void(TProgress&)>& Job);
    bool Busy() const { return FBusyProgress != nullptr; }
    void CancelButtonClick();

    // --- documents (Documents.cpp) ----------------------------------------
    void OpenKnotFile(const QString& FileName);
    void SaveKnotFile(const QString& FileName);
    // The first showing: opens the file named on the command line.
    void FormShow();
    // Dropped files: opens the first whose extension is ".rvd".
    void WMDropFiles(const QStringList& Paths);
    // The file named on the command line, opened at the first showing.
    QString FCommandLineFile;

    // --- printing and the bitmap (Printing.cpp) -----------------------------
    // The bracket, the twist number and the Jones polynomial the page
    // shows, computed on the worker thread.
    std::array<TPoly, 3> PageInvariants();
    // Paints the page for a printer of DpiX x DpiY pixels per inch and the
    // printable width PageWidth onto Page, dated Today; the diagram always
    // with its direction arrows, and Values, the three invariants of
    // PageInvariants.
    TPageLayout PaintPage(QPainter& Page, int DpiX, int DpiY, int PageWidth, const QDate& Today,
                          const std::array<TPoly, 3>& Values);
    // Prints the page as one job on Printer, set up already. On a failure
    // the job is aborted and the error thrown. Gives back where things went.
    TPageLayout PrintPage(QPrinter& Printer, const std::array<TPoly, 3>& Values);
    // Writes the canvas picture to FileName as a BMP, replacing an existing
    // file only once the new one is complete. Throws on failure.
    void SaveCanvasBitmap(const QString& FileName) const;

protected:
    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    class TBusyScope;
    // Runs a command's handler; an error it throws is shown in the error
    // report (a cancelled computation only ends the command).
    void RunCommand(const std::function<void()>& Handler);
    // The plan of Knot's bracket, made busy; false when it is beyond reach
    // (said in the error report) or the question is answered No.
    bool PlanAndAsk(const TKnot& Knot, std::optional<TBracketPlan>& Plan);
    bool BusyEventFilter(QObject* Watched, QEvent* Event);
    void CloseWhileBusy(QCloseEvent* Event);
    // Lets the older half of the history go.
    void DropOldestSteps();
    // Closes the window without the close question.
    void QuitNow();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreatePanes();
    bool FShown = false;
    TProgress* FBusyProgress = nullptr;  // the computation running, or null
    bool FQuitAfterBusy = false;         // Yes to the close question while busy
    bool FQuitting = false;
    std::unique_ptr<TKnotTable> FKnotTable;  // read at the first identification
    int FExportFilterIndex = 1;              // the figure format chosen last
    int FSentenceRoom = 0;                   // the pane's width a sentence was wrapped to
};

}  // namespace ravelon
