// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs behind ツール > 表から開く and ツール > PD コードから作成: a name
// chosen from the knot table, or a PD code typed or pasted.
#pragma once

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace ravelon {

// Lists the names of the knot table and narrows the list, as one types, to
// those that hold the text of the search field (letter case aside). Enter or
// a double click opens the chosen name; the arrow keys choose in the list
// while typing.
class TTableDialog : public QDialog {
    Q_OBJECT

public:
    TTableDialog(QWidget* Parent, const std::vector<std::string>& Names);

    // The index among Names of the name chosen, or -1 when cancelled.
    int Execute();

    QLineEdit* SearchEdit;
    QListWidget* NameList;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Filter();
};

// A PD code in any of the forms ravelon-calc --pd-in reads, on one or more lines.
class TPdCodeDialog : public QDialog {
    Q_OBJECT

public:
    explicit TPdCodeDialog(QWidget* Parent);

    // True when confirmed; Code is the text shown at first and the text given.
    bool Execute(QString& Code);

    QPlainTextEdit* CodeEdit;
};

}  // namespace ravelon
