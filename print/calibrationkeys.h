#pragma once

#include <QChar>
#include <QString>

// What a character typed into an offset field does. Offsets take digits and one decimal point;
// a field holding only a point is emptied before the next character goes in.
struct OffsetKey {
    bool keep = false;
    bool emptyField = false;
};
OffsetKey offsetFieldKey(const QString& text, QChar typed);

// The printed-size fields take digits only.
bool dotsFieldKey(QChar typed);

// Whether a character is typed text, which the filters judge, rather than an editing key such as
// backspace, which they leave to the field.
bool isTypedCharacter(QChar typed);
