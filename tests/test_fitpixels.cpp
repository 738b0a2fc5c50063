#include "cover/discgeometry.h"
#include "cover/fitpixels.h"
#include "cover/fitting.h"
#include "support/pictures.h"

#include <QColor>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            largest = std::max({largest, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                std::abs(p.blue() - q.blue())});
        }
    return largest;
}

} // namespace

TEST(FitPixels, BoxFilterDividesEachByteBeforeAdding) {
    const QImage white = halveBoxFilter(solidPicture(8, 6, Qt::white));
    ASSERT_EQ(white.size(), QSize(4, 3));
    EXPECT_EQ(white.pixelColor(3, 2), QColor(252, 252, 252));

    // Odd widths give rows padded to four bytes; compare with the rule applied pixel by pixel.
    for (const QSize size : {QSize(14, 6), QSize(10, 2), QSize(2, 2), QSize(15, 5)}) {
        const QImage source = noisePicture(size.width(), size.height(), size.width() * 31 + size.height());
        const QImage half = halveBoxFilter(source);
        ASSERT_EQ(half.size(), QSize(size.width() / 2, size.height() / 2));
        for (int y = 0; y < half.height(); ++y)
            for (int x = 0; x < half.width(); ++x) {
                const QColor a = source.pixelColor(2 * x, 2 * y), b = source.pixelColor(2 * x + 1, 2 * y),
                             c = source.pixelColor(2 * x, 2 * y + 1),
                             d = source.pixelColor(2 * x + 1, 2 * y + 1);
                const QColor expected(a.red() / 4 + b.red() / 4 + c.red() / 4 + d.red() / 4,
                                      a.green() / 4 + b.green() / 4 + c.green() / 4 + d.green() / 4,
                                      a.blue() / 4 + b.blue() / 4 + c.blue() / 4 + d.blue() / 4);
                ASSERT_EQ(half.pixelColor(x, y), expected)
                    << size.width() << "x" << size.height() << " at " << x << "," << y;
            }
    }
}

TEST(FitPixels, StretchKeepsSolidColoursExactAndAveragesAreas) {
    for (const QSize from : {QSize(1600, 1200), QSize(7, 3), QSize(1, 1), QSize(2000, 1)}) {
        const QImage stretched =
            stretchToSize(solidPicture(from.width(), from.height(), QColor(12, 200, 255)), {900, 900});
        ASSERT_EQ(stretched.size(), QSize(900, 900));
        ASSERT_EQ(stretched.format(), QImage::Format_BGR888);
        EXPECT_EQ(stretched.pixelColor(0, 0), QColor(12, 200, 255));
        EXPECT_EQ(stretched.pixelColor(899, 899), QColor(12, 200, 255));
    }

    // An exact factor: each result pixel is the rounded mean of its 4 x 3 block.
    const QImage source = noisePicture(40, 30, 7);
    const QImage small = stretchToSize(source, {10, 10});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            int sum = 0;
            for (int dy = 0; dy < 3; ++dy)
                for (int dx = 0; dx < 4; ++dx)
                    sum += source.pixelColor(4 * x + dx, 3 * y + dy).green();
            EXPECT_NEAR(small.pixelColor(x, y).green(), sum / 12.0, 0.51) << x << "," << y;
        }
}

TEST(FitPixels, StretchAgreesWithQtSmoothScaling) {
    const QImage photo = gradientPicture(1600, 1200);
    for (const QSize to : {QSize(900, 900), QSize(1020, 830), QSize(600, 600)}) {
        const QImage ours = stretchToSize(photo, to);
        const QImage qts = photo.scaled(to, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_BGR888);
        EXPECT_LE(largestDifference(ours, qts), 3) << to.width() << "x" << to.height();
    }
}

TEST(FitPixels, StretchEnlargesIntoBlocksAndReadsAnyFormat) {
    QImage twoColours(2, 1, QImage::Format_Indexed8);
    twoColours.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    twoColours.setPixel(0, 0, 0);
    twoColours.setPixel(1, 0, 1);
    const QImage big = stretchToSize(twoColours, {900, 900});
    EXPECT_EQ(big.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(big.pixelColor(449, 899), QColor(255, 0, 0));
    EXPECT_EQ(big.pixelColor(450, 0), QColor(0, 0, 255));
    EXPECT_EQ(big.pixelColor(899, 450), QColor(0, 0, 255));
    EXPECT_TRUE(stretchToSize(QImage(), {900, 900}).isNull());
}

TEST(FitPixels, NearestScalingDropsEvenlySpacedColumnsAndRows) {
    QImage source(510, 415, QImage::Format_BGR888);
    for (int y = 0; y < 415; ++y)
        for (int x = 0; x < 510; ++x)
            source.setPixelColor(x, y, QColor(x % 256, y % 256, x / 256));
    const QImage scaled = scaleNearest(source, {505, 410});
    ASSERT_EQ(scaled.size(), QSize(505, 410));
    for (const QPoint p : {QPoint(0, 0), QPoint(504, 409), QPoint(101, 82), QPoint(300, 200)}) {
        const int sx = p.x() * 510 / 505, sy = p.y() * 415 / 410;
        EXPECT_EQ(scaled.pixelColor(p), source.pixelColor(sx, sy)) << p.x() << "," << p.y();
    }
}

TEST(FitPixels, MaskLetsThePictureThroughOnlyWhereBlack) {
    QImage picture = solidPicture(4, 3, QColor(10, 20, 30));
    QImage mask = solidPicture(3, 4, Qt::white);
    mask.setPixelColor(1, 1, Qt::black);
    mask.setPixelColor(2, 0, QColor(0, 0, 1)); // nearly black still replaces
    stampMask(picture, mask);
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(1, 1), QColor(10, 20, 30));
    EXPECT_EQ(picture.pixelColor(2, 0), QColor(0, 0, 1));
    EXPECT_EQ(picture.pixelColor(3, 2), QColor(10, 20, 30)); // beyond the mask
}

TEST(FitPixels, PhotographFittedIntoEachCover) {
    const QImage photo = gradientPicture(1600, 1200);
    const QImage mask = disc::mask(450);
    const FittedPicture cd = fitToCover(photo, CoverMode::CdCover, mask);
    EXPECT_EQ(cd.stretched.size(), QSize(900, 900));
    ASSERT_EQ(cd.picture.size(), QSize(450, 450));
    int ring = 0;
    for (int y = 0; y < 450; ++y)
        for (int x = 0; x < 450; ++x) {
            if (mask.pixelColor(x, y) != QColor(Qt::black))
                ASSERT_EQ(cd.picture.pixelColor(x, y), mask.pixelColor(x, y)) << x << "," << y;
            else
                ++ring;
        }
    EXPECT_GT(ring, 100000);
    // Squeezed across: the left edge of the photo is red 0, its right edge near 255.
    EXPECT_LT(cd.picture.pixelColor(20, 225).red(), 12);
    EXPECT_GT(cd.picture.pixelColor(429, 225).red(), 235);

    EXPECT_EQ(fitToCover(photo, CoverMode::BackCover, mask).picture.size(), QSize(505, 410));
    EXPECT_EQ(fitToCover(photo, CoverMode::MiniCd, disc::mask(300)).picture.size(), QSize(300, 300));
    const FittedPicture white = fitToCover(solidPicture(640, 480, Qt::white), CoverMode::FrontCover, mask);
    EXPECT_EQ(white.picture.pixelColor(0, 0), QColor(252, 252, 252));
    EXPECT_EQ(white.picture.pixelColor(449, 449), QColor(252, 252, 252));
}

TEST(FitPixels, SlideNeedsAPictureLargerThanItsFrame) {
    EXPECT_TRUE(bigEnoughForSlide(CoverMode::CdCover, {452, 452}));
    EXPECT_FALSE(bigEnoughForSlide(CoverMode::CdCover, {451, 600}));
    EXPECT_FALSE(bigEnoughForSlide(CoverMode::FrontCover, {600, 451}));
    EXPECT_TRUE(bigEnoughForSlide(CoverMode::BackCover, {508, 414}));
    EXPECT_FALSE(bigEnoughForSlide(CoverMode::BackCover, {507, 900}));
    EXPECT_FALSE(bigEnoughForSlide(CoverMode::BackCover, {900, 413}));
    EXPECT_FALSE(bigEnoughForSlide(CoverMode::MiniCd, {4000, 3000}));
    EXPECT_FALSE(bigEnoughForSlide(CoverMode::CdCover, {0, 0}));
}
