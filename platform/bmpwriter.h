#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

class QIODevice;

// Writes a bitmap as an uncompressed BMP file straight from its rows: 24-bit pictures
// (QImage::Format_BGR888) already have the file's row layout, so nothing the size of the picture
// is converted or copied; 8-bit and 1-bit pictures keep their colour tables. Only the pixels are
// written, never the rows' unused padding. Returns false when the device refuses the data.
bool writeBmp(QIODevice& device, const QImage& bitmap);

// The formats writeBmp() writes.
bool writesBmp(QImage::Format format);

// What a BMP file's headers describe: an uncompressed picture stored from the bottom up.
struct BmpShape {
    int width = 0;
    int height = 0;
    int bits = 24;
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
    QList<QRgb> colours; // the colour table, empty for 24 bits
};

// The file and info headers and the colour table, the rows start right after them; empty when the
// file would outgrow the 4 GB a BMP file can describe.
QByteArray bmpHeaders(const BmpShape& shape);

// Bytes per row in a BMP file: the pixels padded to a multiple of four.
qint64 bmpStride(int width, int bits);
