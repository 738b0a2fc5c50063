#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace {
const QString kHandlePrefix = QStringLiteral("/proc/self/fd/");
}

QString programFolderOf(const QByteArray& executablePath) {
    const qsizetype slash = executablePath.lastIndexOf('/');
    if (slash < 0)
        return {};
    const QByteArray folder = executablePath.left(slash + 1);
    const QString name = QFile::decodeName(folder);
    if (QFile::encodeName(name) == folder)
        return name;
    const int handle = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return {};
    return kHandlePrefix + QString::number(handle) + QLatin1Char('/');
}

QString runningProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length > 0 && length < ssize_t(sizeof path))
        if (QString folder = programFolderOf(QByteArray(path, length)); !folder.isEmpty())
            return folder;
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

QString shownFolderName(const QString& folder) {
    if (!folder.startsWith(kHandlePrefix))
        return folder;
    const QString real = QFileInfo(folder).canonicalFilePath();
    return real.isEmpty() ? folder : real + QLatin1Char('/');
}
