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
