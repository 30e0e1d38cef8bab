// SPDX-License-Identifier: GPL-3.0-or-later
// The help's topic finder, the dialog behind ヘルプ > トピックの検索.
#pragma once

#include "app/HelpFile.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace ravelon {

// Lists the help's topics, narrows the list to those whose title or body
// holds the text typed in the search field, and shows the chosen topic.
class THelpDialog : public QDialog {
    Q_OBJECT

public:
    explicit THelpDialog(QWidget* Parent);

    // Replaces the topics shown; the first one listed is chosen.
    void SetTopics(std::vector<THelpTopic> Topics);

    QLineEdit* SearchEdit;
    QListWidget* TopicList;
    QTextBrowser* TopicView;

private:
    void Filter();
    void ShowTopic();

    std::vector<THelpTopic> Topics;
};

}  // namespace ravelon
