#pragma once

#include "app/covermode.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// The arithmetic of taking a slide: the piece each mode takes, where a dragged frame goes and
// the pixels it takes out of the source picture.

// The piece a mode takes, which is also its frame's size; nullopt for Mini Cd, which takes none.
std::optional<QSize> slidePieceSize(CoverMode mode);

// Where a frame held at `anchor` goes when the mouse reaches `mouse` (both in the frame's own
// coordinates). Positions are relative to the view's corner, which the frame cannot pass.
QPoint draggedFramePosition(QPoint frameTopLeft, QPoint anchor, QPoint mouse);

// The part of `source` under `rect`, as a 24-bit picture of rect's size, pixel for pixel; white
// where the rectangle lies beyond the source. Any source format; null for an empty rectangle.
QImage slidePiece(const QImage& source, QRect rect);
