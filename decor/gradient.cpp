#include "decor/gradient.h"

#include "cover/fitting.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int kBands = 256;

// One component moved `step` parts of `steps` from a towards b: signed, truncated toward zero,
// kept to its low byte.
int towards(int a, int b, int step, int steps) {
    return (a + step * (b - a) / steps) & 0xff;
}

QColor between(const QColor& first, const QColor& second, int step, int steps) {
    return QColor(towards(first.red(), second.red(), step, steps),
                  towards(first.green(), second.green(), step, steps),
                  towards(first.blue(), second.blue(), step, steps));
}

} // namespace

// The window draws the gradient at the size the picture will be fitted to, so fitting keeps it.
QSize gradientPictureSize(CoverMode mode) {
    return fitSizesFor(mode).final;
}

QColor linearBandColour(const QColor& first, const QColor& second, int band) {
    return between(first, second, band, kBands - 1);
}

BandRows linearBandRows(int height, int band) {
    return {(band * height) >> 8, ((band + 1) * height) >> 8};
}

QImage linearGradient(CoverMode mode, const QColor& first, const QColor& second) {
    return linearGradientAt(mode, first, second, gradientPictureSize(mode));
}

QImage linearGradientAt(CoverMode mode, const QColor& first, const QColor& second, QSize size) {
    const int screenHeight = gradientPictureSize(mode).height();
    std::vector<std::array<uchar, 3>> screenRows(static_cast<size_t>(screenHeight));
    for (int band = 0; band < kBands; ++band) {
        const QColor colour = linearBandColour(first, second, band);
        const BandRows rows = linearBandRows(screenHeight, band);
        std::fill(screenRows.begin() + rows.begin, screenRows.begin() + rows.end,
                  std::array{uchar(colour.blue()), uchar(colour.green()), uchar(colour.red())});
    }
    QImage picture(size, QImage::Format_BGR888);
    for (int y = 0; y < size.height(); ++y) {
        // The screen row under this row's centre: exactly y at the screen size.
        const auto& bgr = screenRows[size_t((2 * qint64(y) + 1) * screenHeight / (2 * size.height()))];
        uchar* pixel = picture.scanLine(y);
        for (int x = 0; x < size.width(); ++x, pixel += 3)
            std::copy_n(bgr.data(), 3, pixel);
    }
    return picture;
}

QColor ellipticalRingColour(const QColor& first, const QColor& second, int ring) {
    return between(first, second, 99 + ring, 322);
}

QImage ellipticalGradient(const QColor& first, const QColor& second) {
    return ellipticalGradientAt(first, second, gradientPictureSize(CoverMode::CdCover));
}

QImage ellipticalGradientAt(const QColor& first, const QColor& second, QSize canvasSize) {
    const QSize size = gradientPictureSize(CoverMode::CdCover);
    // Painted on a 32-bit picture, which every paint engine draws on directly.
    QImage canvas(canvasSize, QImage::Format_RGB32);
    if (canvas.isNull())
        return {};
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.scale(double(canvasSize.width()) / size.width(), double(canvasSize.height()) / size.height());
        for (int ring = 1; ring <= kEllipticalRings; ++ring) {
            const QColor colour = ellipticalRingColour(first, second, ring);
            // The innermost ring is 4 pixels across: filled white, its 2-pixel pen would leave a
            // white speck in the middle, so it is filled with its own colour.
            painter.setBrush(ring == kEllipticalRings ? colour : QColor(Qt::white));
            painter.setPen(QPen(colour, 2));
            painter.drawEllipse(QRectF(ring, ring, size.width() - 2 * ring, size.height() - 2 * ring));
        }
    }
    return canvas.convertToFormat(QImage::Format_BGR888);
}
