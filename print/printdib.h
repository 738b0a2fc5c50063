#pragma once

#include <QImage>
#include <QtGlobal>
#include <vector>

class QPainter;

// The header of a device-independent bitmap as printers take it: 24-bit blue-green-red rows,
// bottom row first, each row padded to a multiple of four bytes.
struct DibHeader {
    qint32 biSize = 40;
    qint32 biWidth = 0;
    qint32 biHeight = 0; // positive: bottom-up
    quint16 biPlanes = 1;
    quint16 biBitCount = 24;
    quint32 biCompression = 0; // uncompressed
    quint32 biSizeImage = 0;
    qint32 biXPelsPerMeter = 0;
    qint32 biYPelsPerMeter = 0;
    quint32 biClrUsed = 0;
    quint32 biClrImportant = 0;
};

struct Dib {
    DibHeader header;
    std::vector<uchar> bits;

    qsizetype bytesPerRow() const;
};

// The header for a bitmap before its rows are read: the image size counts unpadded rows.
DibHeader dibHeaderFor(const QImage& bitmap);
// The header once the row layout is known: the image size counts rows padded to four bytes.
DibHeader completedDibHeader(const DibHeader& header);
// The bitmap as a 24-bit bottom-up DIB; a bitmap of any other format is converted first. No bits
// when the bitmap is null, too big for the header's 32-bit size, or there is no memory for them.
Dib toDib(const QImage& bitmap);

// Draws bitmaps on a printer's canvas through a DIB: the printer gets the picture at its own
// resolution and scales it to the destination rectangle itself.
class TPrintDIB {
public:
    // Draws the whole bitmap stretched into the rectangle at (x, y), width × height in the
    // canvas's units (printer dots). The bitmap itself is left as it was. Throws OrbalinError when
    // the bitmap cannot be made into a DIB (too big, or no memory for it).
    void StretchDrawDIB(QPainter& canvas, int x, int y, int width, int height, const QImage& bitmap) const;
};
