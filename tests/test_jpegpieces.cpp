// JPEG files far larger than the pieces the decoder reads them in, and header checks that search
// the file a piece at a time.
#include "platform/orbalinerror.h"
#include "platform/picture.h"

#include "support/jpegwriter.h"
#include "support/pictures.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

namespace {

using JpegPieces = TempFiles;

QString refusalOf(const QString& file) {
    try {
        Picture::loadJpeg(file);
    } catch (const OrbalinError& e) {
        return e.message();
    }
    return QStringLiteral("(opened)");
}

TEST_F(JpegPieces, AFileReadInPiecesGivesThePixelsOfTheWholeFile) {
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        // Noise compresses badly, so a small picture already spans many pieces.
        const QByteArray jpeg =
            encodeJpeg(noisePicture(600, 500, 1), {.quality = 95, .progressive = progressive});
        ASSERT_GT(jpeg.size(), 4 * 64 * 1024);
        // Qt's own reader, from the whole file in memory.
        const QImage whole = QImage::fromData(jpeg, "JPG").convertToFormat(QImage::Format_BGR888);
        EXPECT_EQ(Picture::loadJpeg(write("a.jpg", jpeg)).bitmap(), whole);
        EXPECT_EQ(Picture::loadJpeg(write("b.jpg", jpeg.chopped(2))).bitmap(), whole) << "no end marker";
        EXPECT_TRUE(refusalOf(write("c.jpg", jpeg.left(jpeg.size() * 3 / 4)))
                        .contains(QLatin1String("ends before the picture data is complete")));
    }
}

TEST_F(JpegPieces, AnAdobeMarkerHiddenByDamageIsFoundWhereverItFalls) {
    const QByteArray cmyk = encodeJpeg(gradientPicture(16, 16), {.colours = JpegOptions::Colours::Cmyk});
    ASSERT_EQ(cmyk.mid(2, 2), "\xff\xee");
    // A comment before it puts the Adobe marker at each place across a 16 KiB boundary; the
    // comment's length, one too long, makes libjpeg skip the marker.
    for (int at = 16384 - 10; at <= 16384 + 1; ++at) {
        const int length = at - 4 + 1;
        const QByteArray comment =
            QByteArray("\xff\xfe", 2) + char(length >> 8) + char(length & 0xff) + QByteArray(at - 6, 'c');
        const QString file = write(QStringLiteral("%1.jpg").arg(at), QByteArray(cmyk).insert(2, comment));
        EXPECT_TRUE(refusalOf(file).contains(QLatin1String("The file is damaged"))) << at;
    }
}

} // namespace
