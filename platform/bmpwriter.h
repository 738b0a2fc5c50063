#pragma once

#include <QImage>

class QIODevice;

// Writes a 24-bit bitmap (QImage::Format_BGR888) as a BMP file straight from its rows: its rows
// already have the file's layout, so nothing the size of the picture is converted or copied.
// Returns false when the device refuses the data.
bool writeBmp24(QIODevice& device, const QImage& bitmap);
