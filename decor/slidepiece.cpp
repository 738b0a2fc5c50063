#include "decor/slidepiece.h"

#include "app/discgeometry.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr QSize kBackPiece(505, 410);
constexpr int kBytesPerPixel = 3;
} // namespace

std::optional<QSize> slidePieceSize(CoverMode mode) {
    switch (mode) {
    case CoverMode::CdCover:
    case CoverMode::FrontCover:
        return QSize(disc::kCoverSize, disc::kCoverSize);
    case CoverMode::BackCover:
        return kBackPiece;
    case CoverMode::MiniCd:
        break;
    }
    return std::nullopt;
}

QPoint draggedFramePosition(QPoint frameTopLeft, QPoint anchor, QPoint mouse) {
    const QPoint moved = mouse + frameTopLeft - anchor;
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
