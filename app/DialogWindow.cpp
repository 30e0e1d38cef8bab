// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialogWindow.h"

namespace ravelon {

void SetUpDialogWindow(QDialog& Dialog, const QWidget& MainWindow, const QString& Caption, QSize Client) {
    Dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    Dialog.setWindowTitle(Caption);
    Dialog.setFixedSize(Client);
    Dialog.setSizeGripEnabled(false);
    Dialog.setFont(MainWindow.font());
}

void CentreOverMainWindow(QDialog& Dialog, const QWidget& MainWindow) {
    const QRect main = MainWindow.frameGeometry();
    QSize outer = Dialog.frameGeometry().size();
    if (outer == Dialog.size()) outer += main.size() - MainWindow.size();
    // Window sizes are far from the int range: no overflow in the sums.
    Dialog.move(main.left() + (main.width() - outer.width()) / 2, main.top() + (main.height() - outer.height()) / 2);
}

QLabel* PlaceLabel(QWidget* Parent, const QString& Name, const QString& Text, int Left, int Top) {
    auto* const label = new QLabel(Text, Parent);
    label->setObjectName(Name);
    label->setContentsMargins(0, 0, 0, 0);
    label->adjustSize();
    label->move(Left, Top);
    return label;
}

}  // namespace ravelon
