// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs: a thin layer over Qt's own open and save dialogs. The
// caller passes plain values and gets a yes/no answer with the chosen file;
// no dialog lives on between calls.
//
// A filter is a list of description and pattern pairs, all separated by "|":
//   "結び目データ (*.rvd)|*.rvd|すべてのファイル (*.*)|*.*"
// FilterIndex counts the pairs from 1; 0 selects the first pair.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ravelon {

// A copy of Source with every Find replaced by Replace; the length stays.
QString ReplaceChar(const QString& Source, QChar Find, QChar Replace);

// The filter's pairs as Qt name filters, one per pair, each showing the
// description and filtering by the pattern. A description without its
// pattern at the end is left out.
QStringList NameFilters(const QString& Filter);

// Runs the open (IsOpen) or save dialog, modal over Owner. A file name typed
// without extension gets the selected pair's extension when its pattern names
// one (*.pdf), else DefaultExt. Empty DefaultExt,
// InitialDir or Title mean none, Qt's default directory, Qt's caption.
// FileName comes in as the name shown at first. On confirmation FileName
// becomes the chosen file's full path, FilterIndex the selected pair, and the
// result is true; otherwise both keep their values and the result is false.
// The open dialog takes only files that exist; the save dialog asks before
// an existing file is chosen.
bool ExecuteFileDialog(QWidget* Owner, const QString& DefaultExt, const QString& Filter, const QString& InitialDir,
                       const QString& Title, QString& FileName, int& FilterIndex, bool IsOpen);

bool OpenFileDialog(QWidget* Owner, const QString& DefaultExt, const QString& Filter, const QString& InitialDir,
                    const QString& Title, QString& FileName, int& FilterIndex);

bool SaveFileDialog(QWidget* Owner, const QString& DefaultExt, const QString& Filter, const QString& InitialDir,
                    const QString& Title, QString& FileName, int& FilterIndex);

}  // namespace ravelon
