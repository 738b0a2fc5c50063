#pragma once

// The layout of a BMP file as its headers give it, checked against the file's size before any
// pixel is read. Only the BMP reader's files include this.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace bmpfile {

constexpr qint64 fileHeaderSize = 14;
constexpr qint64 largestInfoHeader = 124;

bool knownInfoSize(qint64 size);
// A little-endian field of the header; 0 where `bytes` ends first (the callers check sizes before).
quint32 u32(QByteArrayView bytes, qint64 at);

struct Masks {
    quint32 red = 0;
    quint32 green = 0;
    quint32 blue = 0;
};

// Where everything the decoders need lies in the file.
struct Layout {
    qint64 infoSize = 0;
    int bitCount = 0;
    Masks masks;      // 16 and 32 bits per pixel
    bool rle = false; // run-length coded colour indexes
    qint64 tableStart = 0;
    qint64 colours = 0; // entries in the colour table
    qint64 stride = 0;  // bytes per row in the file, or per row of indexes when run-length coded
    qint64 dataEnd = 0; // bytes of the file the decoder will look at
    qint64 offset = 0;  // where the rows start
    int width = 0;
    int height = 0;
    bool topDown = false;

    // Qt's reader is left the indexed pictures that are not run-length coded.
    bool direct() const { return bitCount >= 16; }
};

// The layout of the file whose first bytes are `head`, `fileSize` bytes long; throws the
// OrbalinError naming `path` for a file that cannot be read, or whose data would lie past its end.
Layout checkLayout(const QString& path, QByteArrayView head, qint64 fileSize);

} // namespace bmpfile
