#include "text/textpainter.h"

#include "cover/fitpixels.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>

int pixelsForPoints(int points) {
    return (points * 96 + 36) / 72;
}

QFont coverFont(const TextStyle& style) {
    QFont font(style.family);
    font.setPixelSize(std::max(1, pixelsForPoints(style.pointSize)));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

QSize measureOnCover(const QString& text, const TextStyle& style) {
    if (text.isEmpty())
        return {0, 0};
    const QFontMetrics metrics(coverFont(style));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void paintTextPlan(QImage& picture, const TextPlan& plan, const QImage& discMask,
                   const QImage& smallDiscMask) {
    paintTextPlanAt(picture, plan, QSizeF(1, 1),
                    plan.mask == LayoutMask::SmallDisc ? smallDiscMask : discMask);
}

void paintTextPlanAt(QImage& picture, const TextPlan& plan, QSizeF scale, const QImage& mask) {
    if (picture.isNull())
        return;
    if (picture.format() != QImage::Format_BGR888)
        picture = picture.convertToFormat(QImage::Format_BGR888);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale.width(), scale.height());
        for (const TextDraw& draw : plan.draws) {
            if (draw.text.isEmpty())
                continue;
            const QFont font = coverFont(draw.style);
            const QFontMetrics metrics(font);
            // Turn the text about its own corner, then move it so the turned box's corner lands on
            // the planned point.
            const QRectF box(0, 0, metrics.horizontalAdvance(draw.text), metrics.height());
            const QRectF turned = QTransform().rotate(draw.angle).mapRect(box);
            painter.save();
            painter.translate(QPointF(draw.topLeft) - turned.topLeft());
            painter.rotate(draw.angle);
            painter.setFont(font);
            painter.setPen(draw.style.colour);
            painter.drawText(QPointF(0, metrics.ascent()), draw.text);
            painter.restore();
        }
    }
    if (plan.mask != LayoutMask::None)
        stampMask(picture, mask);
}
