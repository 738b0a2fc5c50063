#pragma once

#include "cover/textplan.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

class QPainter;

// How wide the floating text stays with an empty caption, so that it can still be seen and taken.
inline constexpr int kEmptyStampWidth = 16;

// The font a stamp is drawn in: sized in pixels, so that neither the screen's nor the picture's
// resolution changes it, and never italic, underlined or struck out.
QFont stampFont(const TextStamp& stamp);

// The straight caption's box, which is what the floating text takes on the screen: as wide as the
// caption's advance (or its ink, when that reaches further), as high as the font's cell.
QSize stampSize(const TextStamp& stamp);

// What a stamp with its corner at `corner` covers. Straight, the caption's box hangs down and right
// of the corner; reversed, the box stands on the corner turned, its sides swapped: the box of the
// vertical text marker.
QRect stampBox(const TextStamp& stamp, QPoint corner);

// Draws the caption's glyphs, without a background, cut to stampBox(stamp, corner).
void drawStamp(QPainter& painter, const TextStamp& stamp, QPoint corner);

// Stamps the caption into the picture with its corner at `corner`, in picture pixels; what falls
// outside the picture is cut. An empty caption or a null picture leaves the picture untouched; a
// picture with a colour table becomes QImage::Format_BGR888 first.
void stampText(QImage& picture, const TextStamp& stamp, QPoint corner);

// The same on a picture `scale` times the cover picture's size across and down: the corner and the
// box stay in cover pixels and the painter scales them, so the glyphs are drawn at the picture's
// own resolution.
void stampTextAt(QImage& picture, const TextStamp& stamp, QPoint corner, QSizeF scale);
