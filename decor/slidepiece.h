#pragma once

#include "cover/covermode.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// The arithmetic of taking a slide: the piece each mode takes, where a dragged frame goes and
// the pixels it takes out of the source picture.

// The piece a mode takes, which is also its frame's size; nullopt for Mini Cd, which takes none.
std::optional<QSize> slidePieceSize(CoverMode mode);

// Where a control dragged by `anchor` goes when the mouse reaches `mouse` (both in the control's own
// coordinates): the Slide window's frame over its view, the added picture over the main window.
// It cannot pass the left or top edge; right and down are open.
QPoint draggedPosition(QPoint topLeft, QPoint anchor, QPoint mouse);

// The part of `source` under `rect`, as a 24-bit picture of rect's size, pixel for pixel; white
// where the rectangle lies beyond the source. Any source format; null for an empty rectangle.
QImage slidePiece(const QImage& source, QRect rect);
