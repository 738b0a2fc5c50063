#include "decor/quarterturn.h"

#include <algorithm>
#include <vector>

namespace {

enum class Turn { Left, Right };

QImage turned(const QImage& picture, Turn turn) {
    if (picture.isNull())
        return picture;
    const QImage source =
        picture.format() == QImage::Format_BGR888 ? picture : picture.convertToFormat(QImage::Format_BGR888);
    const int width = source.width(), height = source.height();
    QImage result(height, width, QImage::Format_BGR888);
    if (result.isNull())
        return result;
    // Each source row is written down one column, so every result row is looked up per pixel.
    std::vector<uchar*> rows(width);
    for (int r = 0; r < width; ++r)
        rows[r] = result.scanLine(r);
    for (int y = 0; y < height; ++y) {
        const uchar* in = source.constScanLine(y);
        for (int x = 0; x < width; ++x, in += 3) {
            // Left: source column x becomes row width - 1 - x, source row y becomes column y.
            // Right: column x becomes row x, row y becomes column height - 1 - y.
            uchar* out = turn == Turn::Left ? rows[width - 1 - x] + 3 * y : rows[x] + 3 * (height - 1 - y);
            std::copy_n(in, 3, out);
        }
    }
    return result;
}

} // namespace

QImage turnedLeft(const QImage& picture) {
    return turned(picture, Turn::Left);
}

QImage turnedRight(const QImage& picture) {
    return turned(picture, Turn::Right);
}
