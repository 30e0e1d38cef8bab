// Ravelon's entry: the application object, the main window with its two
// dialogs, and the message loop. The first argument names a knot data file
// to open when the window is first shown.
#include "app/Application.h"
#include "app/RavelonU1.h"

int main(int argc, char** argv) {
    ravelon::TApplication app(argc, argv);
    ravelon::TForm1 form;
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) form.FCommandLineFile = args.at(1);
    form.show();
    return QApplication::exec();
}
