// SPDX-License-Identifier: GPL-3.0-or-later
// New diagrams from the knot table and from PD codes, through their dialogs
// as a person types into them.
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QUndoStack>

#include "app/CodeDialogs.h"
#include "diagram/EditState.h"
#include "knot/PdRead.h"
#include "tests/app/AppTestSupport.h"

using namespace ravelon;

namespace {

int Shown(const QListWidget& List) {
    int n = 0;
    for (int i = 0; i < List.count(); ++i) n += List.item(i)->isHidden() ? 0 : 1;
    return n;
}

std::string JonesKeyOf(const TForm1& Form) {
    TKnot knot;
    Form.FDraw.MakeKnot(knot);
    TPoly jones(0);
    knot.Jones(jones);
    return TableKey(jones, 2);
}

}  // namespace

class CodeCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetEditState(); }

    // Typing narrows the list as one types; typing "8_19" and Enter opens
    // the entry, named so, with its published Jones polynomial; an undo
    // brings back the diagram before.
    void opensAnEntryOfTheTable() {
        TForm1 form;
        form.show();
        int listed = 0, narrowed = 0, links = 0;
        auto type = testing::WhenModal<TTableDialog>([&](TTableDialog& d) {
            listed = Shown(*d.NameList);
            QTest::keyClicks(d.SearchEdit, QStringLiteral("l6A4"));
            links = Shown(*d.NameList);
            d.SearchEdit->clear();
            QTest::keyClicks(d.SearchEdit, QStringLiteral("8_19"));
            narrowed = Shown(*d.NameList);
            QTest::keyClick(d.SearchEdit, Qt::Key_Return);
        });
        form.OpenTableAction->trigger();
        QCOMPARE(listed, 7166);
        QVERIFY(links >= 4 && links < 20);
        QCOMPARE(narrowed, 1);
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [8_19]"));
        QCOMPARE(form.FFileName, QString());
        QCOMPARE(QSize(form.CanvasWidth(), form.CanvasHeight()), QSize(400, 300));
        std::optional<TTableEntry> entry;
        const TKnotTable table(KnotTablePath());
        for (const TTableEntry& e : table.Entries())
            if (e.Name == "8_19") entry = e;
        QVERIFY(entry);
        QCOMPARE(JonesKeyOf(form), entry->Jones);
        // The arrow keys choose in the list while typing; Escape opens nothing.
        auto cancel = testing::WhenModal<TTableDialog>([](TTableDialog& d) {
            QTest::keyClicks(d.SearchEdit, QStringLiteral("3_1"));
            QTest::keyClick(d.SearchEdit, Qt::Key_Down);
            QVERIFY(d.NameList->currentItem() != nullptr);
            QTest::keyClick(d.SearchEdit, Qt::Key_Escape);
        });
        form.OpenTableAction->trigger();
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [8_19]"));
        form.UndoAction->trigger();
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [NewKnot]"));
        QCOMPARE(form.FDraw.FPointCount(), 0);
    }

    // A pasted PD code, over two lines, becomes its diagram; a bad one is
    // refused with the reader's words and changes nothing.
    void drawsAPastedPdCode() {
        TForm1 form;
        form.show();
        const QString figureEight = QStringLiteral("PD[X[4,2,5,1], X[8,6,1,5],\n X[6,3,7,4], X[2,7,3,8]]");
        auto paste = testing::WhenModal<TPdCodeDialog>([&](TPdCodeDialog& d) {
            d.CodeEdit->setPlainText(figureEight);
            d.accept();
        });
        form.NewFromPdAction->trigger();
        TPoly expected(0);
        ReadPdCode(QString(figureEight).replace(u'\n', u' ').toStdString()).Jones(expected);
        QCOMPARE(JonesKeyOf(form), TableKey(expected, 2));
        TKnot knot;
        form.FDraw.MakeKnot(knot);
        QCOMPARE(knot.FCrossingCount(), 4);

        const QByteArray before = QByteArray::fromStdString(KnotFileText(form.FDraw, 400, 300));
        for (const auto& [code, message] : {std::pair{"X[1,2,3]", "交点 1 のラベルが 4 個ではありません (3 個)"},
                                            std::pair{"X[1,2,3,4] X[3,4,1,2]", "平面に描けない PD コードです."}}) {
            QString seen;
            auto report = testing::AcceptErrorReport(&seen);
            auto bad = testing::WhenModal<TPdCodeDialog>([code = code](TPdCodeDialog& d) {
                QVERIFY(d.CodeEdit->toPlainText().startsWith(QStringLiteral("PD[X[4,2")) ||
                        d.CodeEdit->toPlainText().startsWith(QStringLiteral("X[")));
                d.CodeEdit->setPlainText(QString::fromLatin1(code));
                d.accept();
            });
            form.NewFromPdAction->trigger();
            QCOMPARE(seen, QStringLiteral("Ravelon|") + QString::fromUtf8(message));
            QCOMPARE(QByteArray::fromStdString(KnotFileText(form.FDraw, 400, 300)), before);
        }
    }

    // A diagram written as a PLink file through its dialog opens again as
    // the same knot, one step of the history; a file that is not one is
    // refused with the reader's words and changes nothing.
    void writesAndOpensPLinkFiles() {
        TForm1 form;
        form.show();
        form.OpenKnotFile(QStringLiteral(RAVELON_EXAMPLES_DIR "/8_19.rvd"));
        const std::string jones = JonesKeyOf(form);
        QTemporaryDir dir;
        const auto choose = [](const QString& Path) {
            return testing::WhenModal<QFileDialog>([Path](QFileDialog* d) {
                if (auto* const edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) edit->setText(Path);
                static_cast<QDialog*>(d)->accept();
            });
        };
        auto save = choose(dir.filePath(QStringLiteral("knot")));  // the suffix comes from the filter
        form.ExportPLinkAction->trigger();
        const QString file = dir.filePath(QStringLiteral("knot.lnk"));
        QVERIFY(QFileInfo::exists(file));
        form.NewMakeAction->trigger();
        const int steps = form.UndoStack->count();
        auto open = choose(file);
        form.OpenPLinkAction->trigger();
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [knot]"));
        QCOMPARE(JonesKeyOf(form), jones);
        QCOMPARE(form.UndoStack->count(), steps + 1);

        QFile bad(dir.filePath(QStringLiteral("bad.lnk")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("% Link Projection\n1\n0 0\n2\n");
        bad.close();
        QString seen;
        auto report = testing::AcceptErrorReport(&seen);
        open = choose(bad.fileName());
        form.OpenPLinkAction->trigger();
        QVERIFY2(seen.startsWith(QStringLiteral("Ravelon|PLink ファイル")), qPrintable(seen));
        QCOMPARE(form.windowTitle(), QStringLiteral("Ravelon - [knot]"));
        QCOMPARE(form.UndoStack->count(), steps + 1);
    }
};

RAVELON_WIDGET_TEST_MAIN(CodeCommandsTest)
#include "CodeCommandsTest.moc"
