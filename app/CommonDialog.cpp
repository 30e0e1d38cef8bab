// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs over QFileDialog, always Qt's own widgets so that they
// speak the program's language through Qt's translations.
#include "app/CommonDialog.h"

#include <QFileDialog>

namespace ravelon {

QString ReplaceChar(const QString& Source, QChar Find, QChar Replace) {
    QString result = Source;
    for (QChar& c : result)
        if (c == Find) c = Replace;
    return result;
}

QStringList NameFilters(const QString& Filter) {
    const QStringList parts = ReplaceChar(Filter, u'|', QChar(0)).split(QChar(0));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        // Qt filters by the patterns in the name's last parentheses, which
        // take spaces where the pair's pattern takes semicolons.
        const QString patterns = ReplaceChar(parts[i + 1], u';', u' ').trimmed();
        const QString shown = QStringLiteral("(%1)").arg(patterns);
        filters.append(description.endsWith(shown) ? description : QStringLiteral("%1 %2").arg(description, shown));
    }
    return filters;
}

bool ExecuteFileDialog(QWidget* Owner, const QString& DefaultExt, const QString& Filter, const QString& InitialDir,
                       const QString& Title, QString& FileName, int& FilterIndex, bool IsOpen) {
    QFileDialog dialog(Owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(IsOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(IsOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!Title.isEmpty()) dialog.setWindowTitle(Title);
    if (!InitialDir.isEmpty()) dialog.setDirectory(InitialDir);

    const QStringList filters = NameFilters(Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype selected = FilterIndex >= 1 && FilterIndex <= filters.size() ? FilterIndex - 1 : 0;
        dialog.selectNameFilter(filters[selected]);
    }
    if (!DefaultExt.isEmpty()) {
        // A name typed without extension takes the selected pair's, when
        // its pattern names one ("*.pdf"), else the default one.
        const auto follow = [&dialog, &filters, &Filter, &DefaultExt](const QString& Selected) {
            const QStringList parts = ReplaceChar(Filter, u'|', QChar(0)).split(QChar(0));
            const qsizetype pair = filters.indexOf(Selected);
            const QString pattern = pair >= 0 && 2 * pair + 1 < parts.size() ? parts[2 * pair + 1] : QString();
            const bool one = pattern.startsWith(QStringLiteral("*.")) && !pattern.mid(2).contains(u'*') &&
                             !pattern.contains(u';');
            dialog.setDefaultSuffix(one ? pattern.mid(2) : DefaultExt);
        };
        follow(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    }
    if (!FileName.isEmpty()) dialog.selectFile(FileName);

    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    FileName = chosen.front();
    if (const qsizetype pair = filters.indexOf(dialog.selectedNameFilter()); pair >= 0)
        FilterIndex = static_cast<int>(pair) + 1;
    return true;
}

bool OpenFileDialog(QWidget* Owner, const QString& DefaultExt, const QString& Filter, const QString& InitialDir,
                    const QString& Title, QString& FileName, int& FilterIndex) {
    return ExecuteFileDialog(Owner, DefaultExt, Filter, InitialDir, Title, FileName, FilterIndex, true);
}

bool SaveFileDialog(QWidget* Owner, const QString& DefaultExt, const QString& Filter, const QString& InitialDir,
                    const QString& Title, QString& FileName, int& FilterIndex) {
    return ExecuteFileDialog(Owner, DefaultExt, Filter, InitialDir, Title, FileName, FilterIndex, false);
}

}  // namespace ravelon
