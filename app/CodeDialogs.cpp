// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CodeDialogs.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace ravelon {

namespace {

QDialogButtonBox* OkAndCancel(QDialog* Dialog) {
    auto* const buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, Dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, Dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

TTableDialog::TTableDialog(QWidget* Parent, const std::vector<std::string>& Names) : QDialog(Parent) {
    setWindowTitle(QStringLiteral("表から開く"));
    auto* const layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("結び目・絡み目の名前(&N):"), this));
    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setPlaceholderText(QStringLiteral("例: 8_19、L6a4"));
    static_cast<QLabel*>(layout->itemAt(0)->widget())->setBuddy(SearchEdit);
    layout->addWidget(SearchEdit);
    NameList = new QListWidget(this);
    NameList->setObjectName(QStringLiteral("NameList"));
    NameList->setUniformItemSizes(true);
    for (std::size_t i = 0; i < Names.size(); ++i) {
        auto* const item = new QListWidgetItem(QString::fromStdString(Names[i]), NameList);
        item->setData(Qt::UserRole, static_cast<int>(i));
    }
    layout->addWidget(NameList);
    layout->addWidget(OkAndCancel(this));
    resize(320, 420);
    connect(SearchEdit, &QLineEdit::textChanged, this, &TTableDialog::Filter);
    connect(NameList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    SearchEdit->installEventFilter(this);
    Filter();
}

void TTableDialog::Filter() {
    const QString text = SearchEdit->text().trimmed();
    QListWidgetItem* first = nullptr;
    for (int i = 0; i < NameList->count(); ++i) {
        QListWidgetItem* const item = NameList->item(i);
        const bool shown = item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && first == nullptr) first = item;
    }
    // An exact name goes first, so that typing it and Enter opens it.
    for (int i = 0; i < NameList->count() && !text.isEmpty(); ++i)
        if (NameList->item(i)->text().compare(text, Qt::CaseInsensitive) == 0) first = NameList->item(i);
    NameList->setCurrentItem(first);
    if (first != nullptr) NameList->scrollToItem(first);
}

bool TTableDialog::eventFilter(QObject* Watched, QEvent* Event) {
    // Up and down in the search field choose in the list.
    if (Watched == SearchEdit && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(NameList, Event);
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

int TTableDialog::Execute() {
    SearchEdit->setFocus();
    SearchEdit->selectAll();
    if (exec() != QDialog::Accepted) return -1;
    QListWidgetItem* const item = NameList->currentItem();
    return item != nullptr && !item->isHidden() ? item->data(Qt::UserRole).toInt() : -1;
}

TPdCodeDialog::TPdCodeDialog(QWidget* Parent) : QDialog(Parent) {
    setWindowTitle(QStringLiteral("PD コードから作成"));
    auto* const layout = new QVBoxLayout(this);
    auto* const label = new QLabel(QStringLiteral("PD コード(&P)  (例: X[1,5,2,4] X[3,1,4,6] X[5,3,6,2]):"), this);
    layout->addWidget(label);
    CodeEdit = new QPlainTextEdit(this);
    CodeEdit->setObjectName(QStringLiteral("CodeEdit"));
    CodeEdit->setTabChangesFocus(true);
    label->setBuddy(CodeEdit);
    layout->addWidget(CodeEdit);
    layout->addWidget(OkAndCancel(this));
    resize(440, 220);
}

bool TPdCodeDialog::Execute(QString& Code) {
    CodeEdit->setPlainText(Code);
    CodeEdit->selectAll();
    CodeEdit->setFocus();
    if (exec() != QDialog::Accepted) return false;
    Code = CodeEdit->toPlainText();
    return true;
}

}  // namespace ravelon
