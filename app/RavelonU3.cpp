// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: its controls, the two links and the About command.
#include "app/RavelonU3.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>

#include "Version.h"
#include "app/DialogWindow.h"
#include "app/RavelonU1.h"
#include "app/ScreenCursor.h"

namespace ravelon {

namespace {

// The two targets and the names shown in the credits.
constexpr const char* WebAddress = "https://ravelon.example.org/";
constexpr const char* MailAddress = "mailto:ravelon@example.org";
constexpr const char* SupervisorName = "The Ravelon project";
constexpr const char* ProgrammerName = "Ravelon developers";
constexpr const char* Notice = "Copyright (C) The Ravelon project";

constexpr QRgb LinkColour = qRgb(0, 0, 255);
constexpr QRgb VisitedLinkColour = qRgb(0x80, 0x00, 0x80);

void SetFontColour(QLabel& Label, QRgb Colour) {
    QPalette palette = Label.palette();
    palette.setColor(QPalette::WindowText, QColor(Colour));
    Label.setPalette(palette);
}

// Label as a link: blue and underlined.
void MakeLink(QLabel& Label) {
    QFont font = Label.font();
    font.setUnderline(true);
    Label.setFont(font);
    Label.adjustSize();
    SetFontColour(Label, LinkColour);
}

}  // namespace

TForm3::TForm3(TForm1* MainWindow)
    : QDialog(MainWindow), OpenLink([](const QUrl& Target) { QDesktopServices::openUrl(Target); }),
      FMainWindow(MainWindow) {
    setObjectName(QStringLiteral("Form3"));
    SetUpDialogWindow(*this, *MainWindow, QStringLiteral("バージョン情報"), QSize(353, 139));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(19, 16, 41, 36);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(MainWindow->windowIcon().pixmap(32, 32));
    Label1 = PlaceLabel(this, QStringLiteral("Label1"),
                        QStringLiteral("Ravelon  ") + QString::fromUtf8(ProductVersionText), 80, 15);
    Label2 = PlaceLabel(this, QStringLiteral("Label2"), QString::fromLatin1(Notice), 80, 35);
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(75, 60, 271, 2);
    Label3 = PlaceLabel(this, QStringLiteral("Label3"), QStringLiteral("Stuff"), 80, 75);
    Label4 = PlaceLabel(this, QStringLiteral("Label4"), QStringLiteral("Supervisor :"), 135, 75);
    LabelSupervisor = PlaceLabel(this, QStringLiteral("LabelSupervisor"), QString::fromLatin1(SupervisorName), 210, 75);
    Label5 = PlaceLabel(this, QStringLiteral("Label5"), QStringLiteral("Programmer :"), 135, 90);
    LabelProgrammer = PlaceLabel(this, QStringLiteral("LabelProgrammer"), QString::fromLatin1(ProgrammerName), 210, 90);
    LabelURL = PlaceLabel(this, QStringLiteral("LabelURL"), QString::fromLatin1(WebAddress), 80, 115);
    MakeLink(*LabelProgrammer);
    MakeLink(*LabelURL);

    for (QLabel* label : {LabelSupervisor, LabelProgrammer, LabelURL})
        label->setCursor(ScreenCursorShape(crPointingHand));
    LabelProgrammer->installEventFilter(this);
    LabelURL->installEventFilter(this);
}

void TForm3::Execute() {
    CentreOverMainWindow(*this, *FMainWindow);
    exec();
}

void TForm3::FollowLink(QLabel& Label, const QUrl& Target) {
    SetFontColour(Label, VisitedLinkColour);
    Label.repaint();
    OpenLink(Target);
}

void TForm3::LabelURLMouseDown() { FollowLink(*LabelURL, QUrl(QString::fromLatin1(WebAddress))); }

void TForm3::LabelProgrammerMouseDown() { FollowLink(*LabelProgrammer, QUrl(QString::fromLatin1(MailAddress))); }

bool TForm3::eventFilter(QObject* Watched, QEvent* Event) {
    // A press of any button follows the link; the second press of a double
    // click does not open it again.
    if (Event->type() == QEvent::MouseButtonPress) {
        if (Watched == LabelURL) LabelURLMouseDown();
        if (Watched == LabelProgrammer) LabelProgrammerMouseDown();
        return true;
    }
    return QDialog::eventFilter(Watched, Event);
}

void TForm3::keyPressEvent(QKeyEvent* Event) {
    // No key closes the box: neither Escape nor Enter.
    Event->ignore();
}

}  // namespace ravelon
