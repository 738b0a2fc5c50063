#include "cover/discgeometry.h"
#include "cover/glyphs.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

QString dataFile(const char* name) {
    return QDir(QStringLiteral(ORBALIN_DATA_DIR)).filePath(name);
}

// The bits-per-pixel field of a BMP header; 0 when the file is not a BMP.
int bmpBitCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray header = file.read(30);
    if (header.size() < 30 || !header.startsWith("BM"))
        return 0;
    return static_cast<uchar>(header[28]) | (static_cast<uchar>(header[29]) << 8);
}

QImage loadShipped(const char* name) {
    return QImage(dataFile(name)).convertToFormat(QImage::Format_RGB32);
}

// Rows holding white pixels well inside the disc edge, measured without the geometry code.
std::set<int> hubRows(const QImage& mask) {
    const double centre = mask.width() / 2;
    const double inner = mask.width() / 2.0 - 6;
    std::set<int> rows;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            const double dx = x - centre, dy = y - centre;
            if (dx * dx + dy * dy < inner * inner && mask.pixel(x, y) == qRgb(255, 255, 255))
                rows.insert(y);
        }
    return rows;
}

double coveredShare(const QImage& image) {
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) > 128;
    return double(covered) / (image.width() * image.height());
}

bool hasClearPixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                return true;
    return false;
}

struct MaskFile {
    const char* name;
    int size;
};

void PrintTo(const MaskFile& file, std::ostream* out) {
    *out << file.name;
}

class ShippedMask : public ::testing::TestWithParam<MaskFile> {};

TEST_P(ShippedMask, IsA24BitBlackAndWhiteCopyOfTheDiscGeometry) {
    const MaskFile file = GetParam();
    EXPECT_EQ(bmpBitCount(dataFile(file.name)), 24);
    const QImage shipped = loadShipped(file.name);
    ASSERT_FALSE(shipped.isNull()) << file.name;
    ASSERT_EQ(shipped.size(), QSize(file.size, file.size));

    const QImage expected = disc::mask(file.size).convertToFormat(QImage::Format_RGB32);
    int strayColours = 0, mismatches = 0;
    for (int y = 0; y < file.size; ++y)
        for (int x = 0; x < file.size; ++x) {
            const QRgb pixel = shipped.pixel(x, y);
            strayColours += pixel != qRgb(0, 0, 0) && pixel != qRgb(255, 255, 255);
            mismatches += pixel != expected.pixel(x, y);
        }
    EXPECT_EQ(strayColours, 0);
    EXPECT_EQ(mismatches, 0);

    const int last = file.size - 1, middle = file.size / 2;
    for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        EXPECT_EQ(shipped.pixel(corner), qRgb(255, 255, 255)) << corner.x() << "," << corner.y();
    EXPECT_EQ(shipped.pixel(middle, middle), qRgb(255, 255, 255)) << "hub";
    EXPECT_EQ(shipped.pixel(middle, middle - 100), qRgb(0, 0, 0)) << "ring above the hub";
    EXPECT_EQ(shipped.pixel(middle + 100, middle), qRgb(0, 0, 0)) << "ring right of the hub";
    EXPECT_EQ(shipped.pixel(2, middle), qRgb(0, 0, 0)) << "ring near the left edge";
}

INSTANTIATE_TEST_SUITE_P(Artwork, ShippedMask,
                         ::testing::Values(MaskFile{"round.bmp", 450}, MaskFile{"round_min.bmp", 300}),
                         [](const auto& info) {
                             return std::string(info.param.size == 450 ? "Cover" : "Mini");
                         });

TEST(ShippedMaskHub, CoversRows164To286OnTheCoverAndIsTheSameSizeOnTheMiniDisc) {
    const std::set<int> cover = hubRows(loadShipped("round.bmp"));
    ASSERT_FALSE(cover.empty());
    EXPECT_EQ(*cover.begin(), 164);
    EXPECT_EQ(*cover.rbegin(), 286);
    EXPECT_EQ(cover.size(), 286u - 164u + 1u) << "hub rows are not contiguous";

    const std::set<int> mini = hubRows(loadShipped("round_min.bmp"));
    EXPECT_EQ(mini.size(), cover.size());
}

TEST(ShippedExample, IsA450Pixel24BitPictureWithRealContent) {
    EXPECT_EQ(bmpBitCount(dataFile("exemple.bmp")), 24);
    const QImage example = loadShipped("exemple.bmp");
    ASSERT_EQ(example.size(), QSize(450, 450));
    std::unordered_set<QRgb> colours;
    for (int y = 0; y < example.height(); ++y)
        for (int x = 0; x < example.width(); ++x)
            colours.insert(example.pixel(x, y));
    EXPECT_GT(colours.size(), 2000u);
}

TEST(Glyphs, EveryGlyphIsDrawnAtTheRequestedSizeOnAClearBackground) {
    for (int size : {16, 32, 60}) {
        for (int i = 0; i <= static_cast<int>(Glyph::MiniCd); ++i) {
            const QPixmap pixmap = glyph(static_cast<Glyph>(i), size);
            ASSERT_FALSE(pixmap.isNull()) << "glyph " << i;
            EXPECT_EQ(pixmap.size(), QSize(size, size)) << "glyph " << i;
            const QImage image = pixmap.toImage();
            EXPECT_GT(coveredShare(image), 0.03) << "glyph " << i << " at " << size << " is nearly empty";
            EXPECT_TRUE(hasClearPixel(image))
                << "glyph " << i << " at " << size << " has no clear background";
        }
    }
}

TEST(Glyphs, NoTwoGlyphsLookTheSame) {
    std::vector<QImage> drawn;
    for (int i = 0; i <= static_cast<int>(Glyph::MiniCd); ++i)
        drawn.push_back(glyph(static_cast<Glyph>(i)).toImage());
    for (size_t a = 0; a < drawn.size(); ++a)
        for (size_t b = a + 1; b < drawn.size(); ++b)
            EXPECT_FALSE(drawn[a] == drawn[b]) << "glyphs " << a << " and " << b << " are identical";
}

TEST(Pictures, HaveTheirFixedSizesAndVisibleContent) {
    const struct {
        const char* what;
        QPixmap pixmap;
        QSize size;
    } pictures[] = {
        {"logo", logo(), QSize(47, 47)},
        {"large logo", logo(120), QSize(120, 120)},
        {"mode strip", modeStrip(), QSize(25, 89)},
        {"cd mode", modeIcon(Glyph::CdCover), QSize(25, 25)},
        {"front mode", modeIcon(Glyph::FrontCover), QSize(25, 25)},
        {"back mode", modeIcon(Glyph::BackCover), QSize(25, 25)},
        {"status", statusIcon(), QSize(15, 16)},
        {"arrow", arrowPicture(), QSize(35, 33)},
    };
    for (const auto& picture : pictures) {
        EXPECT_EQ(picture.pixmap.size(), picture.size) << picture.what;
        const QImage image = picture.pixmap.toImage();
        EXPECT_GT(coveredShare(image), 0.2) << picture.what;
        EXPECT_TRUE(hasClearPixel(image)) << picture.what;
    }
}

TEST(Pictures, StartupPictureIsARoundWindowShape) {
    const QImage startup = startupPicture().toImage();
    ASSERT_EQ(startup.size(), QSize(400, 400));
    for (QPoint corner : {QPoint(0, 0), QPoint(399, 0), QPoint(0, 399), QPoint(399, 399), QPoint(40, 40)})
        EXPECT_EQ(qAlpha(startup.pixel(corner)), 0) << corner.x() << "," << corner.y();
    for (QPoint ring : {QPoint(200, 5), QPoint(395, 200), QPoint(200, 370), QPoint(60, 200)})
        EXPECT_EQ(qAlpha(startup.pixel(ring)), 255) << ring.x() << "," << ring.y();
}

} // namespace
