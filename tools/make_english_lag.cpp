// Writes "english.lag" from the caption table: make_english_lag <folder>.
#include "lang/languagefile.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/english.lag"));
    if (!file.open(QIODevice::WriteOnly) || file.write(englishLanguageFile()) < 0 || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    return 0;
}
