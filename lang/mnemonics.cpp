#include "lang/mnemonics.h"

#include <QSet>
#include <optional>

namespace {

// The places of a caption's letters in the order they are tried.
QList<qsizetype> candidates(const QString& caption) {
    QList<qsizetype> first, wordStarts, others;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (!caption[i].isLetterOrNumber())
            continue;
        if (first.isEmpty())
            first.append(i);
        else if (!caption[i - 1].isLetterOrNumber())
            wordStarts.append(i);
        else
            others.append(i);
    }
    return first + wordStarts + others;
}

QString marked(const QString& caption, std::optional<qsizetype> at) {
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (at == i)
            text += QLatin1Char('&');
        text += caption[i];
        if (caption[i] == QLatin1Char('&'))
            text += QLatin1Char('&');
    }
    return text;
}

} // namespace

QStringList withMnemonics(const QStringList& captions) {
    QSet<QChar> taken;
    QStringList result;
    for (const QString& caption : captions) {
        std::optional<qsizetype> chosen;
        for (const qsizetype i : candidates(caption)) {
            const QChar letter = caption[i].toLower();
            if (!taken.contains(letter)) {
                taken.insert(letter);
                chosen = i;
                break;
            }
        }
        result << marked(caption, chosen);
    }
    return result;
}

QString plainCaption(const QString& marked) {
    QString plain;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] == QLatin1Char('&') && i + 1 < marked.size())
            ++i;
        plain += marked[i];
    }
    return plain;
}

QChar mnemonicOf(const QString& marked) {
    for (qsizetype i = 0; i + 1 < marked.size(); ++i) {
        if (marked[i] != QLatin1Char('&'))
            continue;
        if (marked[i + 1] != QLatin1Char('&'))
            return marked[i + 1].toLower();
        ++i;
    }
    return {};
}
