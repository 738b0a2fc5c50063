#include "print/calibrationkeys.h"

#include <algorithm>

namespace {
const QChar kPoint = QLatin1Char('.');

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isDecimalPoint(QChar c) {
    return c == kPoint || c == QLatin1Char(',');
}

bool holdsDecimalPoint(const QString& text) {
    return std::any_of(text.begin(), text.end(), isDecimalPoint);
}
} // namespace

OffsetKey offsetFieldKey(const QString& text, QChar typed) {
    OffsetKey key;
    key.character = isDecimalPoint(typed) ? kPoint : typed;
    key.keep = isDigit(typed) || isDecimalPoint(typed) || typed == QChar(0x08);
    key.emptyField = text == kPoint;
    const QString remaining = key.emptyField ? QString() : text;
    if (isDecimalPoint(typed) && holdsDecimalPoint(remaining))
        key.keep = false;
    return key;
}

bool dotsFieldKey(QChar typed) {
    return isDigit(typed);
}

QString offsetFieldText(const QString& text) {
    QString kept;
    bool pointKept = false;
    for (const QChar c : text) {
        if (isDigit(c)) {
            kept += c;
        } else if (isDecimalPoint(c) && !pointKept) {
            kept += kPoint;
            pointKept = true;
        }
    }
    return kept;
}

QString dotsFieldText(const QString& text) {
    QString kept;
    for (const QChar c : text)
        if (isDigit(c))
            kept += c;
    return kept;
}

bool isTypedCharacter(QChar typed) {
    return typed.isPrint();
}
