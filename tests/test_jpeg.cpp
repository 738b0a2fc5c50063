#include "platform/jpegreader.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"

#include "support/jpegwriter.h"
#include "support/pictures.h"
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
    const qsizetype tables = jpeg.indexOf("\xff\xdb"); // quantisation tables: the picture needs them
    badLength[tables + 2] = 0;                         // a length shorter than the length field itself
    badLength[tables + 3] = 1;
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
        {"cut-before-end.jpg", jpeg.chopped(4), "damaged: it ends before"},
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

// Big-endian 16 bits, as JPEG stores lengths.
QByteArray be16(int value) {
    return QByteArray(1, char(value >> 8)) + char(value & 0xff);
}

// An APP1 segment shaped like a camera's EXIF block: "Exif", a TIFF header with one tag, filler,
// and a thumbnail JPEG file carried inside as cameras do.
QByteArray exifSegment(const QByteArray& thumbnail = {}) {
    QByteArray payload("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x01\0\0\0\0\0\0\0", 32);
    payload += QByteArray(60, ' ') + thumbnail + QByteArray(20, 'x');
    return "\xff\xe1" + be16(int(payload.size()) + 2) + payload;
}

// `jpeg` with `segment` inserted right after its first segment (the JFIF block) or at `at`.
QByteArray withSegment(QByteArray jpeg, const QByteArray& segment, qsizetype at = -1) {
    if (at < 0)
        at = 4 + qFromBigEndian<quint16>(jpeg.constData() + 4);
    return jpeg.insert(at, segment);
}

QByteArray setByte(QByteArray bytes, qsizetype at, char value) {
    bytes[at] = value;
    return bytes;
}

// Makes the segment at `at` claim the length that ends it at `end`.
QByteArray endSegmentAt(QByteArray bytes, qsizetype at, qsizetype end) {
    return bytes.replace(at + 2, 2, be16(int(end - at - 2)));
}

TEST(JpegHeaderDamage, DamageToAMarkerBeforeTheFirstScanLeavesEveryPixel) {
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const QByteArray plain = encodeJpeg(quadrants(), {.progressive = progressive});
        const QByteArray twin = withSegment(plain, exifSegment());
        const QImage intact = decode(twin);
        ASSERT_EQ(intact, decode(plain));
        const qsizetype app1 = twin.indexOf("\xff\xe1");
        const std::pair<const char*, QByteArray> cases[] = {
            {"a byte of the EXIF data", setByte(twin, app1 + 40, '\xff')},
            {"the marker's first byte", setByte(twin, app1, '\0')},
            {"the marker's code", setByte(twin, app1 + 1, '\x80')},
            {"a length too short", setByte(twin, app1 + 3, '\x10')},
            {"a length shorter than its own field", setByte(setByte(twin, app1 + 2, 0), app1 + 3, 1)},
            {"stray bytes between segments",
             QByteArray(twin).insert(twin.indexOf("\xff\xdb"), QByteArray(7, '\x33'))},
        };
        for (const auto& [name, damaged] : cases) {
            ASSERT_NE(damaged, twin);
            EXPECT_EQ(decode(damaged), intact) << name;
        }
    }
}

TEST(JpegHeaderDamage, DamageHidingWhatThePictureNeedsIsRefused) {
    // Progressive files carry Huffman tables of their own before each scan; the standard tables
    // libjpeg would fall back on decode them wrongly.
    const QByteArray progressive = withSegment(encodeJpeg(quadrants(), {.progressive = true}), exifSegment());
    const qsizetype app1 = progressive.indexOf("\xff\xe1");
    const qsizetype firstScan = jpegScanStarts(progressive).front();
    // A CMYK file's Adobe marker says its inks are stored inverted.
    const QByteArray cmyk = encodeJpeg(quadrants(), {.colours = Colours::Cmyk});
    ASSERT_TRUE(cmyk.mid(2, 2) == "\xff\xee" && cmyk.mid(6, 5) == "Adobe");
    const QByteArray cmykExif = withSegment(cmyk, exifSegment(), 2);
    const qsizetype adobeEnd = exifSegment().size() + 2 + 16;
    // A thumbnail of other colours inside the EXIF block.
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(qRgb(0, 0, 255));
    const QByteArray thumbnail = encodeJpeg(small);
    const QByteArray withThumbnail = withSegment(encodeJpeg(quadrants()), exifSegment(thumbnail));
    const qsizetype thumbnailApp1 = withThumbnail.indexOf("\xff\xe1");

    const std::pair<const char*, QByteArray> cases[] = {
        {"a length hiding the Huffman tables", endSegmentAt(progressive, app1, firstScan - 2)},
        {"a length hiding the quantisation tables",
         endSegmentAt(progressive, app1, progressive.indexOf("\xff\xc2") - 2)},
        {"a length hiding the Adobe marker", endSegmentAt(cmykExif, 2, adobeEnd - 2)},
        {"a length ending inside the thumbnail",
         endSegmentAt(withThumbnail, thumbnailApp1, withThumbnail.indexOf(thumbnail) + 4)},
    };
    for (const auto& [name, damaged] : cases)
        EXPECT_TRUE(refusalOf(damaged).contains(QLatin1String("The file is damaged")))
            << name << ": " << refusalOf(damaged).toStdString();
}

TEST(JpegEnd, APictureLackingOnlyItsEndMarkerOpens) {
    const std::vector<JpegScan> scanPerComponent = {
        {{0}, 0, 63, 0, 0}, {{1}, 0, 63, 0, 0}, {{2}, 0, 63, 0, 0}};
    const std::vector<ColourCase> cases = {
        {"baseline", {}, false},
        {"progressive", {.progressive = true}, false},
        {"a scan for each colour", {.scans = scanPerComponent}, false},
        {"greyscale", {.colours = Colours::Greyscale}, true},
    };
    for (const ColourCase& c : cases) {
        const QByteArray whole = encodeJpeg(quadrants(), c.options);
        ASSERT_TRUE(whole.endsWith("\xff\xd9"));
        const QImage intact = decode(whole);
        EXPECT_EQ(decode(whole.chopped(2)), intact) << c.name;
        EXPECT_EQ(decode(whole.chopped(1)), intact) << c.name << ", end marker's first byte left";
        EXPECT_EQ(decode(whole.chopped(2) + QByteArray(3, '\0')), intact) << c.name << ", zeros instead";
    }
}

// The arithmetic decoder takes a missing end of its data for zeros, as a complete picture's encoder
// leaves them out, so no cut shows in the decoding: a file whose end marker is missing is refused.
TEST(JpegEnd, ArithmeticCodedPicturesCutAnywhereAreRefused) {
    const QImage picture = noisePicture(64, 48, 7);
    for (const bool progressive : {false, true}) {
        const QByteArray whole = encodeJpeg(picture, {.progressive = progressive, .arithmetic = true});
        EXPECT_EQ(decode(whole), decodeJpeg(encodeJpeg(picture, {.progressive = progressive}),
                                            QStringLiteral("huffman.jpg")))
            << "an intact file opens, its pixels as with Huffman coding";
        const qsizetype data = jpegScanStarts(whole).front() + 20;
        for (const qsizetype keep :
             {whole.size() - 1, whole.size() - 3, whole.size() - 40, (data + whole.size()) / 2, data})
            EXPECT_EQ(refusalOf(whole.left(keep)).toStdString(),
                      "The picture \"test.jpg\" cannot be opened. The file is damaged: it ends before the "
                      "picture data is complete.")
                << (progressive ? "progressive" : "sequential") << ", " << keep << " of " << whole.size();
    }
}

TEST(JpegEnd, PictureDataCutShortIsRefused) {
    const std::vector<JpegScan> scanPerComponent = {
        {{0}, 0, 63, 0, 0}, {{1}, 0, 63, 0, 0}, {{2}, 0, 63, 0, 0}};
    const QByteArray baseline = encodeJpeg(quadrants());
    const QByteArray progressive = encodeJpeg(quadrants(), {.progressive = true});
    const QByteArray threeScans = encodeJpeg(quadrants(), {.scans = scanPerComponent});
    ASSERT_EQ(jpegScanStarts(threeScans).size(), 3u);
    const std::pair<const char*, QByteArray> cases[] = {
        {"baseline, last data bytes", baseline.chopped(4)},
        {"baseline, half its data", baseline.left((jpegScanStarts(baseline).front() + baseline.size()) / 2)},
        {"progressive, last data bytes", progressive.chopped(4)},
        {"progressive, between scans", cutInScan(progressive, 5, 0)},
        {"progressive, before the last scan",
         cutInScan(progressive, int(jpegScanStarts(progressive).size()) - 1, 0)},
        {"scan for each colour, before the last", cutInScan(threeScans, 2, 0)},
    };
    for (const auto& [name, cut] : cases)
        EXPECT_EQ(refusalOf(cut).toStdString(), "The picture \"test.jpg\" cannot be opened. The file is "
                                                "damaged: it ends before the picture data is complete.")
            << name;
}

// A whole lossless JPEG by hand (libjpeg writes none): one grey pixel, predicted as 128 with a
// difference of 0, coded with a one-code Huffman table.
QByteArray losslessJpeg() {
    QByteArray out("\xff\xd8", 2);
    out +=
        QByteArray("\xff\xc3\x00\x0b\x08\x00\x01\x00\x01\x01\x01\x11\x00", 13); // 8 bits, 1 × 1, 1 component
    out += QByteArray("\xff\xc4\x00\x14\x00\x01", 6) + QByteArray(15, '\0') + QByteArray(1, '\0');
    out += QByteArray("\xff\xda\x00\x08\x01\x01\x00\x01\x00\x00", 10); // predictor 1
    out += QByteArray("\x7f\xff\xd9", 3);
    return out;
}

TEST(JpegRefusals, KindsWeDoNotDecodeAreNotCalledDamaged) {
    QByteArray otherFrame = encodeJpeg(quadrants());
    otherFrame[otherFrame.indexOf("\xff\xc0") + 1] = '\xc5';
    const std::pair<QByteArray, const char*> cases[] = {
        {losslessJpeg(), "It is a lossless JPEG picture, which is not supported."},
        {otherFrame, "Its kind of JPEG coding (frame type 0xc5) is not supported."},
    };
    for (const auto& [bytes, reason] : cases)
        EXPECT_EQ(refusalOf(bytes).toStdString(),
                  std::string("The picture \"test.jpg\" cannot be opened. ") + reason);
}

} // namespace
