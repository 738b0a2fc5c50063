#pragma once

#include "platform/picture.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

// Told after each row how many of how many rows are done; false cancels.
using RowProgress = std::function<bool(qint64 done, qint64 total)>;

struct OpenedPicture {
    Picture picture; // empty when the user cancelled
    // The picture stretched to the size asked for, ready for Resize; null when it could not be
    // made on the way (indexed BMP pictures come whole).
    QImage stretched;
    bool cancelled = false;
};

// Opens a JPEG or BMP picture in one pass: each row the reader delivers goes into the picture, into
// `workingFile` at its place and into the stretch to `stretchSize`, while it is still in the cache.
// `toBitmap` turns an indexed picture into a 24-bit one (JPEG and 16- to 32-bit BMP pictures are
// read as 24-bit anyway). The working file is replaced only when the whole picture was read and
// written: a refusal, a failed write or a cancel leaves it as it was.
// Throws OrbalinError naming the file and the reason when it cannot be read or written.
OpenedPicture openInOnePass(const QString& path, const QString& workingFile, QSize stretchSize, bool toBitmap,
                            const RowProgress& progress);
