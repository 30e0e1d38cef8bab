// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: writes one of the icon's XPM pictures as PNG for the hicolor
// theme. Usage: xpm-to-png in.xpm out.png size. Fails unless the picture is
// size x size pixels, so that every theme folder gets the picture of its size.
#include <QImage>

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: xpm-to-png in.xpm out.png size\n";
        return 2;
    }
    const int size = std::atoi(argv[3]);
    QImage image;
    if (!image.load(QString::fromLocal8Bit(argv[1]), "XPM")) {
        std::cerr << "xpm-to-png: cannot read " << argv[1] << '\n';
        return 1;
    }
    if (image.width() != size || image.height() != size) {
        std::cerr << "xpm-to-png: " << argv[1] << " is " << image.width() << "x" << image.height() << ", not "
                  << size << "x" << size << '\n';
        return 1;
    }
    if (!image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::cerr << "xpm-to-png: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
