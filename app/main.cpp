// Ravelon's entry: the application object (title "Ravelon", Japanese
// throughout, the program's font), the main window with its two dialogs,
// and the message loop.
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/Messages.h"
#include "app/RavelonU1.h"
#include "Version.h"

int main(int argc, char** argv) {
    ravelon::TApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ravelon::FileVersion));

    // Qt's own dialogs and buttons in Japanese, whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    // The program's font, with a Japanese face of the system in its place.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    QApplication::setFont(font);

    ravelon::TForm1 form;
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) form.FCommandLineFile = args.at(1);
    form.show();
    return QApplication::exec();
}
