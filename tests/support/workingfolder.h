#pragma once

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

// Every test binary runs in an empty working folder of its own: a test that writes a file by a
// relative name (an empty folder in front of a file name) leaves it here instead of in the source
// or build tree, and the run fails naming it.
class EmptyWorkingFolder {
public:
    EmptyWorkingFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(folder_.path()); }
    ~EmptyWorkingFolder() { QDir::setCurrent(previous_); }
    EmptyWorkingFolder(const EmptyWorkingFolder&) = delete;
    EmptyWorkingFolder& operator=(const EmptyWorkingFolder&) = delete;

    // The run's result, turned into a failure when a test left anything in the working folder.
    int checked(int result) const {
        const QStringList left =
            QDir(folder_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (left.isEmpty())
            return result;
        std::fprintf(stderr, "FAILED: a test wrote outside its own folder, into the working folder: %s\n",
                     qPrintable(left.join(QStringLiteral(", "))));
        return 1;
    }

private:
    QString previous_;
    QTemporaryDir folder_;
};
