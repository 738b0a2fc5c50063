#include "text/textstamp.h"

#include "text/textpainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>

QFont stampFont(const TextStamp& stamp) {
    // A style without italic or underline: nothing but the stamp's own attributes reaches the font.
    return coverFont(TextStyle{.family = stamp.family,
                               .pointSize = stamp.pointSize,
                               .bold = stamp.bold,
                               .italic = false,
                               .underline = false,
                               .colour = stamp.colour});
}

QSize stampSize(const TextStamp& stamp) {
    const QFontMetrics metrics(stampFont(stamp));
    if (stamp.caption.isEmpty())
        return {kEmptyStampWidth, metrics.height()};
    const int ink = metrics.boundingRect(stamp.caption).right() + 1;
    return {std::max(metrics.horizontalAdvance(stamp.caption), ink), metrics.height()};
}

QRect stampBox(const TextStamp& stamp, QPoint corner) {
    const QSize size = stampSize(stamp);
    if (!stamp.reversed)
        return {corner, size};
    return {corner.x(), corner.y() - size.width(), size.height(), size.width()};
}

void drawStamp(QPainter& painter, const TextStamp& stamp, QPoint corner) {
    if (stamp.caption.isEmpty())
        return;
    const QFont font = stampFont(stamp);
    painter.save();
    painter.translate(corner);
    if (stamp.reversed)
        painter.rotate(-90); // the text runs up from the corner, the tops of its letters to the left
    painter.setClipRect(QRect(QPoint(0, 0), stampSize(stamp)), Qt::IntersectClip);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(stamp.colour);
    painter.drawText(QPoint(0, QFontMetrics(font).ascent()), stamp.caption);
    painter.restore();
}

void stampText(QImage& picture, const TextStamp& stamp, QPoint corner) {
    stampTextAt(picture, stamp, corner, QSizeF(1, 1));
}

void stampTextAt(QImage& picture, const TextStamp& stamp, QPoint corner, QSizeF scale) {
    const QTransform scaling = QTransform::fromScale(scale.width(), scale.height());
    if (picture.isNull() || stamp.caption.isEmpty() ||
        !scaling.mapRect(QRectF(stampBox(stamp, corner))).intersects(QRectF(picture.rect())))
        return;
    const QImage::Format format = picture.format();
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
        format == QImage::Format_MonoLSB)
        picture = picture.convertToFormat(QImage::Format_BGR888);
    QPainter painter(&picture);
    painter.setTransform(scaling);
    drawStamp(painter, stamp, corner);
}
