// SPDX-License-Identifier: GPL-3.0-or-later
// Ravelon's entry: the application object, the main window with its two
// dialogs, and the message loop. The first argument names a knot data file
// to open when the window is first shown.
//
// Three options are answered without a window (and so without a display):
// --version, --help, and --help-file, which prints the help file the program
// would show and fails (status 1) when that file cannot be read.
#include <QCoreApplication>

#include <exception>
#include <iostream>
#include <string_view>

#include "Version.h"
#include "app/Application.h"
#include "app/HelpFile.h"
#include "app/RavelonU1.h"

namespace {

constexpr const char* Usage =
    "使い方: ravelon [ファイル.rvd]\n"
    "結び目や絡み目の図を描き、ブラケット多項式、ねじり数、ジョーンズ多項式を求めます。\n"
    "ファイルを指定すると、それを開いた状態で始まります。\n"
    "\n"
    "  --help       この説明を表示する\n"
    "  --version    バージョンを表示する\n"
    "  --help-file  ヘルプファイルの場所を表示し、読めなければ終了ステータス 1 で終わる\n";

int ShowHelpFile(int& argc, char** argv) {
    QCoreApplication core(argc, argv);
    const QString path = ravelon::FindHelpFile();
    std::cout << path.toStdString() << std::endl;
    try {
        ravelon::LoadHelpFile(path);
    } catch (const std::exception& e) {
        std::cerr << "ravelon: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        const std::string_view option = argv[1];
        if (option == "--version") {
            std::cout << "Ravelon " << ravelon::FileVersion << '\n';
            return 0;
        }
        if (option == "--help") {
            std::cout << Usage;
            return 0;
        }
        if (option == "--help-file") return ShowHelpFile(argc, argv);
    }
    ravelon::TApplication app(argc, argv);
    ravelon::TForm1 form;
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) form.FCommandLineFile = args.at(1);
    form.show();
    return QApplication::exec();
}
