#include "platform/linelist.h"

#include "platform/filemessages.h"
#include "platform/orbalinerror.h"
#include "platform/safewrite.h"

#include <QDir>
#include <QFile>

namespace {

// Configuration files are a few lines; anything this big is the wrong file.
constexpr qint64 maxFileSize = 1024 * 1024;

[[noreturn]] void cannotRead(const QString& path, const QString& reason) {
    throw OrbalinError(QStringLiteral("The file \"%1\" cannot be read. %2").arg(shownPath(path), reason));
}

[[noreturn]] void cannotWrite(const QString& path, const QString& reason) {
    throw OrbalinError(QStringLiteral("The file \"%1\" cannot be written. %2").arg(shownPath(path), reason));
}

} // namespace

QStringList readLines(const QString& path) {
    if (const std::optional<QString> reason = linkLeavingFolder(path))
        cannotRead(path, *reason);
    if (const std::optional<QString> reason = notAFile(path))
        cannotRead(path, *reason);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        cannotRead(path, sentence(file.errorString()));
    // Read one byte past the limit rather than trusting the size reported before reading.
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        cannotRead(path, sentence(file.errorString()));
    if (bytes.size() > maxFileSize)
        cannotRead(path, QStringLiteral("It is larger than 1 MB, too large for a settings file."));

    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(QString::fromLatin1(bytes.constData() + start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(QString::fromLatin1(bytes.constData() + start, bytes.size() - start));
    return lines;
}

void writeLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    const std::optional<QString> failure = writeWhole(path, FileOwner::Program, [&bytes](QIODevice& device) {
        return device.write(bytes) == bytes.size();
    });
    if (failure)
        cannotWrite(path, *failure);
}
