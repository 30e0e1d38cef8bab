// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Messages.h"

#include <QMessageBox>
#include <QPushButton>

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

}  // namespace ravelon
