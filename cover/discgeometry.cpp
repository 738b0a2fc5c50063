#include "cover/discgeometry.h"

#include <vector>

namespace disc {

namespace {
double squaredDistance(double x, double y, int centre) {
    const double dx = x - centre;
    const double dy = y - centre;
    return dx * dx + dy * dy;
}

// Which columns of the cover lie on the printable ring in every row from `row` to the bottom of a
// line of text set on it.
std::vector<bool> columnsUnderALine(int row) {
    const Shape shape = shapeFor(kCoverSize);
    std::vector<bool> columns(kCoverSize, true);
    for (int y = row; y <= row + kTextLineReach; ++y)
        for (int x = 0; x < kCoverSize; ++x)
            if (y < 0 || y >= kCoverSize || !shape.onPrintableRing(x, y))
                columns[x] = false;
    return columns;
}

// The longest run of usable columns in [from, to), brought in from both ends by the inset.
RowSpan widestRun(const std::vector<bool>& columns, int from, int to) {
    int bestFirst = 0, bestLength = 0;
    for (int x = from; x < to;) {
        if (!columns[x]) {
            ++x;
            continue;
        }
        const int first = x;
        while (x < to && columns[x])
            ++x;
        if (x - first > bestLength) {
            bestFirst = first;
            bestLength = x - first;
        }
    }
    if (bestLength <= 2 * kTextInset)
        return {};
    return {bestFirst + kTextInset, bestLength - 2 * kTextInset};
}

} // namespace

bool Shape::insideDisc(double x, double y) const {
    return squaredDistance(x, y, centre) <= outerRadius * outerRadius;
}

bool Shape::insideHub(double x, double y) const {
    return squaredDistance(x, y, centre) <= hubRadius * hubRadius;
}

Shape shapeFor(int size) {
    Shape shape;
    shape.size = size;
    shape.centre = size / 2;
    shape.outerRadius = size / 2.0 - 0.5;
    return shape;
}

QImage mask(int size) {
    return maskAt(size, QSize(size, size));
}

// The screen's disc is centred on its middle pixel, half a pixel right of and below the picture's
// centre. Drawn for print it is centred on the picture itself, where the die-cut's centre falls:
// half a screen pixel is up to a quarter of a millimetre on the printed disc.
QImage maskAt(int screenSize, QSize size) {
    const Shape shape = shapeFor(screenSize);
    const bool onScreen = size == QSize(screenSize, screenSize);
    const double scaleX = double(size.width()) / screenSize;
    const double scaleY = double(size.height()) / screenSize;
    // Each pixel is taken, by its centre, to screen units measured from the disc's centre.
    const auto fromCentre = [&](int i, int length, double scale) {
        return onScreen ? double(i - shape.centre) : (i + 0.5 - length / 2.0) / scale;
    };
    QImage image(size, QImage::Format_BGR888);
    if (image.isNull())
        return image;
    for (int y = 0; y < size.height(); ++y) {
        const double dy = fromCentre(y, size.height(), scaleY);
        uchar* row = image.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            const double dx = fromCentre(x, size.width(), scaleX);
            const uchar value = shape.onPrintableRing(shape.centre + dx, shape.centre + dy) ? 0 : 255;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
        }
    }
    return image;
}

RowSpan textSpan(int row) {
    return widestRun(columnsUnderALine(row), 0, kCoverSize);
}

HubRowSpans hubTextSpans(int row) {
    const std::vector<bool> columns = columnsUnderALine(row);
    const int centre = shapeFor(kCoverSize).centre;
    return {widestRun(columns, 0, centre), widestRun(columns, centre, kCoverSize)};
}

} // namespace disc
