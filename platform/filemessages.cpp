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
