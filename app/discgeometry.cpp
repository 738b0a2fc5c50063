#include "app/discgeometry.h"

namespace disc {

namespace {
double squaredDistance(int x, int y, int centre) {
    const double dx = x - centre;
    const double dy = y - centre;
    return dx * dx + dy * dy;
}
} // namespace

bool Shape::insideDisc(int x, int y) const {
    return squaredDistance(x, y, centre) <= outerRadius * outerRadius;
}

bool Shape::insideHub(int x, int y) const {
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
    const Shape shape = shapeFor(size);
    QImage image(size, size, QImage::Format_BGR888);
    for (int y = 0; y < size; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < size; ++x) {
            const uchar value = shape.onPrintableRing(x, y) ? 0 : 255;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
        }
    }
    return image;
}

} // namespace disc
