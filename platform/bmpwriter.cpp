#include "platform/bmpwriter.h"

#include <QIODevice>
#include <QtEndian>
#include <vector>

namespace {

constexpr int kHeadersSize = 14 + 40;

template <typename T> void put(uchar*& at, T value) {
    qToLittleEndian<T>(value, at);
    at += sizeof(T);
}

int bitsPerPixel(QImage::Format format) {
    return format == QImage::Format_BGR888 ? 24 : format == QImage::Format_Indexed8 ? 8 : 1;
}

} // namespace

bool writesBmp(QImage::Format format) {
    return format == QImage::Format_BGR888 || format == QImage::Format_Indexed8 ||
           format == QImage::Format_Mono;
}

QByteArray bmpHeaders(const BmpShape& shape) {
    const qint64 stride = bmpStride(shape.width, shape.bits);
    const qint64 dataOffset = kHeadersSize + 4 * shape.colours.size();
    const qint64 fileSize = dataOffset + stride * shape.height;
    if (fileSize > 0xffffffffLL)
        return {};

    QByteArray headers(dataOffset, '\0');
    uchar* at = reinterpret_cast<uchar*>(headers.data());
    *at++ = 'B';
    *at++ = 'M';
    put<quint32>(at, quint32(fileSize));
    put<quint32>(at, 0);
    put<quint32>(at, quint32(dataOffset));
    put<quint32>(at, 40);
    put<qint32>(at, shape.width);
    put<qint32>(at, shape.height); // positive: rows from the bottom up
    put<quint16>(at, 1);
    put<quint16>(at, quint16(shape.bits));
    put<quint32>(at, 0); // uncompressed
    put<quint32>(at, quint32(stride * shape.height));
    put<qint32>(at, shape.dotsPerMeterX);
    put<qint32>(at, shape.dotsPerMeterY);
    put<quint32>(at, quint32(shape.colours.size()));
    put<quint32>(at, 0);
    for (const QRgb colour : shape.colours) {
        *at++ = uchar(qBlue(colour));
        *at++ = uchar(qGreen(colour));
        *at++ = uchar(qRed(colour));
        *at++ = 0;
    }
    return headers;
}

qint64 bmpStride(int width, int bits) {
    return ((qint64(width) * bits + 7) / 8 + 3) / 4 * 4;
}

bool writeBmp(QIODevice& device, const QImage& bitmap) {
    Q_ASSERT(writesBmp(bitmap.format()));
    const int width = bitmap.width(), height = bitmap.height();
    const int bits = bitsPerPixel(bitmap.format());
    const qint64 rowBytes = (qint64(width) * bits + 7) / 8;
    const qint64 stride = bmpStride(width, bits);
    QList<QRgb> colours = bits == 24 ? QList<QRgb>() : bitmap.colorTable();
    if (bits < 24 && colours.isEmpty()) { // a picture without a table shows its indexes as greys
        const int last = (1 << bits) - 1;
        for (int i = 0; i <= last; ++i)
            colours.append(qRgb(i * 255 / last, i * 255 / last, i * 255 / last));
    }
    const QByteArray headers =
        bmpHeaders({width, height, bits, bitmap.dotsPerMeterX(), bitmap.dotsPerMeterY(), colours});
    if (headers.isEmpty())
        return false;
    if (device.write(headers) != headers.size())
        return false;

    // A 1-bit row's last byte may hold bits past the picture's edge; they are written as zeros.
    const int spareBits = int(rowBytes * 8 - qint64(width) * bits);
    const uchar lastByteMask = uchar(0xff << spareBits);
    std::vector<char> tail(size_t(stride - rowBytes) + 1, 0);
    for (int y = height - 1; y >= 0; --y) {
        const char* row = reinterpret_cast<const char*>(bitmap.constScanLine(y));
        if (device.write(row, rowBytes - 1) != rowBytes - 1)
            return false;
        tail[0] = char(uchar(row[rowBytes - 1]) & lastByteMask);
        if (device.write(tail.data(), qint64(tail.size())) != qint64(tail.size()))
            return false;
    }
    return true;
}
