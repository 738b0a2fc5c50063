#include "platform/orbalinerror.h"
#include "platform/picture.h"

#include "support/bmpfiles.h"
#include "support/tempfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <bit>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

// 24-bit rows in file order: blue, green, red per pixel, each row padded to 4 bytes.
QByteArray rows24(int width, int height, bool topDown, const std::function<QRgb(int, int)>& colorAt) {
    QByteArray out;
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? i : height - 1 - i;
        for (int x = 0; x < width; ++x) {
            const QRgb c = colorAt(x, y);
            out += char(qBlue(c));
            out += char(qGreen(c));
            out += char(qRed(c));
        }
        out.append(QByteArray((4 - width * 3 % 4) % 4, '\0'));
    }
    return out;
}

QRgb sampleColor(int x, int y) {
    return qRgb(10 + 40 * x, 200 - 30 * y, 7 * x + 11 * y);
}

using PictureFiles = TempFiles;

TEST_F(PictureFiles, Bgr888RoundTripKeepsPixelsAndFormatAcrossRowPadding) {
    for (const QSize size : {QSize(3, 2), QSize(5, 3), QSize(4, 1), QSize(1, 4)}) {
        QImage image(size, QImage::Format_BGR888);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, sampleColor(x, y));
        const QString file = path(QStringLiteral("round.bmp"));
        Picture(image).saveBmp(file);

        const QByteArray bytes = contents(file);
        ASSERT_GE(bytes.size(), 30);
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24) << "written as 24-bit";

        const Picture back = Picture::loadBmp(file);
        ASSERT_EQ(back.bitmap().format(), QImage::Format_BGR888);
        ASSERT_EQ(back.bitmap().size(), size);
        for (int y = 0; y < size.height(); ++y)
            EXPECT_EQ(0, memcmp(back.bitmap().constScanLine(y), image.constScanLine(y), size.width() * 3))
                << size.width() << "x" << size.height() << " row " << y;
    }
}

TEST_F(PictureFiles, Rgb32PictureIsSavedAs24BitAndReadsBackAsBgr888) {
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, sampleColor(x, y));
    const QString file = path(QStringLiteral("rgb32.bmp"));
    Picture(image).saveBmp(file);
    const QImage back = Picture::loadBmp(file).bitmap();
    ASSERT_EQ(back.format(), QImage::Format_BGR888);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(back.pixel(x, y), sampleColor(x, y)) << x << "," << y;
}

TEST_F(PictureFiles, IndexedPicturesRoundTripWithTheirColourTables) {
    QImage mono(11, 3, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mono.fill(0); // the row padding too: the writer copies whole rows
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.fill(0);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(40, 50, 60), qRgb(200, 100, 0), qRgb(9, 9, 250)});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 11; ++x)
            mono.setPixel(x, y, (x * 3 + y) % 2);
        for (int x = 0; x < 5; ++x)
            indexed.setPixel(x, y, (x + 2 * y) % 4);
    }
    for (const QImage& image : {mono, indexed}) {
        const QString file = path(QStringLiteral("indexed.bmp"));
        Picture(image).saveBmp(file);
        const QImage back = Picture::loadBmp(file).bitmap();
        EXPECT_EQ(back.depth(), image.depth());
        if (image.depth() == 1)
            EXPECT_TRUE(back.format() == QImage::Format_Mono || back.format() == QImage::Format_MonoLSB);
        else
            EXPECT_EQ(back.format(), QImage::Format_Indexed8);
        ASSERT_EQ(back.size(), image.size());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                EXPECT_EQ(back.pixelIndex(x, y), image.pixelIndex(x, y)) << x << "," << y;
                EXPECT_EQ(back.pixel(x, y), image.pixel(x, y)) << x << "," << y;
            }
    }
}

TEST_F(PictureFiles, HandBuilt24BitFilesDecodeBottomUpAndTopDown) {
    for (const bool topDown : {false, true}) {
        const BmpHeader header{.width = 3, .height = topDown ? -2 : 2};
        const QString file =
            write(QStringLiteral("hand.bmp"), bmpFile(header, {}, rows24(3, 2, topDown, sampleColor)));
        const QImage image = Picture::loadBmp(file).bitmap();
        ASSERT_EQ(image.format(), QImage::Format_BGR888);
        ASSERT_EQ(image.size(), QSize(3, 2));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(image.pixel(x, y), sampleColor(x, y))
                    << (topDown ? "top-down " : "bottom-up ") << x << "," << y;
    }
}

TEST_F(PictureFiles, EveryHeaderVersionPlacesPaletteAndPixelsAlike) {
    const QList<QRgb> palette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (const quint32 infoSize : {40u, 52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(infoSize);
        BmpHeader header{.width = 5, .height = 3, .infoSize = infoSize};
        const QString file = write(QStringLiteral("v%1.bmp").arg(infoSize),
                                   bmpFile(header, {}, rows24(5, 3, false, sampleColor)));
        const QImage image = Picture::loadBmp(file).bitmap();
        ASSERT_EQ(image.size(), QSize(5, 3));
        EXPECT_EQ(image.format(), QImage::Format_BGR888);
        EXPECT_EQ(image.pixel(4, 2), sampleColor(4, 2));
        EXPECT_EQ(image.pixel(0, 0), sampleColor(0, 0));

        // The same size as 8-bit indexes (x + y) % 3: rows of 5 bytes padded to 8, bottom row first.
        header.bitCount = 8;
        header.colorsUsed = 3;
        QByteArray indexes;
        for (int y = 2; y >= 0; --y)
            for (int x = 0; x < 8; ++x)
                indexes += char(x < 5 ? (x + y) % 3 : 0);
        const QString indexed =
            write(QStringLiteral("i%1.bmp").arg(infoSize), bmpFile(header, palette, indexes));
        const QImage indexedImage = Picture::loadBmp(indexed).bitmap();
        ASSERT_EQ(indexedImage.format(), QImage::Format_Indexed8);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(indexedImage.pixel(x, y), palette[(x + y) % 3]) << x << "," << y;
    }
}

TEST_F(PictureFiles, BitfieldPicturesDecodeWithMasksAfterOrInsideTheHeader) {
    // 32-bit pixels stored red, green, blue, unused: the reverse of the usual order, so the masks matter.
    QByteArray pixels;
    for (int x = 0; x < 3; ++x) {
        const QRgb c = sampleColor(x, 0);
        pixels += char(qRed(c));
        pixels += char(qGreen(c));
        pixels += char(qBlue(c));
        pixels += char(0);
    }
    for (const quint32 infoSize : {40u, 52u, 56u, 124u}) {
        SCOPED_TRACE(infoSize);
        const BmpHeader header{.width = 3,
                               .infoSize = infoSize,
                               .bitCount = 32,
                               .compression = 3,
                               .masks = {0x000000ff, 0x0000ff00, 0x00ff0000}};
        const QString file = write(QStringLiteral("b%1.bmp").arg(infoSize), bmpFile(header, {}, pixels));
        const QImage image = Picture::loadBmp(file).bitmap();
        ASSERT_EQ(image.size(), QSize(3, 1));
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(image.pixel(x, 0), sampleColor(x, 0)) << x;
    }
}

TEST_F(PictureFiles, IndexesPastAShortColourTableStillHaveAColour) {
    const BmpHeader header{.width = 4, .bitCount = 8, .colorsUsed = 2};
    const QString file =
        write(QStringLiteral("short.bmp"),
              bmpFile(header, {qRgb(255, 0, 0), qRgb(0, 255, 0)}, QByteArray("\x00\x01\x05\x01", 4)));
    const QImage image = Picture::loadBmp(file).bitmap();
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_GT(image.colorCount(), 5);
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));

    // A 1-bit file listing one colour, with pixels of both indexes (1 then 0).
    const BmpHeader monoHeader{.width = 2, .bitCount = 1, .colorsUsed = 1};
    const QString mono = write(QStringLiteral("mono.bmp"),
                               bmpFile(monoHeader, {qRgb(255, 0, 0)}, QByteArray("\x80\x00\x00\x00", 4)));
    const QImage monoImage = Picture::loadBmp(mono).bitmap();
    ASSERT_EQ(monoImage.depth(), 1);
    EXPECT_EQ(monoImage.colorCount(), 2);
    EXPECT_EQ(monoImage.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(monoImage.pixel(1, 0), qRgb(255, 0, 0));
}

TEST_F(PictureFiles, PixelCapIsAtExactly128Megapixels) {
    BmpHeader header{.width = 16384, .height = 8192, .bitCount = 1};
    const QList<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    QByteArray pixels(qsizetype(16384 / 8) * 8192, '\xff');
    const QString atCap = write(QStringLiteral("atcap.bmp"), bmpFile(header, palette, pixels));
    const QImage image = Picture::loadBmp(atCap).bitmap();
    ASSERT_EQ(image.size(), QSize(16384, 8192));
    EXPECT_EQ(image.pixel(16383, 8191), qRgb(255, 255, 255));

    header.height = 8193;
    pixels.append(QByteArray(16384 / 8, '\xff'));
    const QString overCap = write(QStringLiteral("overcap.bmp"), bmpFile(header, palette, pixels));
    EXPECT_THROW(Picture::loadBmp(overCap), OrbalinError);
}

TEST_F(PictureFiles, NarrowAndWideChannelsReachFullWhite) {
    struct Case {
        const char* name;
        BmpHeader header;
        QList<quint32> values; // three pixels in one row
        QList<QRgb> expected;
    };
    const std::vector<Case> cases = {
        // 5 bits: 31 is white, 16 is 16 × 255 / 31 = 131.6, 1 is 8.2.
        {"555",
         {.width = 3, .bitCount = 16},
         {0x7fff, 16u << 10 | 16u << 5 | 16u, 1u << 10},
         {qRgb(255, 255, 255), qRgb(132, 132, 132), qRgb(8, 0, 0)}},
        // 6-bit green: 32 is 32 × 255 / 63 = 129.5.
        {"565",
         {.width = 3, .bitCount = 16, .compression = 3, .masks = {0xf800, 0x07e0, 0x001f}},
         {0xffff, 31u << 11 | 32u << 5, 63u << 5},
         {qRgb(255, 255, 255), qRgb(255, 130, 0), qRgb(0, 255, 0)}},
        // 10 bits, alpha ignored: 1023 is white, 512 is 127.6, 1 is 0.25.
        {"10-10-10-2",
         {.width = 3,
          .infoSize = 108,
          .bitCount = 32,
          .compression = 3,
          .masks = {0x3ff00000, 0x000ffc00, 0x000003ff, 0xc0000000}},
         {0x3fffffff, 512u << 20 | 1u << 10 | 1023u, 0xc0000000},
         {qRgb(255, 255, 255), qRgb(128, 0, 255), qRgb(0, 0, 0)}},
    };
    for (const Case& c : cases) {
        const QImage image =
            Picture::decodeBmp(bmpFile(c.header, {}, directRows(c.header.bitCount, 3, c.values)), c.name)
                .bitmap();
        EXPECT_EQ(image.format(), QImage::Format_BGR888) << c.name;
        EXPECT_EQ(pixelsOf(image), c.expected) << c.name;
    }
}

// Where a layout keeps each channel; the reader must find the same from the masks alone.
struct Field {
    int shift;
    int bits;
    quint32 max() const { return quint32((quint64(1) << bits) - 1); }
    // value × 255 / max, rounded, in floating point rather than the reader's integers.
    int reference(quint32 value) const { return int(std::lround(value * 255.0 / max())); }
};

struct MaskLayout {
    const char* name;
    BmpHeader header;
    Field red, green, blue;
    quint32 unused = 0; // bits outside the colour fields, set in every pixel
};

TEST_F(PictureFiles, EveryBitfieldLayoutScalesChannelsLikeTheReference) {
    const QList<quint32> masks565 = {0xf800, 0x07e0, 0x001f};
    const std::vector<MaskLayout> layouts = {
        {"555 without masks", {.bitCount = 16}, {10, 5}, {5, 5}, {0, 5}, 0x8000},
        {"555, masks in the header ignored",
         {.infoSize = 124, .bitCount = 16, .masks = masks565},
         {10, 5},
         {5, 5},
         {0, 5}},
        {"565 after the header",
         {.bitCount = 16, .compression = 3, .masks = masks565},
         {11, 5},
         {5, 6},
         {0, 5}},
        {"red in the low bits",
         {.infoSize = 108, .bitCount = 16, .compression = 3, .masks = {0x1f, 0x7e0, 0xf800}},
         {0, 5},
         {5, 6},
         {11, 5}},
        {"4444 with alpha",
         {.bitCount = 16, .compression = 6, .masks = {0xf00, 0xf0, 0xf, 0xf000}},
         {8, 4},
         {4, 4},
         {0, 4},
         0xf000},
        {"one bit each",
         {.infoSize = 52, .bitCount = 16, .compression = 3, .masks = {4, 2, 1}},
         {2, 1},
         {1, 1},
         {0, 1},
         0xfff8},
        {"32 bits without masks", {.bitCount = 32}, {16, 8}, {8, 8}, {0, 8}, 0xff000000},
        {"20-bit red",
         {.infoSize = 56, .bitCount = 32, .compression = 3, .masks = {0xfffff000, 0xfc0, 0x3f, 0}},
         {12, 20},
         {6, 6},
         {0, 6}},
    };
    for (const MaskLayout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        const Field& R = layout.red;
        const Field& G = layout.green;
        const Field& B = layout.blue;
        // 3 × 2 pixels: white, each channel alone, a middle value and one step, black.
        const quint32 channels[][3] = {
            {R.max(), G.max(), B.max()},       {R.max(), 0, 0}, {0, G.max(), 0}, {0, 0, B.max()},
            {R.max() / 2 + 1, G.max() / 2, 1}, {0, 0, 0}};
        QList<quint32> values;
        QList<QRgb> expected;
        for (const auto& [r, g, b] : channels) {
            values.append(r << R.shift | g << G.shift | b << B.shift | layout.unused);
            expected.append(qRgb(R.reference(r), G.reference(g), B.reference(b)));
        }
        BmpHeader header = layout.header;
        header.width = 3;
        header.height = 2;
        const QByteArray bytes = bmpFile(header, {}, directRows(header.bitCount, 3, values));
        const QImage image = Picture::decodeBmp(bytes, QStringLiteral("fields.bmp")).bitmap();
        ASSERT_EQ(image.format(), QImage::Format_BGR888);
        EXPECT_EQ(pixelsOf(image), expected);
        EXPECT_EQ(image, Picture::loadBmp(write(QStringLiteral("fields.bmp"), bytes)).bitmap());
    }
}

// A wider picture is refused by its width before the data is looked at (wide.bmp below): Qt holds
// no wider 24-bit row. The memory of the widest is taken but never touched.
TEST(PictureLimits, TheWidestPictureIsTheWidestRowQtHolds) {
    EXPECT_FALSE(QImage(int(kMaxPictureWidth), 1, QImage::Format_BGR888).isNull());
    EXPECT_TRUE(QImage(int(kMaxPictureWidth) + 1, 1, QImage::Format_BGR888).isNull());
}

// Every value of a channel against (value × 255 + max / 2) / max: the nearest of the 256 levels.
TEST(BmpChannels, EveryValueOfAnOddWidthChannelGoesToTheNearestLevel) {
    struct Case {
        const char* name;
        BmpHeader header;
        int channel; // 0 red, 1 green, 2 blue
    };
    const std::vector<Case> cases = {
        {"5-bit blue", {.bitCount = 16, .compression = 3, .masks = {0xf800, 0x07e0, 0x001f}}, 2},
        {"6-bit green", {.bitCount = 16, .compression = 3, .masks = {0xf800, 0x07e0, 0x001f}}, 1},
        {"11-bit red", {.bitCount = 16, .compression = 3, .masks = {0xffe0, 0x001c, 0x0003}}, 0},
        {"7-bit blue", {.bitCount = 32, .compression = 3, .masks = {0x3ff00000, 0x000ff800, 0x0000007f}}, 2},
        {"10-bit red", {.bitCount = 32, .compression = 3, .masks = {0x3ff00000, 0x000ff800, 0x0000007f}}, 0},
    };
    for (Case c : cases) {
        const quint32 mask = c.header.masks[c.channel];
        const int shift = std::countr_zero(mask);
        const quint32 max = mask >> shift;
        QList<quint32> values;
        for (quint32 value = 0; value <= max; ++value)
            values.append(value << shift);
        c.header.width = qint32(max + 1);
        const QImage image =
            Picture::decodeBmp(bmpFile(c.header, {}, directRows(c.header.bitCount, c.header.width, values)),
                               QStringLiteral("levels.bmp"))
                .bitmap();
        for (quint32 value = 0; value <= max; ++value) {
            const QRgb pixel = image.pixel(int(value), 0);
            const int levels[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
            ASSERT_EQ(levels[c.channel], int((value * 255 + max / 2) / max)) << c.name << " value " << value;
        }
    }
}

// The whole message for a file that is refused, or a note that it was not.
QString refusalOf(const QByteArray& bytes) {
    try {
        Picture::decodeBmp(bytes, QStringLiteral("x.bmp"));
    } catch (const OrbalinError& e) {
        return QString(e.message()).remove(QStringLiteral("The picture \"x.bmp\" cannot be opened. "));
    }
    return QStringLiteral("(accepted)");
}

TEST(BmpRefusals, ValidFilesWeDoNotReadAreNamedNotSupported) {
    const QByteArray content("\xff\xd8\xff\xe0 stands for a compressed picture");
    const auto compressed = [&](quint32 compression, quint16 bitCount) {
        return bmpFile({.width = 3, .height = 2, .bitCount = bitCount, .compression = compression}, {},
                       content);
    };
    const std::pair<QByteArray, const char*> cases[] = {
        {compressed(1, 4), "It uses RLE8 compression with 4 bits per pixel, which is not supported."},
        {compressed(2, 8), "It uses RLE4 compression with 8 bits per pixel, which is not supported."},
        {compressed(4, 0), "It uses JPEG compression, which is not supported."},
        {compressed(5, 0), "It uses PNG compression, which is not supported."},
        {compressed(11, 32), "It stores CMYK colours, which is not supported."},
        {compressed(12, 8), "It uses CMYK RLE8 compression, which is not supported."},
        {compressed(13, 4), "It uses CMYK RLE4 compression, which is not supported."},
        {compressed(9, 24), "It uses a kind of BMP compression (number 9) that is not supported."},
        {bmpFile({.width = 3, .height = 2, .bitCount = 2, .colorsUsed = 4}, {1, 2, 3, 4}, QByteArray(8, 0)),
         "It has 2 bits per pixel, which is not supported."},
        {bmpFile({.width = 3, .height = 2, .bitCount = 64}, {}, QByteArray(48, 0)),
         "It has 64 bits per pixel, which is not supported."},
        {bmpFile({.width = 3, .height = 2, .compression = 3, .masks = {0xff0000, 0xff00, 0xff}}, {},
                 rows24(3, 2, false, sampleColor)),
         "It uses colour masks with 24 bits per pixel, which is not supported."},
    };
    for (const auto& [bytes, reason] : cases)
        EXPECT_EQ(refusalOf(bytes), QString::fromLatin1(reason));
}

TEST(BmpRefusals, MasksThatCannotDescribeAPixelAreDamage) {
    const auto withMasks = [](quint16 bitCount, QList<quint32> masks) {
        return bmpFile({.width = 2, .bitCount = bitCount, .compression = 3, .masks = masks}, {},
                       QByteArray(8, '\x55'));
    };
    const std::pair<QByteArray, const char*> cases[] = {
        {withMasks(16, {0xf800, 0, 0x001f}), "The file is damaged: its colour masks leave out green."},
        {withMasks(16, {0x1f0000, 0x07e0, 0x001f}),
         "The file is damaged: its red mask 0x001f0000 does not fit in 16 bits per pixel."},
        {withMasks(32, {0xff0000, 0xf0f0, 0xff}),
         "The file is damaged: its green mask 0x0000f0f0 is not one run of bits."},
        {withMasks(32, {0xff0000, 0x01ff00, 0xff}), "The file is damaged: its colour masks overlap."},
    };
    for (const auto& [bytes, reason] : cases)
        EXPECT_EQ(refusalOf(bytes), QString::fromLatin1(reason));
}

struct BadFile {
    const char* name;
    QByteArray bytes;
    const char* reason; // a word the message must contain
};

QByteArray bmp3x2(BmpHeader header = {.width = 3, .height = 2}) {
    return bmpFile(header, {}, rows24(3, 2, false, sampleColor));
}

TEST_F(PictureFiles, DamagedOrWrongFilesAreRefusedNamingTheFile) {
    const QByteArray notBmp("\x89PNG\r\n\x1a\n00000000000000000000000000000000000000000000000000000000");
    const std::vector<BadFile> cases = {
        {"empty.bmp", "", "empty"},
        {"notbmp.bmp", notBmp, "not a BMP"},
        {"shorthead.bmp", bmp3x2().left(30), "header"},
        {"shortpixels.bmp", bmp3x2().chopped(1), "ends before"},
        {"nowidth.bmp", bmp3x2({.width = 0, .height = 2}), "width"},
        {"negwidth.bmp", bmp3x2({.width = -3, .height = 2}), "width"},
        {"noheight.bmp", bmp3x2({.width = 3, .height = 0}), "height"},
        {"huge.bmp", bmp3x2({.width = 60000, .height = 60000}), "million pixels"},
        {"bits.bmp", bmp3x2({.width = 3, .height = 2, .bitCount = 7}), "bits per pixel"},
        {"planes.bmp", bmp3x2({.width = 3, .height = 2, .planes = 2}), "planes"},
        {"rle.bmp",
         bmpFile({.width = 3, .height = 2, .bitCount = 8, .compression = 1, .colorsUsed = 1}, {0},
                 QByteArray("\x03\x00\x00\x00", 4)),
         "compressed picture data ends before"},
        {"wide.bmp", bmp3x2({.width = 134217728, .height = 1}), "pixels wide its rows are too long"},
        {"infosize.bmp", bmp3x2({.width = 3, .height = 2, .infoSize = 44}), "header"},
        {"offset.bmp", bmp3x2({.width = 3, .height = 2, .offset = 5000}), "beyond the end"},
        {"overlap.bmp", bmp3x2({.width = 3, .height = 2, .offset = 20}), "overlaps"},
        {"palette.bmp", bmp3x2({.width = 3, .height = 2, .bitCount = 8, .colorsUsed = 300}), "colour table"},
        {"missing.bmp", {}, "not exist"},
        {"folder.bmp", {}, "folder"},
    };
    QDir(dir.path()).mkdir(QStringLiteral("folder.bmp"));
    for (const BadFile& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        if (name != QLatin1String("missing.bmp") && name != QLatin1String("folder.bmp"))
            write(name, c.bytes);
        try {
            Picture::loadBmp(path(name));
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const OrbalinError& e) {
            EXPECT_TRUE(e.message().contains(name)) << e.what();
            EXPECT_TRUE(e.message().contains(QLatin1String(c.reason))) << c.name << ": " << e.what();
        }
    }
}

TEST_F(PictureFiles, DecodingTheBytesGivesWhatLoadingTheFileGives) {
    const QList<QRgb> palette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
    for (const quint32 infoSize : {40u, 52u, 124u}) {
        SCOPED_TRACE(infoSize);
        QByteArray indexes;
        for (int i = 0; i < 8; ++i)
            indexes += char(i % 4);
        const QByteArray rgb =
            bmpFile({.width = 3, .height = 2, .infoSize = infoSize}, {}, rows24(3, 2, false, sampleColor));
        const QByteArray indexed =
            bmpFile({.width = 4, .height = 2, .infoSize = infoSize, .bitCount = 8, .colorsUsed = 4}, palette,
                    indexes);
        for (const QByteArray& bytes : {rgb, indexed}) {
            const QString file = write(QStringLiteral("same.bmp"), bytes + QByteArray(100, 'x'));
            const QImage decoded = Picture::decodeBmp(bytes, file).bitmap();
            EXPECT_EQ(decoded, Picture::loadBmp(file).bitmap());
            EXPECT_EQ(decoded.pixel(2, 1), bytes == rgb ? sampleColor(2, 1) : palette[2]);
        }
    }
    for (const qsizetype cut : {1, 10, 60}) {
        try {
            Picture::decodeBmp(bmp3x2().chopped(cut), QStringLiteral("cut.bmp"));
            ADD_FAILURE() << "cut by " << cut << " was accepted";
        } catch (const OrbalinError& e) {
            EXPECT_TRUE(e.message().startsWith(
                QLatin1String("The picture \"cut.bmp\" cannot be opened. The file is damaged")))
                << e.what();
        }
    }
}

TEST_F(PictureFiles, FailedSaveThrowsAndLeavesFilesAlone) {
    QImage image(3, 2, QImage::Format_BGR888);
    image.fill(QColor(1, 2, 3));
    const QByteArray original = bmp3x2();
    const QString existing = write(QStringLiteral("existing.bmp"), original);

    const QString nowhere = path(QStringLiteral("absent/out.bmp"));
    try {
        Picture(image).saveBmp(nowhere);
        ADD_FAILURE() << "save into a missing folder succeeded";
    } catch (const OrbalinError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("out.bmp"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("folder does not exist"))) << e.what();
    }
    EXPECT_FALSE(QFile::exists(nowhere));

    try {
        Picture().saveBmp(existing);
        ADD_FAILURE() << "an empty picture was saved";
    } catch (const OrbalinError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("existing.bmp"))) << e.what();
    }
    EXPECT_EQ(contents(existing), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("existing.bmp")})
        << "no temporary file left behind";
}

TEST_F(PictureFiles, SavingOverAnExistingFileReplacesIt) {
    const QString file = write(QStringLiteral("over.bmp"), QByteArray(5000, 'x'));
    QImage image(5, 3, QImage::Format_BGR888);
    image.fill(QColor(30, 60, 90));
    Picture(image).saveBmp(file);
    EXPECT_EQ(QFileInfo(file).size(), 14 + 40 + 16 * 3);
    const QImage back = Picture::loadBmp(file).bitmap();
    ASSERT_EQ(back.size(), QSize(5, 3));
    EXPECT_EQ(back.pixel(4, 2), qRgb(30, 60, 90));
}

} // namespace
