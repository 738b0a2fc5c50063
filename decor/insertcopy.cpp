#include "decor/insertcopy.h"

#include <algorithm>
#include <cstring>

QRect insertionRegion(QPoint addedTopLeft, QSize addedSize, QPoint pictureTopLeft) {
    return QRect(addedTopLeft - pictureTopLeft, addedSize.transposed());
}

QImage withInsertedPicture(const QImage& current, const QImage& added, QPoint at) {
    if (current.isNull() || added.isNull())
        return current;
    const int side = std::min(added.width(), added.height());
    const QRect target = QRect(at, QSize(side, side)).intersected(current.rect());
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
