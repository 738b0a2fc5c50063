#include "decor/slideframes.h"

#include "cover/discgeometry.h"
#include "decor/slidepiece.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <numbers>

namespace {
const QColor kOutline(Qt::red);
const QColor kLettering(Qt::yellow);
constexpr double kLineWidth = 4; // thick enough to find on a busy picture

QFont letteringFont(int pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// Letters stand on a circle around `centre`, tops outwards, the text's middle at the top.
void letteringOnCircle(QPainter& painter, const QString& text, QPointF centre, double baselineRadius) {
    const QFont font = letteringFont(15);
    const QFontMetricsF metrics(font);
    double angle = -metrics.horizontalAdvance(text) / baselineRadius / 2;
    for (const QChar letter : text) {
        const double advance = metrics.horizontalAdvance(letter);
        angle += advance / baselineRadius / 2;
        QPainterPath path;
        path.addText(-advance / 2, -baselineRadius, font, QString(letter));
        painter.save();
        painter.translate(centre);
        painter.rotate(angle * 180 / std::numbers::pi);
        painter.fillPath(path, kLettering);
        painter.restore();
        angle += advance / baselineRadius / 2;
    }
}

void cdBadge(QPainter& painter, QSizeF size) {
    const disc::Shape shape = disc::shapeFor(static_cast<int>(size.width()));
    const QPointF centre(size.width() / 2, size.height() / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOutline);
    // The badge covers the hub, the part of the disc that never shows a picture.
    painter.drawEllipse(centre, shape.hubRadius, shape.hubRadius);
    const double capHeight = QFontMetricsF(letteringFont(15)).capHeight();
    letteringOnCircle(painter, QStringLiteral("MOVE CIRCLE HERE ..."), centre,
                      shape.hubRadius - capHeight - kLineWidth);
}

void labelBadge(QPainter& painter, QSizeF size, const QStringList& lines) {
    const QFont font = letteringFont(16);
    const QFontMetricsF metrics(font);
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const QSizeF badge(widest + 24, metrics.lineSpacing() * lines.size() + 14);
    const QRectF area(QPointF(size.width() - badge.width(), size.height() - badge.height()) / 2, badge);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOutline);
    painter.drawRoundedRect(area, 8, 8);
    painter.setFont(font);
    painter.setPen(kLettering);
    painter.drawText(area, Qt::AlignCenter, lines.join(QLatin1Char('\n')));
}
} // namespace

QImage slideFrame(CoverMode mode) {
    const std::optional<QSize> size = slidePieceSize(mode);
    if (!size)
        return {};
    QImage frame(*size, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    // The outline lies wholly inside the image, its outer edge on the image's border.
    const QRectF outline = QRectF(QPointF(0, 0), QSizeF(*size))
                               .adjusted(kLineWidth / 2, kLineWidth / 2, -kLineWidth / 2, -kLineWidth / 2);
    painter.setPen(QPen(kOutline, kLineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    switch (mode) {
    case CoverMode::CdCover:
        painter.drawEllipse(outline);
        cdBadge(painter, QSizeF(*size));
        break;
    case CoverMode::FrontCover:
        painter.drawRect(outline);
        labelBadge(painter, QSizeF(*size), {QStringLiteral("MOVE"), QStringLiteral("SQUARE HERE...")});
        break;
    case CoverMode::BackCover:
        painter.drawRect(outline);
        labelBadge(painter, QSizeF(*size), {QStringLiteral("MOVE"), QStringLiteral("RECTANGLE HERE...")});
        break;
    case CoverMode::MiniCd:
        break;
    }
    return frame;
}
