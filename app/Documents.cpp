// SPDX-License-Identifier: GPL-3.0-or-later
// The document commands: New, Open, Save and Save as, the file named on the
// command line, and files dropped on the window.
//
// The document is the pair (FKnotName, FFileName): ("NewKnot", "") for a new
// diagram, else the last file opened or saved, by name without folder and
// extension and by the full path used. A failed open or save changes neither,
// nor the caption, the canvas or the diagram: the file's error is shown by
// the application's error report.
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>

#include "app/CommonDialog.h"
#include "app/RavelonU1.h"
#include "diagram/EditState.h"

namespace ravelon {

namespace {

const QString KnotFilter = QStringLiteral("結び目データ (*.rvd)|*.rvd|すべてのファイル (*.*)|*.*");

// FileName's last part, split at its last dot: the name and the extension
// (from the dot on, empty when there is no dot).
std::pair<QString, QString> SplitFileName(const QString& FileName) {
    const QString name = QFileInfo(FileName).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

// The knot's name for a file: "trefoil" for /knots/trefoil.rvd, "a.b" for
// a.b.rvd, "loop" for loop.
QString KnotNameOf(const QString& FileName) { return SplitFileName(FileName).first; }

bool IsKnotFile(const QString& FileName) {
    return SplitFileName(FileName).second.toLower() == QStringLiteral(".rvd");
}

std::string NativeName(const QString& FileName) { return QFile::encodeName(FileName).toStdString(); }

}  // namespace

void TForm1::OpenKnotFile(const QString& FileName) {
    ChangeDiagram(true, [&] {
        int width = 0, height = 0;
        FDraw.LoadFromFile(NativeName(FileName), width, height);  // throws, changing nothing
        FKnotName = KnotNameOf(FileName);
        SetCaption();
        FFileName = FileName;
        SetCanvasSize(width, height);
        RedrawCanvas();
        ResetInteraction();
    });
}

void TForm1::SaveKnotFile(const QString& FileName) {
    FDraw.SaveToFile(NativeName(FileName), CanvasWidth(), CanvasHeight());  // throws, changing nothing
    FKnotName = KnotNameOf(FileName);
    SetCaption();
    FFileName = FileName;
}

void TForm1::NewMakeActionExecute() {
    ChangeDiagram(true, [this] {
        {
            QPainter canvas(&Image1->Picture);
            ClearCanvas(canvas);
        }
        Image1->update();
        FDraw.Clear();
        ResetEditState();
        ResetInteraction();
        FKnotName = QStringLiteral("NewKnot");
        SetCaption();
        FFileName.clear();
    });
}

void TForm1::OpenActionExecute() {
    ToolBar1->repaint();
    QString fileName;
    int filterIndex = 0;
    if (!OpenFileDialog(this, QString(), KnotFilter, QString(), QStringLiteral("ファイルを開く"), fileName, filterIndex))
        return;
    QCoreApplication::processEvents();
    OpenKnotFile(fileName);
}

void TForm1::SaveActionExecute() {
    if (!FFileName.isEmpty() && QFileInfo(FFileName).isFile())
        SaveKnotFile(FFileName);
    else
        SaveAsActionExecute();
}

void TForm1::SaveAsActionExecute() {
    ToolBar1->repaint();
    QString fileName = FKnotName;
    int filterIndex = 0;
    if (!SaveFileDialog(this, QStringLiteral("rvd"), KnotFilter, QString(), QStringLiteral("ファイルに保存する"), fileName,
                        filterIndex))
        return;
    QCoreApplication::processEvents();
    SaveKnotFile(fileName);
}

void TForm1::FormShow() {
    // Drops are taken even when the file below cannot be opened.
    setAcceptDrops(true);
    if (FCommandLineFile.isEmpty()) return;
    // Opened once the window is on the screen, so that an error report
    // stands over it; a failure leaves the new diagram.
    QMetaObject::invokeMethod(this, [this] { OpenKnotFile(FCommandLineFile); }, Qt::QueuedConnection);
}

void TForm1::WMDropFiles(const QStringList& Paths) {
    for (const QString& path : Paths) {
        if (IsKnotFile(path)) {
            OpenKnotFile(path);
            return;
        }
    }
}

void TForm1::dragEnterEvent(QDragEnterEvent* Event) {
    const QMimeData* const data = Event->mimeData();
    if (data != nullptr && data->hasUrls()) Event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* Event) {
    QStringList paths;
    if (const QMimeData* const data = Event->mimeData())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) paths.append(url.toLocalFile());
    Event->acceptProposedAction();
    WMDropFiles(paths);
}

}  // namespace ravelon
