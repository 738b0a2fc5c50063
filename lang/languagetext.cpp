#include "lang/languagetext.h"

#include "lang/codepages.h"
#include "platform/linelist.h"

#include <algorithm>
#include <optional>

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence starting at `at`, or 0 when none does there: no overlong
// forms, no surrogates, nothing beyond U+10FFFF.
int sequenceLength(const QByteArray& bytes, qsizetype at) {
    const auto byteAt = [&](qsizetype i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
    };
    const unsigned char lead = byteAt(at);
    const unsigned char second = byteAt(at + 1);
    if (lead >= 0xC2 && lead <= 0xDF)
        return isContinuation(second) ? 2 : 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    int length = 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (second < low || second > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (!isContinuation(byteAt(at + i)))
            return 0;
    }
    return length;
}

struct Utf8Reading {
    QString text;
    int validSequences = 0; // multi-byte ones
    int badBytes = 0;
    QList<int> damagedLines;
};

Utf8Reading readUtf8(const QByteArray& bytes) {
    Utf8Reading reading;
    int line = 1;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            // Line ends counted as splitLines counts them: CR LF is one.
            if (byte == '\r' || (byte == '\n' && (i == 0 || bytes[i - 1] != '\r')))
                ++line;
            reading.text += QChar(byte);
            ++i;
            continue;
        }
        const int length = sequenceLength(bytes, i);
        if (length == 0) {
            reading.text += QChar(QChar::ReplacementCharacter);
            ++reading.badBytes;
            if (reading.damagedLines.isEmpty() || reading.damagedLines.constLast() != line)
                reading.damagedLines << line;
            ++i;
            continue;
        }
        // Decoded here: Qt's conversions drop a byte-order mark at the start of what they are given.
        char32_t codePoint = byte & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        reading.text += QChar::fromUcs4(codePoint);
        ++reading.validSequences;
        i += length;
    }
    return reading;
}

// UTF-16 puts a NUL beside nearly every Latin letter, always on the same side of it.
bool looksLikeUtf16(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    qsizetype even = 0;
    qsizetype odd = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0')
            ++(i % 2 == 0 ? even : odd);
    }
    const qsizetype more = std::max(even, odd);
    return more > 0 && more * 4 >= bytes.size() && std::min(even, odd) * 10 <= more;
}

std::optional<QString> notCaptionText(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const bool control = std::any_of(line.cbegin(), line.cend(), [](QChar c) {
            return c != u'\t' && c.category() == QChar::Other_Control;
        });
        if (control)
            return QStringLiteral("line %1 holds control characters, so it is no caption text.").arg(i + 1);
        if (line.size() > kLongestLanguageLine)
            return QStringLiteral("line %1 is %2 characters long, far longer than any caption.")
                .arg(i + 1)
                .arg(line.size());
    }
    return std::nullopt;
}

} // namespace

std::variant<LanguageText, NotLanguageText> decodeLanguageText(const QByteArray& bytes) {
    if (looksLikeUtf16(bytes))
        return NotLanguageText{QStringLiteral("it is saved as UTF-16; save it as UTF-8.")};
    if (bytes.contains('\0'))
        return NotLanguageText{QStringLiteral("it holds NUL bytes, so it is no text file.")};

    LanguageText decoded;
    Utf8Reading utf8 = readUtf8(bytes);
    const bool byteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
    if (byteOrderMark || utf8.badBytes <= utf8.validSequences) {
        decoded.lines = splitLines(byteOrderMark ? utf8.text.mid(1) : utf8.text);
        decoded.damagedLines = std::move(utf8.damagedLines);
    } else {
        decoded.lines = splitLines(fromCodePage(bytes, likelyCodePage(bytes)));
    }
    if (const std::optional<QString> reason = notCaptionText(decoded.lines))
        return NotLanguageText{*reason};
    return decoded;
}
