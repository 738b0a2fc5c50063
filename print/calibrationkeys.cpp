#include "print/calibrationkeys.h"

namespace {
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

OffsetKey offsetFieldKey(const QString& text, QChar typed) {
    const QChar point = QLatin1Char('.');
    OffsetKey key;
    key.keep = isDigit(typed) || typed == point || typed == QChar(0x08);
    key.emptyField = text == point;
    const QString remaining = key.emptyField ? QString() : text;
    if (typed == point && remaining.contains(point))
        key.keep = false;
    return key;
}

bool dotsFieldKey(QChar typed) {
    return isDigit(typed);
}

bool isTypedCharacter(QChar typed) {
    return typed.isPrint();
}
