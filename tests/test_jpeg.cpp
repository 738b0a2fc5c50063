#include "platform/jpegreader.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"

#include "support/jpegwriter.h"
#include "support/tempfiles.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace {

using Colours = JpegOptions::Colours;

::testing::AssertionResult near(QRgb got, QRgb want, int tolerance) {
    const int worst = std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                                std::abs(qBlue(got) - qBlue(want))});
    if (worst <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got " << qRed(got) << "," << qGreen(got) << "," << qBlue(got) << " wanted " << qRed(want)
           << "," << qGreen(want) << "," << qBlue(want);
}

// What a greyscale JPEG stores for a colour: the luma of the JPEG colour transform.
QRgb luma(QRgb c) {
    const int y = int(std::lround(0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c)));
    return qRgb(y, y, y);
}

// Four solid 16 × 16 quadrants: every 8 × 8 block and chroma sample is one colour, so JPEG keeps them.
const QRgb quadrantColours[4] = {qRgb(200, 40, 50), qRgb(30, 170, 70), qRgb(40, 70, 210), qRgb(230, 210, 90)};

QImage quadrants() {
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, quadrantColours[(y / 16) * 2 + x / 16]);
    return image;
}

QImage decode(const QByteArray& jpeg) {
    return decodeJpeg(jpeg, QStringLiteral("test.jpg"));
}

QString refusalOf(const QByteArray& jpeg) {
    try {
        decode(jpeg);
    } catch (const OrbalinError& e) {
        return e.message();
    }
    return QStringLiteral("(accepted)");
}

struct ColourCase {
    const char* name;
    JpegOptions options;
    bool grey;
};

TEST(JpegDecoding, EveryColourSpaceDecodesToBgr888AtItsOwnSize) {
    const std::vector<ColourCase> cases = {
        {"baseline", {}, false},
        {"progressive", {.progressive = true}, false},
        {"full chroma", {.fullChroma = true}, false},
        {"greyscale", {.colours = Colours::Greyscale}, true},
        {"progressive greyscale", {.colours = Colours::Greyscale, .progressive = true}, true},
        {"CMYK, Adobe", {.colours = Colours::Cmyk}, false},
        {"CMYK, plain", {.colours = Colours::Cmyk, .adobeMarker = false}, false},
        {"progressive CMYK", {.colours = Colours::Cmyk, .progressive = true}, false},
        {"YCCK", {.colours = Colours::Ycck}, false},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = decode(encodeJpeg(quadrants(), c.options));
        ASSERT_EQ(image.format(), QImage::Format_BGR888);
        ASSERT_EQ(image.size(), QSize(32, 32));
        for (int q = 0; q < 4; ++q) {
            const QRgb want = c.grey ? luma(quadrantColours[q]) : quadrantColours[q];
            for (const QPoint p : {QPoint(4, 4), QPoint(11, 11)}) {
                const QPoint at = p + QPoint(16 * (q % 2), 16 * (q / 2));
                EXPECT_TRUE(near(image.pixel(at), want, 6))
                    << "quadrant " << q << " at " << at.x() << "," << at.y();
            }
        }
    }
}

// Shades that differ along both axes, so a row written at the wrong place or a shifted pixel shows.
QRgb shade(int x, int y) {
    return qRgb(40 + 25 * x, 60 + 20 * y, 200 - 9 * x - 7 * y);
}

TEST(JpegDecoding, OddSizesFillEveryRowAcrossPadding) {
    for (const QSize size : {QSize(1, 1), QSize(7, 3), QSize(3, 7), QSize(5, 5), QSize(9, 1)}) {
        QImage source(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                source.setPixel(x, y, shade(x, y));
        for (const Colours colours : {Colours::Colour, Colours::Greyscale, Colours::Cmyk}) {
            SCOPED_TRACE(testing::Message()
                         << size.width() << "x" << size.height() << " colours " << int(colours));
            const bool grey = colours == Colours::Greyscale;
            const QImage image =
                decode(encodeJpeg(source, {.quality = 100, .colours = colours, .fullChroma = true}));
            ASSERT_EQ(image.size(), size);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    EXPECT_TRUE(near(image.pixel(x, y), grey ? luma(shade(x, y)) : shade(x, y), 8))
                        << x << "," << y;
        }
    }
}

// A DC scan, the AC coefficients at half precision, then their last bit.
const std::vector<JpegScan> threeScans = {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 1}, {{0}, 1, 63, 1, 0}};

QByteArray jpegWithScans(int scans) {
    QImage image(24, 16, QImage::Format_Grayscale8);
    image.fill(90);
    const QByteArray three = encodeJpeg(image, {.colours = Colours::Greyscale, .scans = threeScans});
    // Repeating the DC scan is consistent: it only sets the same coefficients again.
    return repeatJpegScans(three, 0, 1, scans - 3);
}

TEST(JpegDecoding, ScanCountIsCheckedAtTheLimit) {
    const QByteArray atLimit = jpegWithScans(100);
    ASSERT_EQ(jpegScanStarts(atLimit).size(), 100u);
    const QImage image = decode(atLimit);
    ASSERT_EQ(image.size(), QSize(24, 16));
    EXPECT_TRUE(near(image.pixel(23, 15), qRgb(90, 90, 90), 2));

    const QByteArray overLimit = jpegWithScans(101);
    ASSERT_EQ(jpegScanStarts(overLimit).size(), 101u);
    EXPECT_TRUE(refusalOf(overLimit).contains(QLatin1String("more than 100 scans")))
        << refusalOf(overLimit).toStdString();
}

TEST(JpegDecoding, ScansOfLargePicturesAreBoundedByTheirWork) {
    // 40 scans are fine for a small picture but walk the largest one 40 times.
    QImage source(11585, 11585, QImage::Format_Grayscale8);
    source.fill(60);
    const std::vector<JpegScan> twoScans = {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 0}};
    const QByteArray two = encodeJpeg(source, {.colours = Colours::Greyscale, .scans = twoScans});
    const QByteArray forty = repeatJpegScans(two, 1, 1, 38);
    ASSERT_EQ(jpegScanStarts(forty).size(), 40u);
    EXPECT_TRUE(refusalOf(forty).contains(QStringLiteral("11585 × 11585 pixels it holds far more scans")))
        << refusalOf(forty).toStdString();
}

TEST(JpegDecoding, PictureJustUnderTheSizeLimitLoads) {
    // 11585² is the largest square within 2^27 pixels; one grey shade keeps encoding quick.
    QImage source(11585, 11585, QImage::Format_Grayscale8);
    source.fill(170);
    const QByteArray jpeg = encodeJpeg(source, {.quality = 75, .colours = Colours::Greyscale});
    source = QImage();
    const QImage image = decode(jpeg);
    ASSERT_EQ(image.size(), QSize(11585, 11585));
    EXPECT_EQ(image.format(), QImage::Format_BGR888);
    for (const QPoint p : {QPoint(0, 0), QPoint(11584, 11584), QPoint(5000, 7000)})
        EXPECT_TRUE(near(image.pixel(p), qRgb(170, 170, 170), 1)) << p.x() << "," << p.y();
}

using PictureLoad = TempFiles;

QByteArray bmpFile() {
    QImage image(3, 2, QImage::Format_BGR888);
    image.fill(QColor(10, 20, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "bmp");
    return bytes;
}

TEST_F(PictureLoad, ExtensionChoosesTheReaderWhateverItsCase) {
    const QByteArray jpeg = encodeJpeg(quadrants());
    for (const char* name : {"a.jpg", "b.JPG", "c.jpeg", "d.JpEg", "e.bmp", "f.BMP"}) {
        const QString file = QString::fromLatin1(name);
        const bool bmp = file.endsWith(QLatin1String("bmp"), Qt::CaseInsensitive);
        const Picture picture = Picture::load(write(file, bmp ? bmpFile() : jpeg));
        EXPECT_EQ(picture.bitmap().size(), bmp ? QSize(3, 2) : QSize(32, 32)) << name;
        EXPECT_EQ(picture.bitmap().format(), QImage::Format_BGR888) << name;
    }
}

// Cuts a file `extra` bytes into scan number `scan` (counting its header).
QByteArray cutInScan(const QByteArray& jpeg, int scan, int extra) {
    return jpeg.left(jpegScanStarts(jpeg).at(scan) + extra);
}

struct BadFile {
    const char* name;
    std::optional<QByteArray> bytes; // none: the test makes it otherwise
    const char* reason;              // words the message must hold
};

TEST_F(PictureLoad, DamagedMisnamedOrMissingFilesAreRefusedNamingFileAndReason) {
    const QByteArray jpeg = encodeJpeg(quadrants());
    const QByteArray progressive = encodeJpeg(quadrants(), {.progressive = true});
    const qsizetype scanData = jpegScanStarts(jpeg).front() + 20;
    QByteArray restartInside = jpeg;
    restartInside.replace(scanData, 2, "\xff\xd3");
    QByteArray badLength = jpeg;
    badLength[4] = 0; // the segment after SOI claims a length shorter than its length field
    badLength[5] = 1;
    QByteArray hugeBmp = bmpFile(); // only the header grows
    qToLittleEndian<qint32>(60000, hugeBmp.data() + 18);
    qToLittleEndian<qint32>(60000, hugeBmp.data() + 22);
    QImage tiny(8, 8, QImage::Format_Grayscale8);
    tiny.fill(0);
    const QByteArray png = [&] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        tiny.save(&buffer, "png");
        return bytes;
    }();

    const std::vector<BadFile> cases = {
        {"marker-in-data.jpg", restartInside, "damaged"},
        {"bad-length.jpg", badLength, "damaged"},
        {"cut-in-header.jpg", jpeg.left(40), "damaged: it ends before"},
        {"cut-after-sos.jpg", cutInScan(jpeg, 0, 12), "damaged: it ends before"},
        {"cut-in-data.jpg", jpeg.left(jpeg.size() / 2 + 40), "damaged: it ends before"},
        {"cut-before-end.jpg", jpeg.chopped(2), "damaged: it ends before"},
        {"cut-between-scans.jpg", cutInScan(progressive, 3, 0), "damaged: it ends before"},
        {"soi-only.jpg", jpeg.left(2), "damaged: it ends before"},
        {"text.jpg", "Dear printer, please print this cover.", "not a JPEG"},
        {"really-a-bmp.jpg", bmpFile(), "It is a BMP picture although its name ends in .jpg."},
        {"really-a-jpeg.bmp", jpeg, "It is a JPEG picture although its name ends in .bmp."},
        {"empty.jpeg", "", "empty"},
        {"empty.bmp", "", "empty"},
        {"cut.bmp", bmpFile().chopped(3), "ends before"},
        {"missing.jpg", std::nullopt, "does not exist"},
        {"folder.jpg", std::nullopt, "folder"},
        {"device.jpg", std::nullopt, "It is not a file."},
        {"too-big.jpg", std::nullopt, "At 1024 MB it is too large"},
        {"cover.png", png, "Only JPEG (.jpg, .jpeg) and BMP (.bmp)"},
        {"no-extension", jpeg, "Only JPEG"},
        {"huge.jpg", withJpegSize(jpeg, 60000, 60000),
         "It is 60000 × 60000 pixels; pictures over 134 million"},
        {"huge.bmp", hugeBmp, "It is 60000 × 60000 pixels; pictures over 134 million"},
        {"scans.jpg", jpegWithScans(300), "more than 100 scans"},
    };
    QDir(dir.path()).mkdir(QStringLiteral("folder.jpg"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), path(QStringLiteral("device.jpg"))));
    QFile tooBig(path(QStringLiteral("too-big.jpg"))); // sparse: takes no room on the disc
    ASSERT_TRUE(tooBig.open(QIODevice::WriteOnly) && tooBig.resize((qint64(1) << 30) + 1));
    tooBig.close();
    for (const BadFile& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        if (c.bytes)
            write(name, *c.bytes);
        QElapsedTimer timer;
        timer.start();
        try {
            Picture::load(path(name));
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const OrbalinError& e) {
            EXPECT_TRUE(e.message().startsWith(
                QStringLiteral("The picture \"%1\"").arg(QDir::toNativeSeparators(path(name)))))
                << e.what();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.reason))) << c.name << ": " << e.what();
        }
        EXPECT_LT(timer.elapsed(), 1000) << c.name << " took long to refuse";
    }
}

TEST(JpegDecoding, HarmlessWarningsDoNotRefuseThePicture) {
    // Stray bytes after the last scan, before the end marker: every pixel was read.
    QByteArray padded = encodeJpeg(quadrants());
    padded.insert(padded.size() - 2, QByteArray(5, '\0'));
    EXPECT_TRUE(near(decode(padded).pixel(4, 4), quadrantColours[0], 6));
}

} // namespace
