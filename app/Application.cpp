// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"

#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <new>
#include <stdexcept>

#include "Version.h"
#include "app/Messages.h"
#include "app/ScreenCursor.h"

namespace ravelon {

TApplication::TApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {
    setApplicationName(QStringLiteral("Ravelon"));
    setApplicationVersion(QString::fromLatin1(FileVersion));

    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    if (FQtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&FQtTranslator);

    // The program's font; a Japanese face of the system stands in for it.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
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
