#include "cover/glyphs.h"
#include "about/projectinfo.h"

#include <QConicalGradient>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// One small palette for every icon keeps the tool bar looking like a set.
const QColor kInk(0x2b, 0x36, 0x45);
const QColor kBlue(0x2f, 0x7f, 0xe0);
const QColor kSky(0xa8, 0xd4, 0xf7);
const QColor kOrange(0xf2, 0x94, 0x38);
const QColor kYellow(0xf6, 0xc6, 0x45);
const QColor kGreen(0x2e, 0xa8, 0x5c);
const QColor kRed(0xe0, 0x4f, 0x4f);
const QColor kPaper(0xfb, 0xfc, 0xfe);
const QColor kSilver(0xcf, 0xd7, 0xe1);
const QColor kNone;

QPixmap blank(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void smooth(QPainter& p) {
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

QPen stroke(const QColor& colour, double width = 1.5, bool dashed = false) {
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (dashed)
        pen.setDashPattern({2, 2});
    return pen;
}

// Every shape is a fill plus an optional outline; these keep each icon to a few lines.
void use(QPainter& p, const QColor& fill, const QColor& outline = kInk, double width = 1.5) {
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.setPen(outline.isValid() ? stroke(outline, width) : QPen(Qt::NoPen));
}
void shape(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& outline = kInk) {
    use(p, fill, outline);
    p.drawPath(path);
}
void box(QPainter& p, const QRectF& r, const QColor& fill, const QColor& outline = kInk, double round = 0) {
    use(p, fill, outline);
    p.drawRoundedRect(r, round, round);
}
void poly(QPainter& p, const QPolygonF& points, const QColor& fill, const QColor& outline = kInk) {
    use(p, fill, outline);
    p.drawPolygon(points);
}
void dot(QPainter& p, QPointF c, double r, const QColor& fill, const QColor& outline = kNone) {
    use(p, fill, outline);
    p.drawEllipse(c, r, r);
}
void lines(QPainter& p, const QPen& pen, std::initializer_list<QLineF> segments) {
    p.setPen(pen);
    for (const QLineF& segment : segments)
        p.drawLine(segment);
}

QPainterPath circle(QPointF centre, double radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// Text as an outline, so it scales with the painter like every other shape.
QPainterPath lettering(const QString& text, int pixelSize, QPointF centre, bool bold = true) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(centre - path.boundingRect().center());
    return path;
}

void arrowHead(QPainter& p, QPointF tip, QPointF direction, double size, const QColor& colour) {
    const QPointF d = direction / std::hypot(direction.x(), direction.y());
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * size;
    poly(p, {tip, base + n * size * 0.7, base - n * size * 0.7}, colour, kNone);
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width, double head) {
    const QPointF d = to - from;
    lines(p, stroke(colour, width), {{from, to - d / std::hypot(d.x(), d.y()) * head * 0.8}});
    arrowHead(p, to, d, head, colour);
}

// A disc seen from above: silver ring, two coloured reflections, clamp area and a real hole.
void drawDisc(QPainter& p, QPointF c, double r, const QColor& tint) {
    const QPainterPath ring = circle(c, r).subtracted(circle(c, r * 0.16));
    shape(p, ring, kSilver, kNone);
    QPainterPath shine;
    for (int start : {25, 205}) {
        shine.moveTo(c);
        shine.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), start, 55);
        shine.closeSubpath();
    }
    shape(p, shine.intersected(ring).subtracted(circle(c, r * 0.4)), tint, kNone);
    shape(p, circle(c, r * 0.4).subtracted(circle(c, r * 0.16)), kPaper, kNone);
    use(p, kNone, kInk, std::max(1.0, r * 0.09));
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, r * 0.16, r * 0.16);
}

// A small landscape: the universal sign for "a picture".
void drawPicture(QPainter& p, const QRectF& r) {
    auto at = [&r](double x, double y) {
        return QPointF(r.left() + r.width() * x, r.top() + r.height() * y);
    };
    box(p, r, kSky, kNone, 1.5);
    p.save();
    p.setClipRect(r);
    dot(p, at(0.72, 0.3), std::min(r.width(), r.height()) * 0.14, kYellow);
    poly(p, {r.bottomLeft(), at(0.35, 0.42), at(0.58, 0.72), at(0.78, 0.55), r.bottomRight()}, kGreen, kNone);
    p.restore();
    use(p, kNone, kInk, 1.4);
    p.drawRoundedRect(r, 1.5, 1.5);
}

void drawPrinter(QPainter& p, const QRectF& r) {
    auto part = [&r](double x, double y, double w, double h) {
        return QRectF(r.left() + r.width() * x, r.top() + r.height() * y, r.width() * w, r.height() * h);
    };
    box(p, part(0.22, 0, 0.56, 0.4), kPaper);
    box(p, part(0, 0.3, 1, 0.42), kInk, kInk, 2);
    dot(p, part(0.88, 0.42, 0, 0).topLeft(), 0.05 * r.width(), kGreen);
    box(p, part(0.18, 0.58, 0.64, 0.42), kPaper);
    lines(p, stroke(kBlue, 1.3),
          {{part(0.3, 0.74, 0.4, 0).topLeft(), part(0.3, 0.74, 0.4, 0).topRight()},
           {part(0.3, 0.87, 0.4, 0).topLeft(), part(0.3, 0.87, 0.4, 0).topRight()}});
}

// Polar outline: `points` corners around c, each at the radius `radiusOf(i)` gives.
template <typename Radius> QPainterPath polar(QPointF c, int points, double turn, Radius radiusOf) {
    QPolygonF outline;
    for (int i = 0; i < points; ++i) {
        const double angle = (i + turn) * 2 * std::numbers::pi / points;
        outline << c + QPointF(std::sin(angle), -std::cos(angle)) * radiusOf(i);
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

void drawGear(QPainter& p, QPointF c, double r, const QColor& fill) {
    const QPainterPath teeth = polar(c, 32, 0.5, [r](int i) { return i % 4 < 2 ? r : r * 0.72; });
    use(p, fill, kInk, 1.2);
    p.drawPath(teeth.subtracted(circle(c, r * 0.3)));
}

QPainterPath star(QPointF c, double r) {
    return polar(c, 8, 0, [r](int i) { return i % 2 ? r * 0.3 : r; });
}

void drawRotateLeft(QPainter& p) {
    const QPointF c(16, 17);
    const double r = 9.5;
    const QRectF round(c.x() - r, c.y() - r, 2 * r, 2 * r);
    QPainterPath arc;
    arc.arcMoveTo(round, 160);
    arc.arcTo(round, 160, 280);
    p.strokePath(arc, stroke(kBlue, 3));
    // The head continues the arc past its end, along the counter-clockwise tangent.
    const double end = 80 * std::numbers::pi / 180;
    const QPointF along(-std::sin(end), -std::cos(end));
    arrowHead(p, QPointF(c.x() + r * std::cos(end), c.y() - r * std::sin(end)) + along * 5.5, along, 8,
              kBlue);
}

void drawCase(QPainter& p, const QRectF& r, bool withPicture) {
    box(p, r, kPaper, kInk, 1.5);
    box(p, QRectF(r.left(), r.top(), 3.5, r.height()), kSilver);
    if (withPicture)
        drawPicture(p, r.adjusted(6, 3.5, -3, -3.5));
}

void drawGlyph(QPainter& p, Glyph which) {
    switch (which) {
    case Glyph::Open:
        poly(p, {{3, 7}, {12, 7}, {14.5, 10}, {27, 10}, {27, 26}, {3, 26}}, kOrange);
        box(p, QRectF(7, 12, 17, 10), kPaper);
        poly(p, {{7, 15}, {30, 15}, {26, 26}, {3, 26}}, kYellow);
        break;
    case Glyph::Save:
        box(p, QRectF(4, 4, 24, 24), kBlue, kInk, 2.5);
        box(p, QRectF(10, 4, 12, 8.5), kSilver);
        box(p, QRectF(17, 5.8, 2.8, 5), kInk, kNone);
        box(p, QRectF(8, 16, 16, 12), kPaper);
        lines(p, stroke(kSky, 1.3), {{11, 20, 21, 20}, {11, 24, 21, 24}});
        break;
    case Glyph::Print:
        drawPrinter(p, QRectF(3, 4, 26, 24));
        break;
    case Glyph::PrintSetup:
        drawPrinter(p, QRectF(2, 2, 22, 21));
        drawGear(p, QPointF(23, 23), 8, kOrange);
        break;
    case Glyph::Calibrate:
        dot(p, QPointF(16, 11.5), 7, kNone, kBlue);
        lines(p, stroke(kInk, 1.3), {{16, 2, 16, 21}, {5, 11.5, 27, 11.5}});
        box(p, QRectF(2, 22, 28, 8), kYellow, kInk, 1);
        p.setPen(stroke(kInk, 1.1));
        for (int i = 0; i < 8; ++i)
            p.drawLine(QPointF(5 + 3 * i, 22), QPointF(5 + 3 * i, i % 2 ? 25 : 26.8));
        break;
    case Glyph::Labels:
        drawCase(p, QRectF(11, 3, 19, 21), false);
        drawDisc(p, QPointF(12.5, 18.5), 10.5, kBlue);
        break;
    case Glyph::First:
    case Glyph::Second:
        dot(p, QPointF(16, 16), 13.5, which == Glyph::First ? kBlue : kOrange);
        shape(p, lettering(which == Glyph::First ? "1" : "2", 20, QPointF(16, 16)), kPaper, kNone);
        break;
    case Glyph::AddPicture:
        drawPicture(p, QRectF(2, 4, 24, 19));
        dot(p, QPointF(23.5, 23.5), 7, kGreen, kPaper);
        lines(p, stroke(kPaper, 2.2), {{23.5, 19.5, 23.5, 27.5}, {19.5, 23.5, 27.5, 23.5}});
        break;
    case Glyph::InsertPicture:
        drawPicture(p, QRectF(9, 10, 21, 18));
        arrow(p, QPointF(2.5, 3), QPointF(15.5, 16), kBlue, 3, 8);
        break;
    case Glyph::Clear:
        lines(p, stroke(kSilver, 1.8), {{5, 28.5, 28, 28.5}});
        p.translate(16, 16);
        p.rotate(-35);
        box(p, QRectF(-13, -6, 26, 12), kPaper, kInk, 2);
        box(p, QRectF(-13, -6, 11, 12), kRed, kInk, 2);
        break;
    case Glyph::Gradient: {
        QLinearGradient fill(4, 4, 28, 28);
        fill.setStops({{0, kBlue}, {0.55, kSky}, {1, kPaper}});
        p.setBrush(fill);
        p.setPen(stroke(kInk));
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
        break;
    }
    case Glyph::TextEffect:
        shape(p, lettering("T", 28, QPointF(18, 18)), kOrange, kNone);
        use(p, kBlue, kInk, 1);
        p.drawPath(lettering("T", 28, QPointF(15, 15)));
        break;
    case Glyph::TextBar:
        box(p, QRectF(2, 7, 28, 18), kInk, kNone, 4);
        shape(p, lettering("Tt", 15, QPointF(16, 16)), kPaper, kNone);
        break;
    case Glyph::Effects:
        use(p, kYellow, kOrange, 1.2);
        p.drawPath(star(QPointF(13, 18), 12));
        shape(p, star(QPointF(25, 7), 5.5), kBlue, kNone);
        shape(p, star(QPointF(26, 25), 4), kSky, kNone);
        break;
    case Glyph::Gallery:
        for (int i = 0; i < 4; ++i)
            drawPicture(p, QRectF(2 + 15 * (i % 2), 4 + 13 * (i / 2), 13, 11));
        break;
    case Glyph::Resize:
        p.setPen(stroke(kInk, 1.3, true));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4, 4, 24, 24));
        box(p, QRectF(4, 16, 12, 12), kBlue);
        arrow(p, QPointF(12, 20), QPointF(26, 6), kInk, 2.2, 6);
        break;
    case Glyph::ResizeAdjust:
        drawPicture(p, QRectF(8.5, 9, 15, 14));
        use(p, kNone, kBlue, 2.4);
        for (QPointF corner : {QPointF(3, 3), QPointF(29, 3), QPointF(29, 29), QPointF(3, 29)}) {
            const double sx = corner.x() < 16 ? 7 : -7, sy = corner.y() < 16 ? 7 : -7;
            p.drawPolyline(QPolygonF{corner + QPointF(0, sy), corner, corner + QPointF(sx, 0)});
        }
        break;
    case Glyph::Help:
        dot(p, QPointF(16, 16), 13.5, kBlue);
        shape(p, lettering("?", 22, QPointF(16, 16)), kPaper, kNone);
        break;
    case Glyph::Ok:
        use(p, kNone, kGreen, 4.5);
        p.drawPolyline(QPolygonF{{5, 17}, {12.5, 24.5}, {27, 8}});
        break;
    case Glyph::Cancel:
        lines(p, stroke(kRed, 4.5), {{8, 8, 24, 24}, {24, 8, 8, 24}});
        break;
    case Glyph::Bold:
        shape(p, lettering("B", 27, QPointF(16, 16)), kInk, kNone);
        break;
    case Glyph::BoldOn:
        box(p, QRectF(2, 2, 28, 28), kBlue, kNone, 5);
        shape(p, lettering("B", 23, QPointF(16, 16)), kPaper, kNone);
        break;
    case Glyph::Italic:
    case Glyph::ItalicOn:
        if (which == Glyph::ItalicOn)
            box(p, QRectF(2, 2, 28, 28), kBlue, kNone, 5);
        p.translate(16, 16);
        p.shear(-0.3, 0);
        shape(p, lettering("I", which == Glyph::ItalicOn ? 23 : 27, QPointF(0, 0)),
              which == Glyph::ItalicOn ? kPaper : kInk, kNone);
        break;
    case Glyph::TextVertical:
        p.save();
        p.translate(13, 14);
        p.rotate(90);
        shape(p, lettering("Ab", 15, QPointF(0, 0)), kInk, kNone);
        p.restore();
        arrow(p, QPointF(25, 4), QPointF(25, 29), kBlue, 2, 6);
        break;
    case Glyph::TextCenter:
    case Glyph::TextLeft:
        for (int i = 0; i < 5; ++i) {
            const double length = i % 2 ? 16 : 26;
            const double left = which == Glyph::TextLeft ? 3 : 16 - length / 2;
            const double y = 5.0 + 5.5 * i;
            lines(p, stroke(i == 0 ? kBlue : kInk, 2.6), {{left, y, left + length, y}});
        }
        break;
    case Glyph::TextAdjust:
        drawDisc(p, QPointF(16, 16), 14, kBlue);
        // Rows of text above, beside and below the hub.
        lines(p, stroke(kInk, 2), {{9, 7, 23, 7}, {9, 25, 23, 25}});
        lines(p, stroke(kInk, 2), {{5, 12, 11, 12}, {21, 12, 27, 12}, {5, 20, 11, 20}, {21, 20, 27, 20}});
        break;
    case Glyph::Reverse:
        lines(p, stroke(kInk, 1.3, true), {{16, 3, 16, 29}});
        poly(p, {{13, 8}, {13, 25}, {3, 25}}, kInk);
        poly(p, {{19, 8}, {19, 25}, {29, 25}}, kSky, kBlue);
        break;
    case Glyph::TextColour:
        shape(p, lettering("A", 22, QPointF(16, 12.5)), kInk, kNone);
        for (int i = 0; i < 3; ++i)
            box(p, QRectF(4 + 8 * i, 24, 8, 5), std::array{kRed, kYellow, kBlue}[i], kNone);
        box(p, QRectF(4, 24, 24, 5), kNone);
        break;
    case Glyph::Modify:
        p.translate(16, 16);
        p.rotate(-45);
        box(p, QRectF(-8, -3.8, 15, 7.6), kYellow);
        box(p, QRectF(-13, -3.8, 5, 7.6), kRed, kInk, 1.5);
        poly(p, {{7, -3.8}, {13.5, 0}, {7, 3.8}}, kPaper);
        poly(p, {{11.2, -1.3}, {13.8, 0}, {11.2, 1.3}}, kInk, kNone);
        break;
    case Glyph::Exit:
        box(p, QRectF(4, 3, 14, 26), kNone);
        poly(p, {{4, 3}, {12, 6}, {12, 31}, {4, 29}}, kOrange);
        dot(p, QPointF(10, 17.5), 1, kInk);
        arrow(p, QPointF(15, 16), QPointF(30, 16), kRed, 3, 7);
        break;
    case Glyph::RotateLeft:
        drawRotateLeft(p);
        break;
    case Glyph::RotateRight:
        p.translate(32, 0);
        p.scale(-1, 1);
        drawRotateLeft(p);
        break;
    case Glyph::Warning:
        poly(p, {{16, 3}, {30, 28}, {2, 28}}, kYellow);
        shape(p, lettering("!", 20, QPointF(16, 18.5)), kInk, kNone);
        break;
    case Glyph::CdCover:
        drawDisc(p, QPointF(16, 16), 14, kBlue);
        break;
    case Glyph::FrontCover:
        drawCase(p, QRectF(3, 3, 26, 26), true);
        break;
    case Glyph::BackCover:
        box(p, QRectF(2, 6, 28, 21), kPaper, kInk, 1.5);
        box(p, QRectF(2, 6, 3, 21), kBlue);
        box(p, QRectF(27, 6, 3, 21), kBlue);
        lines(p, stroke(kSilver, 1.6), {{8, 11, 24, 11}, {8, 15, 24, 15}, {8, 19, 24, 19}, {8, 23, 17, 23}});
        break;
    case Glyph::MiniCd:
        // The dashed ring is the full-size disc, for scale.
        p.setPen(stroke(kSilver, 1.2, true));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
        drawDisc(p, QPointF(16, 16), 10, kOrange);
        break;
    }
}

} // namespace

QPixmap glyph(Glyph which, int size) {
    QPixmap pixmap = blank(size, size);
    QPainter p(&pixmap);
    smooth(p);
    p.scale(size / 32.0, size / 32.0);
    drawGlyph(p, which);
    return pixmap;
}

QPixmap logo(int size) {
    QPixmap pixmap = blank(size, size);
    QPainter p(&pixmap);
    smooth(p);
    p.scale(size / 47.0, size / 47.0);
    const QPointF c(23.5, 23.5);
    auto onOrbit = [&](auto draw) {
        p.save();
        p.translate(c);
        p.rotate(-28);
        draw();
        p.restore();
    };
    // The far half of the orbit goes behind the disc, the near half in front of it.
    auto orbitHalf = [&](int start) {
        use(p, kNone, kOrange, 2.2);
        p.drawArc(QRectF(-21, -7.5, 42, 15), start * 16, 180 * 16);
    };
    onOrbit([&] { orbitHalf(0); });
    QConicalGradient sheen(c, 60);
    sheen.setStops(
        {{0, kBlue}, {0.3, QColor(0x7a, 0x5c, 0xe6)}, {0.55, QColor(0x3c, 0xc8, 0xe8)}, {1, kBlue}});
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawPath(circle(c, 16.5).subtracted(circle(c, 3.5)));
    shape(p, circle(c, 7.5).subtracted(circle(c, 3.5)), QColor(255, 255, 255, 120), kNone);
    onOrbit([&] {
        orbitHalf(180);
        use(p, kYellow, kInk, 1);
        p.drawEllipse(QPointF(-13, 5.8), 3, 3);
    });
    return pixmap;
}

QPixmap startupPicture() {
    constexpr int kSize = 400;
    const QPointF c(kSize / 2.0, kSize / 2.0);
    QPixmap pixmap = blank(kSize, kSize);
    QPainter p(&pixmap);
    smooth(p);
    p.setClipPath(circle(c, kSize / 2.0 - 0.5));

    QRadialGradient night(QPointF(150, 130), 300);
    night.setStops(
        {{0, QColor(0x24, 0x3a, 0x8c)}, {0.55, QColor(0x10, 0x16, 0x45)}, {1, QColor(0x06, 0x07, 0x1c)}});
    p.fillRect(pixmap.rect(), night);
    QConicalGradient sheen(c, 30);
    for (int i = 0; i <= 8; ++i)
        sheen.setColorAt(i / 8.0, QColor(255, 255, 255, i % 2 ? 34 : 0));
    p.fillRect(pixmap.rect(), sheen);

    // A fixed little generator: the picture must not change from run to run.
    std::uint32_t seed = 20240611;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
    };
    for (int i = 0; i < 90; ++i) {
        const QPointF at(next(kSize), next(kSize));
        const double r = 0.5 + next(10) / 8.0;
        dot(p, at, r, QColor(255, 255, 255, 90 + next(160)));
    }

    p.save();
    p.translate(c);
    p.rotate(-18);
    for (int i = 0; i < 3; ++i) {
        use(p, kNone, QColor(0xa8, 0xd4, 0xf7, 70 - 15 * i));
        p.drawEllipse(QPointF(0, 0), 120 + 32 * i, 40 + 14 * i);
    }
    dot(p, QPointF(-146, 20), 6, kOrange);
    p.restore();

    // Clamp ring and a real hole, as on the disc itself.
    shape(p, circle(c, 55).subtracted(circle(c, 20)), QColor(220, 230, 245, 60), QColor(255, 255, 255, 90));
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.drawEllipse(c, 20, 20);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    const QPainterPath title = lettering("Orbalin", 66, QPointF(200, 102));
    shape(p, title.translated(2.5, 3), QColor(0, 0, 0, 110), kNone);
    QLinearGradient shine(0, 75, 0, 130);
    shine.setStops({{0, Qt::white}, {1, kSky}});
    p.setBrush(shine);
    p.drawPath(title);
    shape(p,
          lettering(QStringLiteral("Special Edition ") + projectinfo::kVersion, 22, QPointF(200, 296), false),
          QColor(0xff, 0xc8, 0x85), kNone);

    p.setClipping(false);
    use(p, kNone, QColor(255, 255, 255, 80), 2);
    p.drawEllipse(c, kSize / 2.0 - 1.5, kSize / 2.0 - 1.5);
    return pixmap;
}

QPixmap modeStrip(int width, int height) {
    QPixmap pixmap = blank(width, height);
    QPainter p(&pixmap);
    smooth(p);
    QLinearGradient fill(0, 0, 0, height);
    fill.setStops({{0, kBlue}, {1, kInk}});
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0, 0, width, height), width / 5.0, width / 5.0);
    const double r = width * 0.16;
    for (double y = r * 3; y < height - r * 2; y += r * 4) {
        const QPointF at(width / 2.0, y);
        shape(p, circle(at, r).subtracted(circle(at, r * 0.35)), QColor(255, 255, 255, 150), kNone);
    }
    return pixmap;
}

QPixmap modeIcon(Glyph which) {
    return glyph(which, 25);
}

QPixmap statusIcon() {
    QPixmap pixmap = blank(15, 16);
    QPainter p(&pixmap);
    smooth(p);
    drawDisc(p, QPointF(7.5, 8), 6.8, kBlue);
    return pixmap;
}

QPixmap arrowPicture() {
    QPixmap pixmap = blank(35, 33);
    QPainter p(&pixmap);
    smooth(p);
    QLinearGradient fill(0, 0, 35, 0);
    fill.setStops({{0, kSky}, {1, kBlue}});
    p.setBrush(fill);
    p.setPen(stroke(kInk, 1.3));
    p.drawPolygon(QPolygonF{{3, 12}, {19, 12}, {19, 5}, {32, 16.5}, {19, 28}, {19, 21}, {3, 21}});
    return pixmap;
}
