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

} // namespace

// Qt's own reader is the independent judge of what was written.
TEST(BmpWriter, RowsComeBackAsWrittenWhateverTheirPadding) {
    for (const QSize size : {QSize(1, 1), QSize(2, 3), QSize(3, 2), QSize(5, 4), QSize(450, 7)}) {
        const QImage picture = numbered(size.width(), size.height());
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(writeBmp24(buffer, picture));

        const qint64 stride = (size.width() * 3 + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), 54 + stride * size.height());
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
        for (qint64 pad = size.width() * 3; pad < stride; ++pad)
            EXPECT_EQ(bytes[54 + pad], '\0');

        buffer.close();
        buffer.open(QIODevice::ReadOnly);
        const QImage read = QImageReader(&buffer, "bmp").read().convertToFormat(QImage::Format_BGR888);
        EXPECT_EQ(read, picture) << size.width() << "x" << size.height();
    }
}

TEST(BmpWriter, AFullDeviceIsReported) {
    QByteArray bytes;
    QBuffer closed(&bytes); // never opened: every write fails
    EXPECT_FALSE(writeBmp24(closed, numbered(4, 4)));
}
