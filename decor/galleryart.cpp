#include "decor/galleryart.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace {

const QColor kInk(0x2a, 0x30, 0x3a);
const QColor kRed(0xd8, 0x45, 0x3c);
const QColor kDarkRed(0xa8, 0x2f, 0x28);
const QColor kBlue(0x2f, 0x7c, 0xdb);
const QColor kYellow(0xf3, 0xc2, 0x32);
const QColor kCoffee(0x5b, 0x38, 0x22);
const QColor kPaper(0xfd, 0xfa, 0xf2);
const QColor kSteel(0x9c, 0xa6, 0xb3);

QPen outline(const QColor& colour = kInk, double width = 1.6) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fill(QPainter& p, const QPainterPath& path, const QBrush& brush, const QPen& pen = outline()) {
    p.setPen(pen);
    p.setBrush(brush);
    p.drawPath(path);
}

void strokeLine(QPainter& p, const QPolygonF& points, const QColor& colour, double width) {
    p.setPen(outline(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
}

QPainterPath rounded(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath ellipse(QPointF centre, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

// A ring: the outer ellipse with the inner one cut out (odd-even filling).
QPainterPath ring(const QRectF& outer, const QRectF& inner) {
    QPainterPath path;
    path.addEllipse(outer);
    path.addEllipse(inner);
    return path;
}

QPointF onCircle(QPointF centre, double radius, double clockHours) {
    const double angle = clockHours / 12.0 * 2 * std::numbers::pi;
    return centre + QPointF(radius * std::sin(angle), -radius * std::cos(angle));
}

void drawComputer(QPainter& p) {
    fill(p, rounded({19, 36, 12, 6}, 1), kSteel);
    fill(p, rounded({12, 41, 26, 5}, 2), QColor(0x76, 0x80, 0x8d));
    fill(p, rounded({4, 6, 42, 31}, 3.5), QColor(0x4d, 0x56, 0x63));
    QLinearGradient screen(9, 10, 40, 32);
    screen.setColorAt(0, QColor(0x7c, 0xc6, 0xfa));
    screen.setColorAt(1, QColor(0x1d, 0x57, 0xb0));
    fill(p, rounded({8, 10, 34, 22}, 1), screen, outline(kInk, 1));
    // A glint across the screen.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawPolygon(QPolygonF({{9, 11}, {24, 11}, {13, 31}, {9, 31}}));
    p.setBrush(QColor(0x6b, 0xe0, 0x8a));
    p.drawEllipse(QPointF(25, 34.5), 1.1, 1.1);
}

void drawCoffeeMug(QPainter& p) {
    for (const double x : {16.0, 23.0, 30.0}) {
        QPainterPath steam;
        steam.moveTo(x, 12);
        steam.cubicTo(x - 3.5, 9.5, x + 3.5, 6.5, x, 3.5);
        p.setPen(outline(QColor(0xa9, 0xb2, 0xbd), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(steam);
    }
    fill(p, ring({28, 20, 16, 18}, {32, 24.5, 8, 9}), kRed);
    QPainterPath body;
    body.moveTo(7, 17);
    body.lineTo(7, 40);
    body.quadTo(7, 45, 12, 45);
    body.lineTo(31, 45);
    body.quadTo(36, 45, 36, 40);
    body.lineTo(36, 17);
    fill(p, body, kRed);
    fill(p, ellipse({21.5, 17}, 14.5, 3.6), kCoffee);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRoundedRect(QRectF(11, 23, 3.5, 17), 1.7, 1.7);
}

void drawStripedMug(QPainter& p) {
    strokeLine(p, {{27, 17}, {37, 4}}, kSteel, 2.6);
    fill(p, ring({4, 21, 15, 17}, {8, 25.5, 7, 8}), kBlue);
    QPainterPath body;
    body.moveTo(12, 18);
    body.lineTo(15, 41);
    body.quadTo(15.6, 45, 19.5, 45);
    body.lineTo(33.5, 45);
    body.quadTo(37.4, 45, 38, 41);
    body.lineTo(41, 18);
    fill(p, body, kBlue);
    p.save();
    p.setClipPath(body);
    p.fillRect(QRectF(0, 25, 50, 3.2), Qt::white);
    p.fillRect(QRectF(0, 33, 50, 3.2), Qt::white);
    p.restore();
    p.setPen(outline());
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    fill(p, ellipse({26.5, 18}, 14.5, 3.4), QColor(0xd8, 0xb0, 0x86));
}

void drawToolBox(QPainter& p) {
    const QPolygonF handle({{18, 21}, {18, 10}, {32, 10}, {32, 21}});
    strokeLine(p, handle, kInk, 5.2);
    strokeLine(p, handle, kSteel, 2.4);
    fill(p, rounded({4, 19, 42, 26}, 3), kRed);
    fill(p, rounded({4, 19, 42, 9}, 3), kDarkRed);
    fill(p, rounded({11, 24, 6, 7}, 1), kYellow);
    fill(p, rounded({33, 24, 6, 7}, 1), kYellow);
    p.setPen(outline(QColor(255, 255, 255, 80), 1.4));
    p.drawLine(QLineF(8, 40, 42, 40));
}

void drawInformation(QPainter& p) {
    fill(p, ellipse({25, 25}, 21.5, 21.5), kBlue, outline(QColor(0x1b, 0x4d, 0x96), 2));
    p.setPen(outline(QColor(255, 255, 255, 150), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(25, 25), 18.5, 18.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(25.5, 13.5), 3.6, 3.6);
    QPainterPath letter;
    letter.addRoundedRect(QRectF(22.5, 20, 6.5, 17), 1, 1);
    letter.addRoundedRect(QRectF(19.5, 20, 5, 3), 0.8, 0.8);
    letter.addRoundedRect(QRectF(19.5, 34.5, 12.5, 3.5), 0.8, 0.8);
    letter.setFillRule(Qt::WindingFill);
    p.drawPath(letter.simplified());
}

void drawHeart(QPainter& p) {
    QPainterPath heart;
    heart.moveTo(25, 45);
    heart.cubicTo(11, 34, 3, 25, 4.5, 15.5);
    heart.cubicTo(6.5, 6, 19, 4.5, 25, 13.5);
    heart.cubicTo(31, 4.5, 43.5, 6, 45.5, 15.5);
    heart.cubicTo(47, 25, 39, 34, 25, 45);
    QRadialGradient shade(QPointF(17, 15), 30);
    shade.setColorAt(0, QColor(0xff, 0x86, 0x86));
    shade.setColorAt(1, QColor(0xc9, 0x1f, 0x36));
    fill(p, heart, shade, outline(QColor(0x7a, 0x12, 0x20), 1.8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 140));
    p.save();
    p.translate(13.5, 14);
    p.rotate(-35);
    p.drawEllipse(QPointF(0, 0), 4.2, 2.4);
    p.restore();
}

void drawDie(QPainter& p, QPointF centre, double angle, std::initializer_list<QPointF> pips) {
    p.save();
    p.translate(centre);
    p.rotate(angle);
    fill(p, rounded({-12.5, -12.5, 25, 25}, 5), kPaper);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (const QPointF pip : pips)
        p.drawEllipse(pip * 6.5, 2.5, 2.5);
    p.restore();
}

void drawDice(QPainter& p) {
    drawDie(p, {31, 18.5}, 14, {{-1, -1}, {0, 0}, {1, 1}});
    drawDie(p, {19, 31.5}, -9, {{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}});
}

void drawRunner(QPainter& p) {
    const QColor body(0xee, 0x7b, 0x21);
    const QColor speed(0xb4, 0xbc, 0xc6);
    strokeLine(p, {{4, 13}, {11, 13}}, speed, 2);
    strokeLine(p, {{2, 19}, {10, 19}}, speed, 2);
    strokeLine(p, {{5, 25}, {11, 25}}, speed, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QPointF(31.5, 8.5), 5, 5);
    strokeLine(p, {{27.5, 17}, {35, 22}, {41, 16.5}}, body, 4.5);
    strokeLine(p, {{27.5, 17}, {19.5, 19}, {14.5, 25.5}}, body, 4.5);
    strokeLine(p, {{22.5, 29}, {31.5, 34.5}, {30.5, 44.5}}, body, 5);
    strokeLine(p, {{22.5, 29}, {16, 37.5}, {7.5, 36}}, body, 5);
    strokeLine(p, {{28.5, 16}, {22.5, 29}}, body, 6.5);
}

void drawEnvelope(QPainter& p) {
    fill(p, rounded({4, 11, 42, 29}, 2), kPaper);
    p.setPen(outline(kInk, 1.3));
    p.drawLine(QLineF(5, 39, 21, 26));
    p.drawLine(QLineF(45, 39, 29, 26));
    fill(p, QPainterPath([] {
             QPainterPath flap;
             flap.moveTo(4.5, 11.5);
             flap.lineTo(25, 29);
             flap.lineTo(45.5, 11.5);
             flap.closeSubpath();
             return flap;
         }()),
         QColor(0xee, 0xe3, 0xcb));
    fill(p, ellipse({25, 29}, 4.3, 4.3), kRed, outline(kDarkRed, 1.2));
}

void drawKey(QPainter& p) {
    QPainterPath key;
    key.addEllipse(QPointF(-11, 0), 10, 10);
    key.addRect(QRectF(-3, -3, 26, 6));
    key.addRect(QRectF(13, 2, 4, 7));
    key.addRect(QRectF(19, 2, 4, 5));
    key.setFillRule(Qt::WindingFill);
    key = key.simplified().subtracted(ellipse({-14, 0}, 4, 4));
    p.save();
    p.translate(24, 26);
    p.rotate(-25);
    QLinearGradient gold(0, -10, 0, 10);
    gold.setColorAt(0, QColor(0xfb, 0xd8, 0x5a));
    gold.setColorAt(1, QColor(0xd9, 0x98, 0x12));
    fill(p, key, gold, outline(QColor(0x86, 0x58, 0x0a), 1.5));
    p.setPen(outline(QColor(255, 255, 255, 130), 1.2));
    p.drawLine(QLineF(0, -1.5, 20, -1.5));
    p.restore();
}

void drawPowerButton(QPainter& p) {
    QRadialGradient shade(QPointF(20, 18), 26);
    shade.setColorAt(0, QColor(0x5b, 0x66, 0x75));
    shade.setColorAt(1, QColor(0x22, 0x28, 0x31));
    fill(p, ellipse({25, 25}, 21.5, 21.5), shade, outline(QColor(0x15, 0x19, 0x1f), 1.8));
    const QColor glow(0x4c, 0xd9, 0x72);
    p.setPen(outline(glow, 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 15, 22, 22), (90 + 38) * 16, (360 - 76) * 16);
    p.drawLine(QLineF(25, 11, 25, 24));
}

void drawMusicalNote(QPainter& p) {
    const QColor ink(0x5a, 0x36, 0xa8);
    QPainterPath notes;
    for (const QPointF head : {QPointF(14, 38.5), QPointF(35, 33.5)}) {
        QTransform tilt;
        tilt.translate(head.x(), head.y());
        tilt.rotate(-22);
        notes.addPath(tilt.map(ellipse({0, 0}, 6.8, 4.7)));
        notes.addRect(QRectF(head.x() + 4, head.y() - 29, 2.6, 29));
    }
    QPainterPath beam;
    beam.moveTo(18, 6.5);
    beam.lineTo(41.6, 1.5);
    beam.lineTo(41.6, 8);
    beam.lineTo(18, 13);
    beam.closeSubpath();
    notes.addPath(beam);
    notes.setFillRule(Qt::WindingFill);
    fill(p, notes.simplified(), ink, outline(QColor(0x2e, 0x1a, 0x5e), 1));
}

void drawClock(QPainter& p) {
    const QPointF centre(25, 25);
    fill(p, ellipse(centre, 22, 22), kBlue, outline(QColor(0x1b, 0x4d, 0x96), 1.6));
    fill(p, ellipse(centre, 18, 18), Qt::white, outline(kInk, 1));
    for (int hour = 0; hour < 12; ++hour) {
        const bool quarter = hour % 3 == 0;
        p.setPen(outline(kInk, quarter ? 2.2 : 1.3));
        p.drawLine(QLineF(onCircle(centre, quarter ? 12.5 : 14.5, hour), onCircle(centre, 16.5, hour)));
    }
    p.setPen(outline(kInk, 3));
    p.drawLine(QLineF(centre, onCircle(centre, 9, 10 + 10 / 60.0)));
    p.setPen(outline(kInk, 2.2));
    p.drawLine(QLineF(centre, onCircle(centre, 14, 2)));
    p.setPen(outline(kRed, 1.1));
    p.drawLine(QLineF(onCircle(centre, 4, 1.75), onCircle(centre, 15, 7.75)));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(centre, 2, 2);
}

struct Recipe {
    const char* name;
    void (*draw)(QPainter&);
};

constexpr Recipe kRecipes[] = {
    {"Computer", drawComputer},
    {"Coffee mug", drawCoffeeMug},
    {"Striped mug", drawStripedMug},
    {"Tool box", drawToolBox},
    {"Information", drawInformation},
    {"Heart", drawHeart},
    {"Dice", drawDice},
    {"Runner", drawRunner},
    {"Envelope", drawEnvelope},
    {"Key", drawKey},
    {"Power button", drawPowerButton},
    {"Musical note", drawMusicalNote},
    {"Clock", drawClock},
};

} // namespace

std::vector<GalleryPicture> galleryPictures() {
    std::vector<GalleryPicture> pictures;
    for (const Recipe& recipe : kRecipes) {
        QImage picture(kGalleryPictureSide, kGalleryPictureSide, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        recipe.draw(painter);
        painter.end();
        pictures.push_back({QString::fromLatin1(recipe.name), picture});
    }
    return pictures;
}

QImage galleryPreview(const QImage& picture) {
    QImage preview(kGalleryPreviewSide, kGalleryPreviewSide, QImage::Format_RGB32);
    preview.fill(Qt::white);
    QPainter painter(&preview);
    painter.drawImage(QPoint(1, 1), picture);
    painter.end();
    return preview.convertToFormat(QImage::Format_BGR888);
}
