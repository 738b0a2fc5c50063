#include "text/floatingtext.h"

#include <QPainter>

FloatingText::FloatingText(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
}

QSize FloatingText::sizeHint() const {
    return stampSize(stampOf(*this));
}

void FloatingText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawStamp(painter, stampOf(*this), QPoint(0, 0));
}

TextStamp stampFontOf(const QWidget& control) {
    const QFont font = control.font();
    TextStamp stamp;
    stamp.family = font.family();
    stamp.pointSize = font.pointSize();
    stamp.bold = font.bold();
    stamp.colour = control.palette().color(control.foregroundRole());
    return stamp;
}

void giveStampFont(QWidget& control, const TextStamp& stamp) {
    QFont font(stamp.family, stamp.pointSize);
    font.setBold(stamp.bold);
    control.setFont(font);
    QPalette colours = control.palette();
    colours.setColor(control.foregroundRole(), stamp.colour);
    control.setPalette(colours);
}

TextStamp stampOf(const QLabel& floatingText) {
    TextStamp stamp = stampFontOf(floatingText);
    stamp.caption = floatingText.text();
    return stamp;
}
