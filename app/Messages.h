// SPDX-License-Identifier: GPL-3.0-or-later
// The program's two kinds of message box.
//
// The error report: a box captioned "Ravelon" with the stop icon and OK,
// showing the error's text with a full stop appended when its last character
// sorts after ".". The confirmation box: caption "確認", the question icon,
// "はい(&Y)" (the default) and "いいえ(&N)" (also chosen by Escape); only Yes
// lets the guarded action go on.
#pragma once

#include <QString>
#include <QWidget>

namespace ravelon {

// Text with "." appended when its last character sorts after "." by code point.
QString WithFullStop(const QString& Text);

// Shows the error report for Text, modal over Parent.
void ShowErrorReport(QWidget* Parent, const QString& Text);

// Asks Question in the confirmation box; true only for Yes.
bool AskConfirmation(QWidget* Parent, const QString& Question);

}  // namespace ravelon
