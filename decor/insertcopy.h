#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSizeF>

// "Insert Pict.": stamping the added picture into the current picture.
//
// The stamped region is taken crosswise, the added picture's height wide and its width high, so
// a square picture goes in whole; a wide one keeps its left square, a tall one its top square.
// Where that region reaches beyond the added picture the current picture keeps its pixels.

// The region of the current picture the added picture is stamped on, before clipping: its
// top-left corner is where the added picture stands over the current one.
QRect insertionRegion(QPoint addedTopLeft, QSize addedSize, QPoint pictureTopLeft);

// The current picture with the added picture's top-left square copied in, pixel for pixel, at
// `at` (which may be negative); whatever falls outside the current picture is cut off. A 1-bit
// or 8-bit current picture becomes 24-bit (QImage::Format_BGR888) first; other formats are kept.
// An empty current or added picture, or a region entirely outside, gives the current one back.
QImage withInsertedPicture(const QImage& current, const QImage& added, QPoint at);

// The same on a picture `scale` times the cover picture's size across and down, `at` being in cover
// pixels: the added picture's square is smoothly scaled so that its corners land where the cover
// picture's corners land, scaled and rounded.
QImage withInsertedPictureAt(const QImage& current, const QImage& added, QPoint at, QSizeF scale);
