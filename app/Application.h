// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: title "Ravelon", Japanese throughout (Qt's own
// dialogs and buttons included, whatever the user's locale), the program's
// font, and one place where every error escaping a command or an event is
// caught and shown in the error report instead of ending the program.
#pragma once

#include <QApplication>
#include <QTranslator>

namespace ravelon {

// The running program's application object.
class TApplication : public QApplication {
public:
    TApplication(int& Argc, char** Argv);
    bool notify(QObject* Receiver, QEvent* Event) override;

private:
    QTranslator FQtTranslator;
};

}  // namespace ravelon
