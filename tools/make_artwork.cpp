// Draws the bitmaps shipped in data/: the two disc masks and the start-up example cover; and
// writes the layout files of the Text Area's Adjust layout from the same disc.
// Usage: make_artwork FOLDER

#include "cover/discgeometry.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"
#include "text/layouttables.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace {

// A fixed generator rather than std:: distributions, whose output differs between libraries:
// the shipped file must come out byte for byte the same on every rebuild.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / double(1u << 24);
    }
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    std::uint32_t state_;
};

QPainterPath lettering(const QString& text, int pixelSize, QPointF centre, bool bold, double spacing = 100) {
    QFont font("Liberation Sans");
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setLetterSpacing(QFont::PercentageSpacing, spacing);
    QPainterPath path;
    path.addText(0, 0, font, text);
    path.translate(centre - path.boundingRect().center());
    return path;
}

void glow(QPainter& p, QPointF centre, double radius, QColor colour) {
    QRadialGradient light(centre, radius);
    light.setColorAt(0, colour);
    colour.setAlpha(0);
    light.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawEllipse(centre, radius, radius);
}

// A band of aurora-like light: a sine crest fading out downwards.
void wave(QPainter& p, double base, double amplitude, double period, double phase, const QColor& colour) {
    constexpr int kSize = disc::kCoverSize;
    QPainterPath crest;
    crest.moveTo(0, kSize);
    for (int x = 0; x <= kSize; x += 5)
        crest.lineTo(x, base + amplitude * std::sin(2 * std::numbers::pi * x / period + phase));
    crest.lineTo(kSize, kSize);
    crest.closeSubpath();
    QLinearGradient fade(0, base - amplitude, 0, base + 110);
    fade.setColorAt(0, colour);
    fade.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
    p.setPen(QPen(QColor(colour.red(), colour.green(), colour.blue(), 170), 1.2));
    p.setBrush(fade);
    p.drawPath(crest);
}

QImage exampleCover() {
    constexpr int kSize = disc::kCoverSize;
    const QPointF centre(kSize / 2.0, kSize / 2.0);
    QImage image(kSize, kSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, kSize);
    sky.setColorAt(0, QColor(0x05, 0x08, 0x22));
    sky.setColorAt(0.5, QColor(0x16, 0x1c, 0x5a));
    sky.setColorAt(0.8, QColor(0x3b, 0x1d, 0x66));
    sky.setColorAt(1, QColor(0x6a, 0x24, 0x6e));
    p.fillRect(image.rect(), sky);

    Dice dice(1006);
    for (int i = 0; i < 9; ++i) {
        const double angle = dice.between(0, 2 * std::numbers::pi);
        const double distance = dice.between(90, 200);
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * distance;
        const QColor colour = (i % 3 == 0)   ? QColor(0xf2, 0x94, 0x38, 80)
                              : (i % 3 == 1) ? QColor(0x60, 0xd0, 0xf0, 80)
                                             : QColor(0xc0, 0x70, 0xf0, 80);
        glow(p, at, dice.between(25, 60), colour);
    }

    for (int i = 0; i < 260; ++i) {
        const QPointF at(dice.between(0, kSize), dice.between(0, kSize * 0.75));
        const double r = dice.between(0.4, 1.4);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, int(dice.between(80, 255))));
        p.drawEllipse(at, r, r);
    }
    // A few bright stars with a glint, placed on the ring by hand.
    for (QPointF at : {QPointF(92, 178), QPointF(338, 150), QPointF(372, 262), QPointF(140, 62)}) {
        glow(p, at, 9, QColor(255, 255, 255, 120));
        p.setPen(QPen(QColor(255, 255, 255, 200), 1));
        p.drawLine(at - QPointF(7, 0), at + QPointF(7, 0));
        p.drawLine(at - QPointF(0, 7), at + QPointF(0, 7));
    }

    // A crescent moon: a disc with a smaller sky-coloured disc bitten out of it.
    QPainterPath moon;
    moon.addEllipse(QPointF(318, 70), 22, 22);
    QPainterPath bite;
    bite.addEllipse(QPointF(328, 62), 19, 19);
    glow(p, QPointF(318, 70), 48, QColor(0xff, 0xf0, 0xc0, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf2, 0xcc));
    p.drawPath(moon.subtracted(bite));

    wave(p, 332, 14, 260, 0.4, QColor(0x3c, 0xe0, 0xc0, 90));
    wave(p, 358, 18, 330, 2.1, QColor(0x60, 0x90, 0xf0, 90));
    wave(p, 384, 12, 200, 4.0, QColor(0xd0, 0x60, 0xe0, 100));
    wave(p, 410, 10, 290, 1.0, QColor(0xf2, 0x94, 0x38, 90));

    // Title above the hub, subtitle below it: the hub is punched out when the cover is printed.
    const QPainterPath title = lettering("Orbalin", 68, QPointF(225, 108), true);
    p.setBrush(Qt::NoBrush);
    for (int width : {16, 10, 5}) {
        p.setPen(QPen(QColor(0x80, 0xc8, 0xff, 28), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(title);
    }
    QLinearGradient shine(0, 80, 0, 135);
    shine.setColorAt(0, Qt::white);
    shine.setColorAt(1, QColor(0xa8, 0xd4, 0xf7));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(title);

    p.setBrush(QColor(0xff, 0xe2, 0xb8));
    p.drawPath(lettering("NIGHT SKY SESSIONS", 17, QPointF(225, 306), false, 125));
    return image;
}

// The example stands for a Cd Cover, so it is shown cut to the disc like a fitted picture.
QImage cutToDisc(QImage cover) {
    const QImage mask = disc::mask(cover.width());
    for (int y = 0; y < cover.height(); ++y) {
        uchar* row = cover.scanLine(y);
        const uchar* maskRow = mask.constScanLine(y);
        for (int x = 0; x < 3 * cover.width(); x += 3)
            if (maskRow[x] != 0 || maskRow[x + 1] != 0 || maskRow[x + 2] != 0)
                std::copy(maskRow + x, maskRow + x + 3, row + x);
    }
    return cover;
}

// Each record carries its row number in its first ignored field.
LayoutTables layoutTablesOfTheDisc() {
    LayoutTables tables;
    for (int row = 1; row < kTextEndRow; ++row) {
        if (isHubRow(row)) {
            const disc::HubRowSpans spans = disc::hubTextSpans(row);
            tables.splitSpanTable[row] = {{spans.left.x, row, spans.left.width, 0},
                                          {spans.right.x, 0, spans.right.width, 0}};
        } else {
            const disc::RowSpan span = disc::textSpan(row);
            tables.spanTable[row] = {span.x, row, span.width, 0};
        }
    }
    return tables;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    try {
        Picture(disc::mask(disc::kCoverSize)).saveBmp(folder.filePath("round.bmp"));
        Picture(disc::mask(disc::kMiniSize)).saveBmp(folder.filePath("round_min.bmp"));
        Picture(cutToDisc(exampleCover().convertToFormat(QImage::Format_BGR888)))
            .saveBmp(folder.filePath("exemple.bmp"));
        const LayoutTables tables = layoutTablesOfTheDisc();
        for (const LayoutFile& file : layoutFiles())
            writeLines(folder.filePath(file.name), layoutFileLines(file, tables, file.shippedRecords));
    } catch (const OrbalinError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
