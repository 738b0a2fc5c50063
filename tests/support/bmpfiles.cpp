#include "support/bmpfiles.h"

void put16(QByteArray& out, quint16 value) {
    out += char(value & 0xff);
    out += char(value >> 8);
}

void put32(QByteArray& out, quint32 value) {
    put16(out, quint16(value & 0xffff));
    put16(out, quint16(value >> 16));
}

QByteArray bmpFile(const BmpHeader& h, const QList<QRgb>& palette, const QByteArray& pixels) {
    QByteArray table;
    for (QRgb c : palette) {
        table += char(qBlue(c));
        table += char(qGreen(c));
        table += char(qRed(c));
        table += char(0);
    }
    QByteArray info;
    put32(info, h.infoSize);
    put32(info, quint32(h.width));
    put32(info, quint32(h.height));
    put16(info, h.planes);
    put16(info, h.bitCount);
    put32(info, h.compression);
    put32(info, quint32(pixels.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, h.colorsUsed);
    put32(info, 0);
    for (quint32 mask : h.masks) // after a 40-byte header, inside the larger ones
        put32(info, mask);
    if (info.size() < qsizetype(h.infoSize))
        info.append(QByteArray(h.infoSize - info.size(), '\0'));

    const qint64 offset = h.offset >= 0 ? h.offset : 14 + info.size() + table.size();
    QByteArray out = "BM";
    put32(out, quint32(14 + info.size() + table.size() + pixels.size()));
    put32(out, 0);
    put32(out, quint32(offset));
    return out + info + table + pixels;
}

QByteArray directRows(int bitCount, int width, const QList<quint32>& values) {
    QByteArray out;
    for (qsizetype y = values.size() / width - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < width; ++x) {
            const quint32 value = values[y * width + x];
            bitCount == 16 ? put16(row, quint16(value)) : put32(row, value);
        }
        out += row + QByteArray((4 - row.size() % 4) % 4, '\0');
    }
    return out;
}

QList<QRgb> pixelsOf(const QImage& image) {
    QList<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.append(image.pixel(x, y));
    return out;
}
