#include "platform/bmpwriter.h"

#include <QIODevice>
#include <QtEndian>
#include <array>

namespace {

constexpr int kHeadersSize = 14 + 40;

template <typename T> void put(uchar*& at, T value) {
    qToLittleEndian<T>(value, at);
    at += sizeof(T);
}

} // namespace

bool writeBmp24(QIODevice& device, const QImage& bitmap) {
    Q_ASSERT(bitmap.format() == QImage::Format_BGR888);
    const int width = bitmap.width(), height = bitmap.height();
    const qint64 rowBytes = qint64(width) * 3;
    const qint64 stride = (rowBytes + 3) / 4 * 4;
    const qint64 fileSize = kHeadersSize + stride * height;
    if (fileSize > 0xffffffffLL)
        return false;

    std::array<uchar, kHeadersSize> headers{};
    uchar* at = headers.data();
    *at++ = 'B';
    *at++ = 'M';
    put<quint32>(at, quint32(fileSize));
    put<quint32>(at, 0);
    put<quint32>(at, kHeadersSize);
    put<quint32>(at, 40);
    put<qint32>(at, width);
    put<qint32>(at, height); // positive: rows from the bottom up
    put<quint16>(at, 1);
    put<quint16>(at, 24);
    put<quint32>(at, 0); // uncompressed
    put<quint32>(at, quint32(stride * height));
    put<qint32>(at, bitmap.dotsPerMeterX());
    put<qint32>(at, bitmap.dotsPerMeterY());
    put<quint32>(at, 0);
    put<quint32>(at, 0);
    if (device.write(reinterpret_cast<const char*>(headers.data()), kHeadersSize) != kHeadersSize)
        return false;

    // The padding of QImage's rows is never written by anyone, so it is not copied into the file.
    const char padding[3] = {};
    for (int y = height - 1; y >= 0; --y) {
        if (device.write(reinterpret_cast<const char*>(bitmap.constScanLine(y)), rowBytes) != rowBytes)
            return false;
        if (stride > rowBytes && device.write(padding, stride - rowBytes) != stride - rowBytes)
            return false;
    }
    return true;
}
