// The program's two kinds of message box, and the application object that
// routes every error of a command or an event to one error report.
//
// The error report: a box captioned "Ravelon" with the stop icon and OK,
// showing the error's text with a full stop appended when its last character
// sorts after ".". The confirmation box: caption "確認", the question icon,
// "はい(&Y)" (the default) and "いいえ(&N)" (also chosen by Escape); only Yes
// lets the guarded action go on.
#pragma once

#include <QApplication>
#include <QString>

namespace ravelon {

// Text with "." appended when its last character sorts after "." by code point.
QString WithFullStop(const QString& Text);

// Shows the error report for Text, modal over Parent.
void ShowErrorReport(QWidget* Parent, const QString& Text);

// Asks Question in the confirmation box; true only for Yes.
bool AskConfirmation(QWidget* Parent, const QString& Question);

// The application object: title "Ravelon"; an error escaping any event
// handler is shown in the error report instead of ending the program.
class TApplication : public QApplication {
public:
    TApplication(int& Argc, char** Argv);
    bool notify(QObject* Receiver, QEvent* Event) override;
};

}  // namespace ravelon
