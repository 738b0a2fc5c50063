#include "platform/picturelimits.h"

#include "platform/filemessages.h"
#include "platform/orbalinerror.h"

void cannotOpenPicture(const QString& path, const QString& reason) {
    throw OrbalinError(
        QStringLiteral("The picture \"%1\" cannot be opened. %2").arg(shownPath(path), reason));
}

QString tooManyPixels(qint64 width, qint64 height) {
    return QStringLiteral("It is %1 × %2 pixels; pictures over %3 million pixels are not supported.")
        .arg(width)
        .arg(height)
        .arg(kMaxPicturePixels / 1000000);
}

QString tooWide(qint64 width) {
    return QStringLiteral("At %1 pixels wide its rows are too long; pictures over %2 pixels wide are not "
                          "supported.")
        .arg(width)
        .arg(kMaxPictureWidth);
}
