#include "decor/slidepiece.h"

#include "cover/fitting.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kBytesPerPixel = 3;
} // namespace

// The piece is a fitted picture's size: it is fitted again, to the same size, once taken.
std::optional<QSize> slidePieceSize(CoverMode mode) {
    if (mode == CoverMode::MiniCd)
        return std::nullopt;
    return fitSizesFor(mode).final;
}

QPoint draggedPosition(QPoint topLeft, QPoint anchor, QPoint mouse) {
    const QPoint moved = mouse + topLeft - anchor;
    return {std::max(moved.x(), 0), std::max(moved.y(), 0)};
}

QImage slidePiece(const QImage& source, QRect rect) {
    if (rect.isEmpty())
        return {};
    QImage piece(rect.size(), QImage::Format_BGR888);
    piece.fill(Qt::white);
    const QRect inside = rect.intersected(source.rect());
    if (inside.isEmpty())
        return piece;
    // Converting only the covered part keeps a large source from being copied whole.
    const QImage covered = source.copy(inside).convertToFormat(QImage::Format_BGR888);
    const int left = (inside.left() - rect.left()) * kBytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(inside.width()) * kBytesPerPixel;
    for (int y = 0; y < inside.height(); ++y)
        std::memcpy(piece.scanLine(inside.top() - rect.top() + y) + left, covered.constScanLine(y), rowBytes);
    return piece;
}
