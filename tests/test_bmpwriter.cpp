#include "platform/bmpwriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QImage numbered(int width, int height) {
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(x * 7 % 256, y * 13 % 256, (x + y) % 256));
    return image;
}

// Rows deliberately dirty past the picture's edge: none of it may reach the file.
QImage dirtyIndexed(int width, int height, QImage::Format format) {
    QImage image(width, height, format);
    image.fill(0xff);
    const int colours = format == QImage::Format_Mono ? 2 : 3;
    const QList<QRgb> table = {qRgb(250, 0, 0), qRgb(0, 0, 250), qRgb(10, 200, 10)};
    image.setColorTable(table.mid(0, colours));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint((x + 2 * y) % colours));
    return image;
}

QByteArray written(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeBmp(buffer, picture));
    return bytes;
}

// Qt's own reader is the independent judge of what was written.
QImage readBack(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "bmp").read();
}

} // namespace

TEST(BmpWriter, RowsComeBackAsWrittenWithZeroPadding) {
    const struct {
        QImage picture;
        int bits;
        int tableSize;
    } cases[] = {
        {numbered(1, 1), 24, 0},
        {numbered(2, 3), 24, 0},
        {numbered(5, 4), 24, 0},
        {numbered(450, 7), 24, 0},
        {dirtyIndexed(5, 3, QImage::Format_Indexed8), 8, 3},
        {dirtyIndexed(11, 3, QImage::Format_Mono), 1, 2},
        {dirtyIndexed(33, 2, QImage::Format_Mono), 1, 2},
    };
    for (const auto& c : cases) {
        const QImage& picture = c.picture;
        const QByteArray bytes = written(picture);
        const qint64 rowBytes = (qint64(picture.width()) * c.bits + 7) / 8;
        const qint64 stride = (rowBytes + 3) / 4 * 4;
        const qint64 offset = 54 + 4 * c.tableSize;
        ASSERT_EQ(bytes.size(), offset + stride * picture.height()) << c.bits;
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 10), quint32(offset));
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), c.bits);
        for (int row = 0; row < picture.height(); ++row) {
            for (qint64 pad = rowBytes; pad < stride; ++pad)
                EXPECT_EQ(bytes[offset + row * stride + pad], '\0');
            if (c.bits == 1 && picture.width() % 8) { // bits past the edge are cleared
                EXPECT_EQ(
                    uchar(bytes[offset + row * stride + rowBytes - 1]) & (0xff >> (picture.width() % 8)), 0);
            }
        }
        const QImage read = readBack(bytes);
        ASSERT_EQ(read.size(), picture.size());
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_EQ(read.pixel(x, y), picture.pixel(x, y)) << c.bits << " bits at " << x << "," << y;
    }
}

TEST(BmpWriter, APictureWithoutColourTableIsWrittenInGreys) {
    QImage indexes(4, 1, QImage::Format_Indexed8);
    for (int x = 0; x < 4; ++x)
        indexes.scanLine(0)[x] = uchar(x * 85);
    const QImage read = readBack(written(indexes));
    EXPECT_EQ(QColor(read.pixel(0, 0)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(read.pixel(3, 0)), QColor(255, 255, 255));
}

TEST(BmpWriter, AFullDeviceIsReported) {
    QByteArray bytes;
    QBuffer closed(&bytes); // never opened: every write fails
    EXPECT_FALSE(writeBmp(closed, numbered(4, 4)));
}
