// SPDX-License-Identifier: GPL-3.0-or-later
// The help: reading Ravelon.hlp, finding it, failing on a missing or empty
// file, and the topic finder's search field narrowing its list.
#include "app/HelpDialog.h"
#include "app/HelpFile.h"
#include "app/RavelonU1.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <algorithm>
#include <stdexcept>

using namespace ravelon;

namespace {

QStringList ListedTitles(const THelpDialog& Dialog)
{
    QStringList Titles;
    for (int i = 0; i < Dialog.TopicList->count(); ++i)
        Titles << Dialog.TopicList->item(i)->text();
    return Titles;
}

// The message of the std::runtime_error that Load throws, or "" if none.
QString FailureOf(const QString& Path)
{
    try {
        LoadHelpFile(Path);
    } catch (const std::runtime_error& Error) {
        return QString::fromUtf8(Error.what());
    }
    return {};
}

// Japanese reaches the field as an input method's committed text.
void CommitText(QLineEdit* Edit, const QString& Text)
{
    QInputMethodEvent Event;
    Event.setCommitString(Text);
    QCoreApplication::sendEvent(Edit, &Event);
}

void WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QFile File(Path);
    QVERIFY(File.open(QIODevice::WriteOnly));
    QCOMPARE(File.write(Bytes), Bytes.size());
}

}  // namespace

// Tests of the help file and the topic finder.
class THelpTest : public QObject {
    Q_OBJECT

private slots:
    void ReadsTitlesAndBodies()
    {
        const std::string Text = "\xEF\xBB\xBFpreface, not shown\r\n"
                                 "==  描く  ==\r\n"
                                 "\r\n"
                                 "左クリック\r\n"
                                 "  \r\n"
                                 "二段落目\r\n"
                                 "\r\n"
                                 "== == x\n"
                                 "==印刷==\n"
                                 "\n";
        const std::vector<THelpTopic> Expected = {{"描く", "左クリック\n\n二段落目\n\n== == x"}, {"印刷", ""}};
        QVERIFY(ReadHelpTopics(Text) == Expected);
        QVERIFY(ReadHelpTopics("no title line\n").empty());
    }

    void RealFileHasATopicForEveryToolsCommand()
    {
        const std::vector<THelpTopic> Topics = LoadHelpFile(RAVELON_HELP_FILE);
        QStringList Titles;
        for (const THelpTopic& Topic : Topics) Titles << QString::fromStdString(Topic.Title);
        // Every command of the Tools menu has a topic of its name.
        const TForm1 Form;
        for (const QAction* Item : Form.ToolMenu->actions()) {
            if (Item->isSeparator()) continue;
            const QString Name = Item->text().section(u'\t', 0, 0).remove(QRegularExpression(QStringLiteral("\\(&.\\)(\\.\\.\\.)?")));
            QVERIFY2(Titles.contains(Name), qPrintable(Name));
        }
        QString All;
        for (const THelpTopic& Topic : Topics) {
            const QString Title = QString::fromStdString(Topic.Title);
            const QString Body = QString::fromStdString(Topic.Body);
            QVERIFY2(!Title.isEmpty() && !Body.isEmpty(), qPrintable(Title));
            // Japanese: the title holds kana or kanji.
            QVERIFY2(std::any_of(Title.begin(), Title.end(), [](QChar c) { return c.unicode() >= 0x3040; }),
                     qPrintable(Title));
            All += Body;
        }
        for (const char* Needed : {"16 ピクセル", "右クリック", "すべての上下を入れ替える", "ブラケット多項式",
                                   "ねじり数", "ジョーンズ多項式", "14", ".rvd", "ドロップ", "ビットマップとして保存",
                                   "999", "Ctrl+N", "Ctrl+P", "F1", "Alt+V", "Alt+T", "中止", "Esc"})
            QVERIFY2(All.contains(QString::fromUtf8(Needed)), Needed);
    }

    void MissingOrEmptyFileFailsNamingIt()
    {
        QTemporaryDir Dir;
        QVERIFY(Dir.isValid());
        const QString Missing = Dir.filePath("Ravelon.hlp");
        QString Message = FailureOf(Missing);
        QVERIFY2(Message.contains(QDir::toNativeSeparators(Missing)) && Message.contains("見つかりません"),
                 qPrintable(Message));

        const QString Empty = Dir.filePath("empty.hlp");
        WriteFile(Empty, "本文だけで題名の行がない\n");
        Message = FailureOf(Empty);
        QVERIFY2(Message.contains(QDir::toNativeSeparators(Empty)) && Message.contains("トピックがありません"),
                 qPrintable(Message));

        const QString Latin1 = Dir.filePath("latin1.hlp");
        WriteFile(Latin1, "== Caf\xE9 ==\nbody\n");
        Message = FailureOf(Latin1);
        QVERIFY2(Message.contains(QDir::toNativeSeparators(Latin1)) && Message.contains("読み込めません"),
                 qPrintable(Message));
    }

    void FindsTheFileBesideTheProgramFirst()
    {
        QTemporaryDir Root;
        QVERIFY(Root.isValid());
        QVERIFY(QDir(Root.path()).mkpath("bin") && QDir(Root.path()).mkpath("share/ravelon"));
        const QString Bin = Root.filePath("bin");
        const QString Beside = Root.filePath("bin/Ravelon.hlp");
        const QString Installed = Root.filePath("share/ravelon/Ravelon.hlp");

        QCOMPARE(FindHelpFile(Bin), Beside);
        WriteFile(Installed, "== a ==\nb\n");
        QCOMPARE(FindHelpFile(Bin), Installed);
        WriteFile(Beside, "== a ==\nb\n");
        QCOMPARE(FindHelpFile(Bin), Beside);
    }

    void SearchNarrowsTheList()
    {
        THelpDialog Dialog(nullptr);
        Dialog.SetTopics({{"描く", "左クリックで点をプロットします。"},
                          {"Files", "Ctrl+O opens a file."},
                          {"印刷", "ctrl+p で印刷します。"}});
        QCOMPARE(ListedTitles(Dialog), (QStringList{"描く", "Files", "印刷"}));
        QCOMPARE(Dialog.TopicList->currentRow(), 0);
        QVERIFY(Dialog.TopicView->toPlainText().contains("左クリックで点をプロットします。"));

        QTest::keyClicks(Dialog.SearchEdit, "CTRL");
        QCOMPARE(ListedTitles(Dialog), (QStringList{"Files", "印刷"}));
        QVERIFY(Dialog.TopicView->toPlainText().contains("Ctrl+O opens a file."));

        Dialog.TopicList->setCurrentRow(1);
        QVERIFY(Dialog.TopicView->toPlainText().contains("ctrl+p で印刷します。"));
        QTest::keyClick(Dialog.SearchEdit, Qt::Key_Backspace);  // "CTR": the chosen topic stays chosen
        QCOMPARE(Dialog.TopicList->currentItem()->text(), QString("印刷"));

        Dialog.SearchEdit->clear();
        CommitText(Dialog.SearchEdit, "プロット");
        QCOMPARE(ListedTitles(Dialog), QStringList{"描く"});

        QTest::keyClicks(Dialog.SearchEdit, "xyz");
        QCOMPARE(Dialog.TopicList->count(), 0);
        QVERIFY(!Dialog.TopicView->toPlainText().contains("左クリック"));

        Dialog.SearchEdit->clear();
        QCOMPARE(ListedTitles(Dialog), (QStringList{"描く", "Files", "印刷"}));
    }
};

QTEST_MAIN(THelpTest)
#include "HelpTest.moc"
