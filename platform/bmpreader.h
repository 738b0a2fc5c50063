#pragma once

#include "platform/decodedrow.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QFile;

// Reading BMP files. 1-, 4- and 8-bit pictures keep their colour tables; 16-, 24- and 32-bit ones,
// colour masks included, become QImage::Format_BGR888 with every channel scaled to 0..255 (alpha
// is dropped), and so do run-length coded (RLE4, RLE8) ones, through their colour tables. Other
// compressions (JPEG, PNG, CMYK) and 2- and 64-bit files are refused as not supported. Both
// readers throw OrbalinError naming `path` and the reason when they refuse.

// Whether `head` starts like a BMP file with a header type we know.
bool looksLikeBmp(const QByteArray& head);

// The bytes of a whole BMP file; they are not empty and do not hold a JPEG picture.
QImage decodeBmpBytes(const QByteArray& bytes, const QString& path);

// A BMP file opened for reading, not empty and not holding a JPEG picture. Only the bytes that
// were checked against the file's size are read, so a file cut short meanwhile is refused.
// `row` is told of each row of 16-, 24- and 32-bit and run-length coded pictures as it is read
// (other indexed ones come whole);
// a null image when it stopped the reading.
QImage readBmpFile(QFile& file, const QString& path, const DecodedRow& row = DecodedRow());
