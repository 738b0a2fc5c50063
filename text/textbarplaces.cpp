#include "text/textbarplaces.h"

#include <algorithm>

namespace {
constexpr int kFloatingTextTopLimit = 65; // the top tool bar's last 3 pixels may be overlapped

QPoint atLeast(QPoint point, int left, int top) {
    return {std::max(point.x(), left), std::max(point.y(), top)};
}
} // namespace

QPoint floatingTextHome(QSize window, int floatingTextWidth) {
    return {window.width() / 2 - 50 - floatingTextWidth / 2, window.height() / 2 - 60};
}

QPoint textBarCentred(QSize window, int topBarHeight, QSize textBar) {
    return {window.width() / 2 - textBar.width() / 2 - 2,
            (topBarHeight / 2 + window.height() - 25) / 2 - textBar.height() / 2};
}

QRect markerBox(QRect floatingText) {
    return {floatingText.left(), floatingText.top() - floatingText.width(), floatingText.height(),
            floatingText.width()};
}

QPoint dragFloatingText(QPoint position, QPoint anchor, QPoint pointer) {
    return atLeast(position + pointer - anchor, 0, kFloatingTextTopLimit);
}

QPoint dragTextBar(QPoint position, QPoint anchor, QPoint pointer) {
    return atLeast(position + pointer - anchor, 0, 0);
}

MarkerDrag dragMarker(QRect marker, QPoint anchor, QPoint pointer) {
    const QPoint moved = marker.topLeft() + pointer - anchor;
    return {atLeast(moved, 0, 0), moved + QPoint(0, marker.height())};
}
