#pragma once

#include "cover/covermode.h"

#include <QColor>
#include <QImage>
#include <QSize>

// The two-colour gradients of the Gradient window. Colours are QColor; only their red, green and
// blue count. Every picture is 24-bit (QImage::Format_BGR888).

// The size of the gradient picture the window draws for a mode: that mode's fitted cover size.
QSize gradientPictureSize(CoverMode mode);

// Band i of 256 (0 is colour 1, 255 is colour 2): each component is c1 + i * (c2 - c1) / 255 with
// signed division truncated toward zero, so 255 falling to 0 gives 254 in band 1.
QColor linearBandColour(const QColor& first, const QColor& second, int band);

// Rows [begin, end) of band i when 256 bands share `height` rows; each band is 1 or 2 rows.
struct BandRows {
    int begin;
    int end;
};
BandRows linearBandRows(int height, int band);

// The linear gradient, colour 1 at the top and colour 2 in the bottom band, 256 bands spanning
// the mode's whole picture (the Mini Cd included).
QImage linearGradient(CoverMode mode, const QColor& first, const QColor& second);

// The same picture drawn at `size`: each row takes the band of the picture's row its centre falls
// on, so the band edges land where the picture's edges land, scaled.
QImage linearGradientAt(CoverMode mode, const QColor& first, const QColor& second, QSize size);

// Ring j of 1 to 223 of the elliptical gradient: c1 + (99 + j) * (c2 - c1) / 322, truncated
// toward zero, so the outer ring already holds 100/322 of the difference and the inner one is c2.
inline constexpr int kEllipticalRings = 223;
QColor ellipticalRingColour(const QColor& first, const QColor& second, int ring);

// The elliptical gradient on the Cd Cover picture: rings drawn from the outside in, each a white
// ellipse one pixel inside the last one, outlined with a 2-pixel pen of the ring's colour; the
// innermost one is filled with colour 2, so the centre is colour 2. The corners outside the
// largest ring stay white.
QImage ellipticalGradient(const QColor& first, const QColor& second);

// The same rings drawn at `size`, each scaled from the Cd Cover picture across and down.
QImage ellipticalGradientAt(const QColor& first, const QColor& second, QSize size);
