#include "decor/insertcopy.h"

#include <algorithm>
#include <cstring>

QRect insertionRegion(QPoint addedTopLeft, QSize addedSize, QPoint pictureTopLeft) {
    return QRect(addedTopLeft - pictureTopLeft, addedSize.transposed());
}

namespace {

// The current picture with the top-left `size` of `added` copied in at `at`, cut to the picture.
QImage withCopyIn(const QImage& current, const QImage& added, QPoint at, QSize size) {
    const QRect target = QRect(at, size).intersected(current.rect());
    if (target.isEmpty())
        return current;

    // Pictures of fewer than 16 bits a pixel hold a palette the stamp's colours may not be in.
    QImage result = current.depth() < 16 ? current.convertToFormat(QImage::Format_BGR888) : current;
    const QImage stamp =
        added.copy(QRect(target.topLeft() - at, target.size())).convertToFormat(result.format());
    const int bytesPerPixel = result.depth() / 8;
    const size_t rowBytes = size_t(target.width()) * bytesPerPixel;
    for (int y = 0; y < target.height(); ++y)
        std::memcpy(result.scanLine(target.top() + y) + target.left() * bytesPerPixel, stamp.constScanLine(y),
                    rowBytes);
    return result;
}

} // namespace

QImage withInsertedPicture(const QImage& current, const QImage& added, QPoint at) {
    return withInsertedPictureAt(current, added, at, QSizeF(1, 1));
}

QImage withInsertedPictureAt(const QImage& current, const QImage& added, QPoint at, QSizeF scale) {
    if (current.isNull() || added.isNull())
        return current;
    const int side = std::min(added.width(), added.height());
    const auto scaled = [scale](QPoint p) {
        return QPoint(qRound(p.x() * scale.width()), qRound(p.y() * scale.height()));
    };
    const QRect target(scaled(at), scaled(at + QPoint(side, side)) - QPoint(1, 1));
    if (target.isEmpty())
        return current;
    QImage piece = added;
    if (target.size() != QSize(side, side))
        piece = added.copy(0, 0, side, side)
                    .scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return withCopyIn(current, piece, target.topLeft(), target.size());
}
