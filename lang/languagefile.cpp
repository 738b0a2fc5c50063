#include "lang/languagefile.h"

#include "lang/captiontable.h"
#include "platform/filemessages.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace {

// A language file is a few kilobytes; anything this large is the wrong file.
constexpr qint64 maxFileSize = 1024 * 1024;

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; its five unused bytes keep their values.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(kWindows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

[[noreturn]] void refuse(const QString& path, const QString& reason) {
    throw OrbalinError(
        QStringLiteral("The language file \"%1\" is not used: %2 The captions are unchanged.").arg(shownPath(path), reason));
}

} // namespace

std::optional<QString> decodeLanguageText(const QByteArray& bytes) {
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return fromWindows1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QStringList readLanguageFile(const QString& path, LanguageSource source) {
    if (source == LanguageSource::ProgramFolder) {
        if (const std::optional<QString> reason = linkLeavingFolder(path))
            refuse(path, *reason);
    }
    if (const std::optional<QString> reason = notAFile(path))
        refuse(path, *reason);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        refuse(path, sentence(file.errorString()));
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        refuse(path, sentence(file.errorString()));
    if (bytes.size() > maxFileSize)
        refuse(path, QStringLiteral("it is larger than 1 MB, far too large for a language file."));
    const std::optional<QString> text = decodeLanguageText(bytes);
    if (!text)
        refuse(path, QStringLiteral("it holds NUL bytes, so it is no text file."));
    QStringList lines = splitLines(*text);
    if (lines.size() < kLanguageFileLineCount)
        refuse(path, QStringLiteral("it has %1 lines, and a language file needs %2, one for each caption.")
                         .arg(lines.size())
                         .arg(kLanguageFileLineCount));
    return lines;
}

bool isBareFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control;
    });
}

QString printableName(QString name) {
    for (QChar& c : name) {
        if (c.category() == QChar::Other_Control)
            c = u'?';
    }
    return name;
}

QString programFileNamed(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& candidate : files) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(candidate);
    }
    return dir.filePath(name);
}

QByteArray englishLanguageFile() {
    QStringList lines(kLanguageFileLineCount);
    lines[0] = QStringLiteral("Orbalin language file: English. One caption per line; keep every line where it is.");
    for (const CaptionRow& row : captionTable())
        lines[row.line - 1] = englishText(row);
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}
