#include "cover/coverfilenames.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QRegularExpression>

std::optional<QString> photoExtension(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"jpg" || suffix == u"jpeg")
        return QStringLiteral("jpg");
    if (suffix == u"bmp")
        return QStringLiteral("bmp");
    return std::nullopt;
}

QString hashOf(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString photoEntry(const QByteArray& bytes, const QString& extension) {
    return QStringLiteral("photos/%1.%2").arg(hashOf(bytes), extension);
}

QString insertEntry(const QByteArray& bmp) {
    return QStringLiteral("inserts/%1.bmp").arg(hashOf(bmp));
}

bool isPhotoEntry(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^photos/[0-9a-f]{64}\\.(jpg|bmp)$"));
    return pattern.match(name).hasMatch();
}

bool isInsertEntry(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^inserts/[0-9a-f]{64}\\.bmp$"));
    return pattern.match(name).hasMatch();
}

QString hashOfEntry(const QString& name) {
    const qsizetype slash = name.indexOf(u'/');
    return name.mid(slash + 1, 64);
}
