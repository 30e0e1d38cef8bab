// SPDX-License-Identifier: GPL-3.0-or-later
// The About box (Form3): the program's icon, name and version, a notice, the
// credits and two links, the web page and a mail to the programmer.
//
// Client area 353 x 139, no buttons; it closes by its close box only. A link
// label is blue and underlined; a press of any mouse button turns it purple
// for the rest of the run and opens its target.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QUrl>
#include <functional>

namespace ravelon {

class TForm1;

// The version box with its two links.
class TForm3 : public QDialog {
    Q_OBJECT

public:
    explicit TForm3(TForm1* MainWindow);
    // Centres over the main window and shows the box modally.
    void Execute();

    QLabel* Image1 = nullptr;           // the application's icon
    QLabel* Label1 = nullptr;           // "Ravelon  Version 1.02"
    QLabel* Label2 = nullptr;           // the notice
    QFrame* Bevel1 = nullptr;           // the separator
    QLabel* Label3 = nullptr;           // "Stuff"
    QLabel* Label4 = nullptr;           // "Supervisor :"
    QLabel* LabelSupervisor = nullptr;
    QLabel* Label5 = nullptr;           // "Programmer :"
    QLabel* LabelProgrammer = nullptr;  // the mail link
    QLabel* LabelURL = nullptr;         // the web link

    // Opens a link's target with the program registered for it; the result
    // is not examined.
    std::function<void(const QUrl&)> OpenLink;

    void LabelURLMouseDown();
    void LabelProgrammerMouseDown();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    // Turns Label purple, shows it at once, and opens Target.
    void FollowLink(QLabel& Label, const QUrl& Target);
    TForm1* FMainWindow;
};

}  // namespace ravelon
