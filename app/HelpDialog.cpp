// SPDX-License-Identifier: GPL-3.0-or-later
// The topic finder: a search field, the list of matching topic titles and
// the chosen topic's text.
#include "app/HelpDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ravelon {

namespace {

// Each list item keeps the index of its topic under this role.
constexpr int TopicIndexRole = Qt::UserRole;

// A topic as HTML: the title as a heading, each paragraph of the body as a
// paragraph whose own line breaks are kept.
QString TopicHtml(const THelpTopic& Topic)
{
    QString Html = "<h3>" + QString::fromStdString(Topic.Title).toHtmlEscaped() + "</h3>";
    const QStringList Paragraphs = QString::fromStdString(Topic.Body).split("\n\n", Qt::SkipEmptyParts);
    for (const QString& Paragraph : Paragraphs)
        Html += "<p>" + Paragraph.toHtmlEscaped().replace('\n', "<br>") + "</p>";
    return Html;
}

}  // namespace

THelpDialog::THelpDialog(QWidget* Parent)
    : QDialog(Parent),
      SearchEdit(new QLineEdit(this)),
      TopicList(new QListWidget(this)),
      TopicView(new QTextBrowser(this))
{
    setWindowTitle("トピックの検索");

    auto* SearchLabel = new QLabel("検索する語(&W):", this);
    SearchLabel->setBuddy(SearchEdit);
    SearchEdit->setClearButtonEnabled(true);
    SearchEdit->setPlaceholderText("題名や本文に含まれる語を入力してください");

    TopicView->setReadOnly(true);
    TopicView->setOpenLinks(false);

    auto* Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->addWidget(TopicList);
    Splitter->addWidget(TopicView);
    Splitter->setStretchFactor(0, 1);
    Splitter->setStretchFactor(1, 3);
    Splitter->setChildrenCollapsible(false);

    auto* Buttons = new QDialogButtonBox(this);
    Buttons->addButton("閉じる", QDialogButtonBox::RejectRole);

    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(SearchLabel);
    Layout->addWidget(SearchEdit);
    Layout->addWidget(Splitter, 1);
    Layout->addWidget(Buttons);
    resize(680, 440);

    connect(SearchEdit, &QLineEdit::textChanged, this, &THelpDialog::Filter);
    connect(TopicList, &QListWidget::currentRowChanged, this, &THelpDialog::ShowTopic);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void THelpDialog::SetTopics(std::vector<THelpTopic> NewTopics)
{
    Topics = std::move(NewTopics);
    Filter();
}

void THelpDialog::Filter()
{
    const QString Word = SearchEdit->text().trimmed();
    const QListWidgetItem* Current = TopicList->currentItem();
    const int Shown = Current ? Current->data(TopicIndexRole).toInt() : -1;

    {
        const QSignalBlocker Quiet(TopicList);
        TopicList->clear();
        for (std::size_t i = 0; i < Topics.size(); ++i) {
            const QString Title = QString::fromStdString(Topics[i].Title);
            if (!Word.isEmpty() && !Title.contains(Word, Qt::CaseInsensitive) &&
                !QString::fromStdString(Topics[i].Body).contains(Word, Qt::CaseInsensitive))
                continue;
            auto* Item = new QListWidgetItem(Title, TopicList);
            Item->setData(TopicIndexRole, static_cast<int>(i));
            if (static_cast<int>(i) == Shown)
                TopicList->setCurrentItem(Item);
        }
        if (!TopicList->currentItem() && TopicList->count() > 0)
            TopicList->setCurrentRow(0);
    }
    ShowTopic();
}

void THelpDialog::ShowTopic()
{
    const QListWidgetItem* Item = TopicList->currentItem();
    if (!Item) {
        TopicView->setHtml(SearchEdit->text().trimmed().isEmpty()
                               ? QString()
                               : "<p>「" + SearchEdit->text().trimmed().toHtmlEscaped() +
                                     "」を含むトピックはありません。</p>");
        return;
    }
    TopicView->setHtml(TopicHtml(Topics[static_cast<std::size_t>(Item->data(TopicIndexRole).toInt())]));
}

}  // namespace ravelon
