// JPEG files far larger than the pieces the decoder reads them in, and header checks that search
// the file a piece at a time.
#include "platform/jpegreader.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"

#include "support/jpegwriter.h"
#include "support/tempfiles.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

// Noise compresses badly, so a small picture already spans many pieces.
QImage noise(int width, int height) {
    QImage image(width, height, QImage::Format_BGR888);
    quint32 state = 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            image.scanLine(y)[x] = uchar((state = state * 1664525u + 1013904223u) >> 24);
    return image;
}

// libjpeg on its own with the whole file in memory: what the pieces must add up to.
QImage wholeFileDecode(const QByteArray& jpeg) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.constData()), jpeg.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    QImage image(int(info.output_width), int(info.output_height), QImage::Format_BGR888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

using JpegPieces = TempFiles;

TEST_F(JpegPieces, AFileReadInPiecesGivesThePixelsOfTheWholeFile) {
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const QByteArray jpeg = encodeJpeg(noise(600, 500), {.quality = 95, .progressive = progressive});
        ASSERT_GT(jpeg.size(), 4 * 64 * 1024);
        const QImage whole = wholeFileDecode(jpeg);
        EXPECT_EQ(Picture::loadJpeg(write("a.jpg", jpeg)).bitmap(), whole);
        EXPECT_EQ(Picture::loadJpeg(write("b.jpg", jpeg.chopped(2))).bitmap(), whole) << "no end marker";
        try {
            Picture::loadJpeg(write("c.jpg", jpeg.left(jpeg.size() * 3 / 4)));
            ADD_FAILURE() << "a file cut short in its last pieces opened";
        } catch (const OrbalinError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("ends before the picture data is complete")));
        }
    }
}

TEST(JpegHeaderSearch, AnAdobeMarkerHiddenByDamageIsFoundWhereverItFalls) {
    QImage square(16, 16, QImage::Format_RGB32);
    square.fill(qRgb(200, 100, 50));
    const QByteArray cmyk = encodeJpeg(square, {.colours = JpegOptions::Colours::Cmyk});
    ASSERT_EQ(cmyk.mid(2, 2), "\xff\xee");
    // A comment segment puts the Adobe marker at each place across a 16 KiB boundary; a damaged
    // comment length before it makes libjpeg skip it.
    for (int at = 16384 - 10; at <= 16384 + 1; ++at) {
        const int length = at - 4;
        QByteArray comment("\xff\xfe", 2);
        comment += char(length >> 8);
        comment += char(length & 0xff);
        comment += QByteArray(length - 2, 'c');
        QByteArray damaged = QByteArray(cmyk).insert(2, comment);
        ASSERT_EQ(damaged.mid(at, 2), "\xff\xee");
        damaged[5] = char(damaged[5] + 1); // the comment now swallows the marker's first byte
        try {
            decodeJpeg(damaged, QStringLiteral("test.jpg"));
            ADD_FAILURE() << "opened with the Adobe marker at " << at;
        } catch (const OrbalinError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("The file is damaged"))) << at;
        }
    }
}

} // namespace
