#include "platform/linelist.h"

#include "platform/filemessages.h"
#include "platform/orbalinerror.h"
#include "platform/safewrite.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

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

QStringList readLines(const QString& path, LineEncoding encoding) {
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

    if (encoding == LineEncoding::Utf8) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        if (!utf8.hasError())
            return splitLines(text.startsWith(QChar::ByteOrderMark) ? text.mid(1) : text);
    }
    return splitLines(QString::fromLatin1(bytes));
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

void writeLines(const QString& path, const QStringList& lines, LineEncoding encoding) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encoding == LineEncoding::Utf8 ? line.toUtf8() : line.toLatin1();
        bytes += "\r\n";
    }
    const std::optional<QString> failure = writeWhole(path, FileOwner::Program, [&bytes](QIODevice& device) {
        return device.write(bytes) == bytes.size();
    });
    if (failure)
        cannotWrite(path, *failure);
}
