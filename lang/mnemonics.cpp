#include "lang/mnemonics.h"

#include <QHash>
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

namespace {

// Letters are handed out as in a matching: a caption whose letters are all taken may take one from
// a caption before it that can move to another of its own, so that every caption gets a letter
// whenever there are enough to go round.
class LetterMatching {
public:
    explicit LetterMatching(const QStringList& captions) : captions_(captions), chosen_(captions.size()) {
        for (const QString& caption : captions)
            candidates_ << candidates(caption);
        for (qsizetype i = 0; i < captions.size(); ++i) {
            QSet<QChar> tried;
            if (!giveFree(i))
                give(i, tried);
        }
    }

    std::optional<qsizetype> chosen(qsizetype caption) const { return chosen_[caption]; }

private:
    bool giveFree(qsizetype caption) {
        for (const qsizetype at : candidates_[caption]) {
            const QChar letter = captions_[caption][at].toLower();
            if (!owners_.contains(letter)) {
                owners_[letter] = caption;
                chosen_[caption] = at;
                return true;
            }
        }
        return false;
    }

    bool give(qsizetype caption, QSet<QChar>& tried) {
        for (const qsizetype at : candidates_[caption]) {
            const QChar letter = captions_[caption][at].toLower();
            if (tried.contains(letter))
                continue;
            tried.insert(letter);
            const auto owner = owners_.constFind(letter);
            if (owner == owners_.cend() || give(*owner, tried)) {
                owners_[letter] = caption;
                chosen_[caption] = at;
                return true;
            }
        }
        return false;
    }

    const QStringList& captions_;
    QList<QList<qsizetype>> candidates_;
    QList<std::optional<qsizetype>> chosen_;
    QHash<QChar, qsizetype> owners_;
};

} // namespace

QStringList withMnemonics(const QStringList& captions) {
    const LetterMatching matching(captions);
    QStringList result;
    for (qsizetype i = 0; i < captions.size(); ++i)
        result << marked(captions[i], matching.chosen(i));
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
