#include "lang/languagefile.h"

#include "lang/captiontable.h"
#include "lang/languagetext.h"
#include "platform/filemessages.h"
#include "platform/orbalinerror.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace {

// A language file is a few kilobytes; anything this large is the wrong file.
constexpr qint64 maxFileSize = 1024 * 1024;

[[noreturn]] void refuse(const QString& path, const QString& reason) {
    throw OrbalinError(QStringLiteral("The language file \"%1\" is not used: %2 The captions are unchanged.")
                           .arg(shownPath(path), reason));
}

QStringList withLaterCaptionsInEnglish(QStringList lines) {
    const qsizetype read = lines.size();
    if (read >= kCaptionLineCount)
        return lines;
    lines.resize(kCaptionLineCount);
    for (const CaptionRow& row : captionTable()) {
        if (row.line > read)
            lines[row.line - 1] = englishText(row);
    }
    return lines;
}

QString damagedLinesWarning(const QString& path, const QList<int>& damaged) {
    constexpr qsizetype kNamed = 10;
    QStringList named;
    for (qsizetype i = 0; i < std::min(damaged.size(), kNamed); ++i)
        named << QString::number(damaged[i]);
    if (damaged.size() > kNamed)
        named << QStringLiteral("and %1 more").arg(damaged.size() - kNamed);
    return QStringLiteral(
               "The language file \"%1\" is UTF-8 but for a few bytes: %2 %3 bytes that are not UTF-8, "
               "shown as \"%4\". The other captions are as written; save the file as UTF-8 to mend it.")
        .arg(shownPath(path),
             (damaged.size() == 1 ? QStringLiteral("line ") : QStringLiteral("lines ")) +
                 named.join(QStringLiteral(", ")),
             damaged.size() == 1 ? QStringLiteral("holds") : QStringLiteral("hold"),
             QChar(QChar::ReplacementCharacter));
}

} // namespace

LanguageFileLines readLanguageFile(const QString& path, LanguageSource source) {
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
    std::variant<LanguageText, NotLanguageText> decoded = decodeLanguageText(bytes);
    if (const auto* fault = std::get_if<NotLanguageText>(&decoded))
        refuse(path, fault->reason);
    LanguageText& text = std::get<LanguageText>(decoded);
    if (text.lines.size() < kLanguageFileLineCount)
        refuse(path, QStringLiteral("it has %1 lines, and a language file needs %2, one for each caption.")
                         .arg(text.lines.size())
                         .arg(kLanguageFileLineCount));
    LanguageFileLines read{withLaterCaptionsInEnglish(std::move(text.lines)), std::nullopt};
    if (!text.damagedLines.isEmpty())
        read.warning = damagedLinesWarning(path, text.damagedLines);
    return read;
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
    QStringList lines(kCaptionLineCount);
    lines[0] =
        QStringLiteral("Orbalin language file: English. One caption per line; keep every line where it is.");
    for (const CaptionRow& row : captionTable())
        lines[row.line - 1] = englishText(row);
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}
