#pragma once

#include <QImage>

class QIODevice;

// Writes a bitmap as an uncompressed BMP file straight from its rows: 24-bit pictures
// (QImage::Format_BGR888) already have the file's row layout, so nothing the size of the picture
// is converted or copied; 8-bit and 1-bit pictures keep their colour tables. Only the pixels are
// written, never the rows' unused padding. Returns false when the device refuses the data.
bool writeBmp(QIODevice& device, const QImage& bitmap);

// The formats writeBmp() writes.
bool writesBmp(QImage::Format format);
