#pragma once

#include <QImage>
#include <QSize>

// Pixel work of fitting a picture to its cover. Every result is 24-bit (QImage::Format_BGR888).

// Scales the whole picture to exactly `size`, aspect ratio not kept. Each result pixel is the
// area-weighted mean of the source pixels it covers, so a large photograph shrinks cleanly;
// enlarging gives soft-edged blocks.
QImage stretchToSize(const QImage& source, QSize size);

// Halves a picture with a 2 x 2 box filter in which each of the four bytes is divided by four
// before they are added: four white pixels give 252, not 255. An odd last row or column is left out.
QImage halveBoxFilter(const QImage& source);

// Scales to `size` by taking for each result pixel the source pixel its top-left corner lies on.
QImage scaleNearest(const QImage& source, QSize size);

// Lays a disc mask over the picture: where the mask is black the picture shows through, elsewhere
// the mask's own pixel replaces it. Only the part both pictures cover is touched.
void stampMask(QImage& picture, const QImage& mask);
