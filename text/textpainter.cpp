#include "text/textpainter.h"

#include "cover/fitpixels.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <optional>

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

namespace {

// A turned character has no pixel grid to be hinted to, and unhinted it has the same shape and
// advances at the printer's size as on the screen.
QFont curveFont(const TextStyle& style) {
    QFont font = coverFont(style);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

QSize measureOnCover(const QString& text, const TextStyle& style) {
    if (text.isEmpty())
        return {0, 0};
    const QFontMetrics metrics(coverFont(style));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

std::vector<double> measureCutsOnCover(const QString& text, const TextStyle& style,
                                       const std::vector<qsizetype>& cuts) {
    std::vector<double> xs;
    if (text.isEmpty())
        return std::vector<double>(cuts.size(), 0.0);
    QTextLayout layout(text, curveFont(style));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    for (const qsizetype cut : cuts) {
        int position = int(std::clamp<qsizetype>(cut, 0, text.size()));
        xs.push_back(line.cursorToX(&position));
    }
    return xs;
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
        const QTransform scaled = painter.worldTransform();
        // Characters on a curve come one by one, mostly in the style of the one before.
        std::optional<TextStyle> curveStyle;
        for (const TextDraw& draw : plan.draws) {
            if (draw.text.isEmpty())
                continue;
            if (draw.curve) {
                if (draw.style != curveStyle) {
                    curveStyle = draw.style;
                    painter.setFont(curveFont(draw.style));
                    painter.setPen(draw.style.colour);
                }
                painter.setWorldTransform(QTransform()
                                              .translate(draw.curve->origin.x(), draw.curve->origin.y())
                                              .rotate(draw.curve->degrees) *
                                          scaled);
                painter.drawText(QPointF(0, 0), draw.text);
                continue;
            }
            curveStyle.reset();
            painter.setWorldTransform(scaled);
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
