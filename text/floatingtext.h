#pragma once

#include "text/textstamp.h"

#include <QLabel>

// The floating text: a one-line label that the user moves over the cover. It paints its caption
// with the stamp routine and takes the stamp's size, so the caption stands on the screen exactly
// as a stamp puts it into the picture.
class FloatingText : public QLabel {
public:
    FloatingText(const QString& caption, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The stamp font a control holds: its font's family, size in points and boldness, and the colour
// of its text. The caption is left empty and the stamp straight.
TextStamp stampFontOf(const QWidget& control);

// Gives the control exactly the stamp's font and text colour: a font of that family, size and
// boldness, with no other attribute left over from before.
void giveStampFont(QWidget& control, const TextStamp& stamp);

// The stamp the floating text makes: its caption in its font, straight.
TextStamp stampOf(const QLabel& floatingText);
