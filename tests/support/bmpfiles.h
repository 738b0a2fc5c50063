#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// Builds BMP files byte by byte, independently of Qt's writer and of the program's.

struct BmpHeader {
    qint32 width = 1;
    qint32 height = 1;
    quint32 infoSize = 40;
    quint16 planes = 1;
    quint16 bitCount = 24;
    quint32 compression = 0;
    quint32 colorsUsed = 0;
    QList<quint32> masks = {}; // red, green, blue (, alpha) for BI_BITFIELDS
    qint64 offset = -1;        // -1: right after the header and colour table
};

void put16(QByteArray& out, quint16 value);
void put32(QByteArray& out, quint32 value);

// The header, the colour table and `pixels` as they are.
QByteArray bmpFile(const BmpHeader& h, const QList<QRgb>& palette, const QByteArray& pixels);

// Rows of 16- or 32-bit pixel values given top row first, stored bottom row first, each row padded.
QByteArray directRows(int bitCount, int width, const QList<quint32>& values);

// The picture's colours, row by row from the top.
QList<QRgb> pixelsOf(const QImage& image);
