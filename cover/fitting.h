#pragma once

#include "cover/covermode.h"

#include <QImage>
#include <QSize>

// How a picture is fitted to each kind of cover: stretched to twice the on-screen size, halved,
// for the Back Cover brought down to its final size, and for the discs cut to the disc's shape.
struct FitSizes {
    QSize stretch;
    QSize half;
    QSize final;
    bool discMask; // the mode's disc mask is laid over the result
};

FitSizes fitSizesFor(CoverMode mode);

struct FittedPicture {
    QImage stretched; // the picture at twice the on-screen size, kept as "tst.bmp"
    QImage picture;   // the fitted picture
};

// `mask` is the mode's disc mask; it is used only by the disc modes, and skipped when empty.
FittedPicture fitToCover(const QImage& source, CoverMode mode, const QImage& mask);
// The same from the picture already stretched to the mode's stretch size.
FittedPicture fitStretched(const QImage& stretched, CoverMode mode, const QImage& mask);

// The picture fitted straight to `size` (the cover printed at the printer's resolution) with the
// same filter, and for the disc modes `mask` laid over it: the disc's mask at that size
// (disc::maskAt), skipped when empty.
QImage fitAt(const QImage& source, CoverMode mode, QSize size, const QImage& mask);

// Whether a picture is large enough to take a cover-sized piece out of it (the slide frames are
// 450 × 450, or 505 × 410 for the Back Cover). There is no slide for the Mini Cd.
bool bigEnoughForSlide(CoverMode mode, QSize pictureSize);
