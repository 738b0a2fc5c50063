// Draws the program's logo as the icons the desktop shows in its menu, one PNG per size.
// Usage: make_icons FOLDER  (writes FOLDER/orbalin-16.png ... orbalin-256.png)

#include "cover/glyphs.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: make_icons FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_icons: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = folder.filePath(QStringLiteral("orbalin-%1.png").arg(size));
        if (!logo(size).save(path, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
