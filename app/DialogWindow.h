// SPDX-License-Identifier: GPL-3.0-or-later
// What the program's two small dialogs share: a fixed window with only the
// close box, the main window's font, and the place over the main window's
// centre where each showing opens.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QSize>
#include <QString>

namespace ravelon {

// Gives Dialog its caption, the fixed client size Client, the dialog border
// with only the close box, and MainWindow's font.
void SetUpDialogWindow(QDialog& Dialog, const QWidget& MainWindow, const QString& Caption, QSize Client);

// Places Dialog over the centre of MainWindow by their outer sizes: left =
// main's left + (main's width - dialog's width) div 2, top likewise, div
// truncating toward zero. A dialog never shown yet has no frame of its own;
// the main window's frame stands in for it.
void CentreOverMainWindow(QDialog& Dialog, const QWidget& MainWindow);

// A label named Name showing Text at (Left, Top), as wide and high as its text.
QLabel* PlaceLabel(QWidget* Parent, const QString& Name, const QString& Text, int Left, int Top);

}  // namespace ravelon
