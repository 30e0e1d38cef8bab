// SPDX-License-Identifier: GPL-3.0-or-later
// PLink's link projection files from the Tools menu, so that a drawing
// moves between Ravelon and SnapPy with its corners and crossings:
// ツール > PLink ファイルを開く reads one as a new diagram (one step of the
// undo history, named after the file, with no knot data file to save over),
// ツール > PLink ファイルに書き出す writes the diagram's closed curves as one.
// The format and its rules are those of diagram/PLinkFile.h.
#include <QCoreApplication>
#include <QFileInfo>

#include "app/CommonDialog.h"
#include "app/RavelonU1.h"
#include "diagram/PLinkFile.h"

namespace ravelon {

namespace {

const QString PLinkFilter = QStringLiteral("PLink ファイル (*.lnk)|*.lnk|すべてのファイル (*.*)|*.*");

}  // namespace

void TForm1::OpenPLinkActionExecute() {
    QString fileName;
    int filterIndex = 0;
    if (!OpenFileDialog(this, QStringLiteral("lnk"), PLinkFilter, QString(), QStringLiteral("PLink ファイルを開く"),
                        fileName, filterIndex))
        return;
    QCoreApplication::processEvents();
    TPLinkDiagram read = LoadPLinkFile(fileName.toStdString());  // throws, changing nothing
    OpenDiagram(std::move(read.Draw), read.Width, read.Height, QFileInfo(fileName).completeBaseName());
}

void TForm1::ExportPLinkActionExecute() {
    QString fileName = FKnotName;
    int filterIndex = 0;
    if (!SaveFileDialog(this, QStringLiteral("lnk"), PLinkFilter, QString(), QStringLiteral("PLink ファイルに書き出す"),
                        fileName, filterIndex))
        return;
    QCoreApplication::processEvents();
    SavePLinkFile(fileName.toStdString(), FDraw);
}

}  // namespace ravelon
