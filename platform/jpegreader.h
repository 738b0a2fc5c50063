#pragma once

#include "platform/decodedrow.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

// Decodes the bytes of a JPEG file into a 24-bit bitmap (QImage::Format_BGR888) of the picture's
// own size, whatever its colour space (colour, greyscale, CMYK or YCCK).
// Throws OrbalinError naming `path` and the reason when the data is not a whole, sound JPEG
// picture within the size limit.
QImage decodeJpeg(const QByteArray& bytes, const QString& path);

// The same, telling `row` of each row as soon as it is decoded. Returns a null image when `row`
// stopped it.
QImage decodeJpeg(const QByteArray& bytes, const QString& path, const DecodedRow& row);

// The same from a file open for reading, read a piece at a time as the decoder needs it.
QImage decodeJpeg(QIODevice& file, const QString& path, const DecodedRow& row);
