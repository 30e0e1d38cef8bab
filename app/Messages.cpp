#include "app/Messages.h"

#include <QMessageBox>
#include <QPushButton>
#include <new>
#include <stdexcept>

#include "app/ScreenCursor.h"

namespace ravelon {

QString WithFullStop(const QString& Text) {
    if (!Text.isEmpty() && Text.back().unicode() > u'.') return Text + u'.';
    return Text;
}

void ShowErrorReport(QWidget* Parent, const QString& Text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Ravelon"), WithFullStop(Text), QMessageBox::Ok, Parent);
    box.exec();
}

bool AskConfirmation(QWidget* Parent, const QString& Question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), Question, QMessageBox::NoButton, Parent);
    QPushButton* const yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* const no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {
    setApplicationName(QStringLiteral("Ravelon"));
    setApplicationDisplayName(QStringLiteral("Ravelon"));
}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
    QString message;
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("メモリが不足しています");
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    }
    // A failed command leaves no busy cursor behind.
    if (ScreenCursor() == crHourGlass) SetScreenCursor(crDefault);
    ShowErrorReport(activeWindow(), message);
    return false;
}

}  // namespace ravelon
