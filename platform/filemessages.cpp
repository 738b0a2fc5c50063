#include "platform/filemessages.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString sentence(QString text) {
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

QString createFailure(const QString& path, const QFileDevice& file) {
    if (!QFileInfo(path).absoluteDir().exists())
        return QStringLiteral("Its folder does not exist.");
    return sentence(file.errorString());
}

std::optional<QString> notAFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("It does not exist.");
    if (info.isDir())
        return QStringLiteral("It is a folder, not a file.");
    if (!info.isFile())
        return QStringLiteral("It is not a file.");
    return std::nullopt;
}

std::optional<QString> linkLeavingFolder(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return std::nullopt;
    const QString shownTarget = shownPath(info.symLinkTarget());
    const QString target = info.canonicalFilePath();
    if (target.isEmpty())
        return QStringLiteral("It is a link to \"%1\", which does not exist.").arg(shownTarget);
    const QString folder = QDir(info.absolutePath()).canonicalPath();
    if (!folder.isEmpty() && target.startsWith(folder + QLatin1Char('/')))
        return std::nullopt;
    return QStringLiteral("It is a link to \"%1\", outside its folder; the program reads its own files "
                          "only from its folder.")
        .arg(shownTarget);
}
