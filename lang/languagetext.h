#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <variant>

// How the bytes of a language file become its lines.
//
// UTF-8 when the file starts with a UTF-8 byte-order mark, or when it holds no more bytes that are
// not UTF-8 than it holds valid multi-byte UTF-8 sequences: a UTF-8 file with a stray byte or two
// stays UTF-8, each bad byte shown as U+FFFD and its line named. A legacy 8-bit file holds none
// or hardly any valid sequences among its accented letters, and is read in its likely code page
// (lang/codepages.h). UTF-16 and NUL bytes, control characters other than tab, and lines far
// longer than any caption mean the file is no caption text.

struct LanguageText {
    QStringList lines;
    QList<int> damagedLines; // counted from 1: lines with bytes that are not UTF-8
};

// Why the bytes are no caption text: a sentence for the user, naming the first faulty line.
struct NotLanguageText {
    QString reason;
};

// The longest line a language file may hold; the longest caption is a few hundred characters.
inline constexpr int kLongestLanguageLine = 1000;

std::variant<LanguageText, NotLanguageText> decodeLanguageText(const QByteArray& bytes);
