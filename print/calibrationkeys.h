#pragma once

#include <QChar>
#include <QString>

// What a character typed into an offset field does. Offsets take digits and one decimal point,
// typed as a point or as a comma; a field holding only a point is emptied before the next
// character goes in.
struct OffsetKey {
    bool keep = false;
    bool emptyField = false;
    QChar character; // what goes into the field when kept: a comma becomes a point
};
OffsetKey offsetFieldKey(const QString& text, QChar typed);

// The printed-size fields take digits only.
bool dotsFieldKey(QChar typed);

// What a field keeps of text that comes in otherwise than by typing (pasted, dropped): only what
// typing could give. An offset keeps its digits and its first decimal point, a comma counting as
// a point; a printed size keeps its digits.
QString offsetFieldText(const QString& text);
QString dotsFieldText(const QString& text);

// Whether a character is typed text, which the filters judge, rather than an editing key such as
// backspace, which they leave to the field.
bool isTypedCharacter(QChar typed);
