#include "decor/gradient.h"
#include "decor/insertcopy.h"
#include "decor/quarterturn.h"
#include "decor/slidepiece.h"
#include "support/pictures.h"

#include <QColor>
#include <QPainter>
#include <QRandomGenerator>
#include <QTransform>
#include <gtest/gtest.h>

namespace {

const QColor kRed(255, 0, 0), kBlue(0, 0, 255), kWhite(255, 255, 255);

// Qt's painter copying a square picture plainly: what a stamp must give, edges cut included.
QImage paintedOver(const QImage& current, const QImage& square, QPoint at) {
    QImage expected = current;
    QPainter painter(&expected);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(at, square);
    return expected;
}

} // namespace

TEST(Gradient, LinearBandsRunFromColourOneToColourTwoWithTruncatedSteps) {
    const QImage cd = linearGradient(CoverMode::CdCover, kRed, kBlue);
    ASSERT_EQ(cd.size(), QSize(450, 450));
    ASSERT_EQ(cd.format(), QImage::Format_BGR888);
    EXPECT_EQ(cd.pixelColor(0, 0), kRed);
    EXPECT_EQ(cd.pixelColor(449, 1), QColor(254, 0, 1)); // 255 + (-255) / 255
    EXPECT_EQ(cd.pixelColor(0, 447), QColor(1, 0, 254));
    EXPECT_EQ(cd.pixelColor(0, 448), kBlue);
    EXPECT_EQ(cd.pixelColor(449, 449), kBlue);

    // Truncation toward zero, not flooring: 10 - 128/255 stays 10.
    EXPECT_EQ(linearBandColour(QColor(10, 10, 10), QColor(9, 11, 10), 128), QColor(10, 10, 10));
    EXPECT_EQ(linearBandColour(QColor(10, 10, 10), QColor(9, 11, 10), 255), QColor(9, 11, 10));
}

TEST(Gradient, EachModeHasItsPictureAndBandsThatSpanIt) {
    const struct {
        CoverMode mode;
        QSize size;
    } cases[] = {{CoverMode::CdCover, {450, 450}},
                 {CoverMode::FrontCover, {450, 450}},
                 {CoverMode::BackCover, {505, 410}},
                 {CoverMode::MiniCd, {300, 300}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(modeInfo(c.mode).statusText);
        EXPECT_EQ(gradientPictureSize(c.mode), c.size);
        const QImage picture = linearGradient(c.mode, QColor(0, 100, 200), QColor(200, 100, 0));
        ASSERT_EQ(picture.size(), c.size);
        const int right = c.size.width() - 1, bottom = c.size.height() - 1;
        EXPECT_EQ(picture.pixelColor(right, 0), QColor(0, 100, 200));
        EXPECT_EQ(picture.pixelColor(right, bottom), QColor(200, 100, 0));
        EXPECT_EQ(picture.pixelColor(0, bottom - 1), QColor(200, 100, 0));
        // Every row is one colour; the red rises and the blue falls from row to row.
        for (int y = 1; y <= bottom; ++y) {
            ASSERT_EQ(picture.pixelColor(0, y), picture.pixelColor(right, y)) << y;
            ASSERT_GE(picture.pixelColor(0, y).red(), picture.pixelColor(0, y - 1).red()) << y;
            ASSERT_LE(picture.pixelColor(0, y).blue(), picture.pixelColor(0, y - 1).blue()) << y;
        }
    }
    // Back Cover: 410 rows for 256 bands, band 1 is rows 1 and 2, band 2 row 3.
    const QImage back = linearGradient(CoverMode::BackCover, kRed, kBlue);
    EXPECT_EQ(back.pixelColor(504, 1), QColor(254, 0, 1));
    EXPECT_EQ(back.pixelColor(504, 2), QColor(254, 0, 1));
    EXPECT_EQ(back.pixelColor(504, 3), QColor(253, 0, 2));

    const QImage plain = linearGradient(CoverMode::MiniCd, QColor(40, 50, 60), QColor(40, 50, 60));
    EXPECT_EQ(plain, solidPicture(300, 300, QColor(40, 50, 60)));
}

TEST(Gradient, EllipticalRingsCloseInWithoutGapsOnAWhiteGround) {
    const QImage picture = ellipticalGradient(kRed, kBlue);
    ASSERT_EQ(picture.size(), QSize(450, 450));
    ASSERT_EQ(picture.format(), QImage::Format_BGR888);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(449, 0), QPoint(0, 449), QPoint(449, 449), QPoint(60, 60)})
        EXPECT_EQ(picture.pixelColor(corner), kWhite) << corner.x() << "," << corner.y();
    // The outer ring holds 100/322 of the difference: 255 - 25500/322 = 176 and 79.
    const QColor outer(176, 0, 79);
    EXPECT_EQ(ellipticalRingColour(kRed, kBlue, 1), outer);
    // Ring 2 holds 101/322: 25755/322 = 79.98, still 79.
    EXPECT_EQ(ellipticalRingColour(kRed, kBlue, 2), outer);
    EXPECT_EQ(ellipticalRingColour(kRed, kBlue, 3), QColor(175, 0, 80));
    EXPECT_EQ(picture.pixelColor(225, 0), outer);
    EXPECT_EQ(picture.pixelColor(0, 225), outer);
    EXPECT_EQ(picture.pixelColor(224, 449), outer);
    for (const QPoint centre : {QPoint(224, 224), QPoint(225, 225), QPoint(224, 225), QPoint(225, 224)})
        EXPECT_EQ(picture.pixelColor(centre), kBlue);

    // Along a radius and a diagonal the colour only moves towards colour 2: no white between rings.
    const auto walk = [&](QPoint from, QPoint step, int count) {
        for (int i = 1; i < count; ++i) {
            const QColor before = picture.pixelColor(from + (i - 1) * step);
            const QColor here = picture.pixelColor(from + i * step);
            ASSERT_LE(here.red(), before.red()) << i;
            ASSERT_GE(here.blue(), before.blue()) << i;
        }
    };
    walk({0, 225}, {1, 0}, 226);
    walk({67, 67}, {1, 1}, 159);
}

TEST(QuarterTurn, MatchesQtsRotationAndComesBackAfterFourTurns) {
    // Odd widths give padded rows: 7 * 3 = 21 bytes in a 24-byte row.
    for (const QSize size : {QSize(7, 5), QSize(5, 7), QSize(1, 3), QSize(450, 450)}) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        const QImage picture = noisePicture(size.width(), size.height(), size.width() * 17 + size.height());
        const QImage left = turnedLeft(picture), right = turnedRight(picture);
        ASSERT_EQ(left.size(), size.transposed());
        ASSERT_EQ(right.format(), QImage::Format_BGR888);
        EXPECT_EQ(left, picture.transformed(QTransform().rotate(-90)).convertToFormat(QImage::Format_BGR888));
        EXPECT_EQ(right, picture.transformed(QTransform().rotate(90)).convertToFormat(QImage::Format_BGR888));
        EXPECT_EQ(turnedLeft(turnedLeft(turnedLeft(left))), picture);
        EXPECT_EQ(turnedRight(turnedRight(turnedRight(right))), picture);
        EXPECT_EQ(turnedRight(left), picture);
    }
}

TEST(QuarterTurn, CornersGoWhereTheTurnTakesThemFromAnyFormat) {
    const QImage picture = noisePicture(5, 3, 9).convertToFormat(QImage::Format_RGB32);
    const QImage left = turnedLeft(picture), right = turnedRight(picture);
    ASSERT_EQ(left.size(), QSize(3, 5));
    EXPECT_EQ(left.pixel(0, 0), picture.pixel(4, 0)); // top-right becomes top-left
    EXPECT_EQ(left.pixel(0, 4), picture.pixel(0, 0));
    EXPECT_EQ(right.pixel(2, 0), picture.pixel(0, 0)); // top-left becomes top-right
    EXPECT_EQ(right.pixel(0, 0), picture.pixel(0, 2));
    EXPECT_TRUE(turnedLeft(QImage()).isNull());
    EXPECT_TRUE(turnedRight(QImage()).isNull());
}

TEST(InsertPicture, SquarePictureGoesInWholeAtItsPlaceAndIsClippedAtEveryEdge) {
    const QImage current = noisePicture(200, 150, 1);
    const QImage added = noisePicture(64, 64, 2);
    // The added picture stands 10 right of and 20 below the current picture's corner.
    const QRect region = insertionRegion({310, 220}, added.size(), {300, 200});
    EXPECT_EQ(region, QRect(10, 20, 64, 64));
    const QImage result = withInsertedPicture(current, added, region.topLeft());
    EXPECT_EQ(result.copy(10, 20, 64, 64), added);
    EXPECT_EQ(result, paintedOver(current, added, {10, 20}));

    for (const QPoint at :
         {QPoint(-5, -7), QPoint(150, 100), QPoint(-64, 0), QPoint(0, 150), QPoint(-70, -70)})
        EXPECT_EQ(withInsertedPicture(current, added, at), paintedOver(current, added, at))
            << at.x() << "," << at.y();
    EXPECT_TRUE(withInsertedPicture(QImage(), added, {0, 0}).isNull());
    EXPECT_EQ(withInsertedPicture(current, QImage(), {0, 0}), current);
}

TEST(InsertPicture, CrosswiseRegionKeepsTheAddedPicturesSquare) {
    const QImage current = solidPicture(200, 200, Qt::gray);
    const QImage wide = noisePicture(100, 50, 3);
    EXPECT_EQ(insertionRegion({10, 20}, wide.size(), {0, 0}), QRect(10, 20, 50, 100));
    const QImage result = withInsertedPicture(current, wide, {10, 20});
    EXPECT_EQ(result.copy(10, 20, 50, 50), wide.copy(0, 0, 50, 50));
    // Below the wide picture's 50 rows and right of its left square, nothing changes.
    EXPECT_EQ(result.copy(10, 70, 50, 50), solidPicture(50, 50, Qt::gray));
    EXPECT_EQ(result.copy(60, 20, 50, 50), solidPicture(50, 50, Qt::gray));

    const QImage tall = noisePicture(30, 80, 4);
    const QImage withTall = withInsertedPicture(current, tall, {0, 0});
    EXPECT_EQ(withTall.copy(0, 0, 30, 30), tall.copy(0, 0, 30, 30));
    EXPECT_EQ(withTall.copy(0, 30, 30, 50), solidPicture(30, 50, Qt::gray));
}

TEST(InsertPicture, PalettePicturesBecomeTwentyFourBitOthersKeepTheirFormat) {
    const QImage added = solidPicture(4, 4, QColor(10, 200, 30));
    for (const QImage::Format format : {QImage::Format_Mono, QImage::Format_Indexed8}) {
        const QImage current = solidPicture(10, 10, Qt::white).convertToFormat(format);
        const QImage result = withInsertedPicture(current, added, {3, 3});
        EXPECT_EQ(result.format(), QImage::Format_BGR888);
        EXPECT_EQ(result.pixelColor(3, 3), QColor(10, 200, 30));
        EXPECT_EQ(result.pixelColor(7, 7), kWhite);
    }
    const QImage rgb32 = withInsertedPicture(
        solidPicture(10, 10, Qt::white).convertToFormat(QImage::Format_RGB32), added, {6, 6});
    EXPECT_EQ(rgb32.format(), QImage::Format_RGB32);
    EXPECT_EQ(rgb32.pixelColor(9, 9), QColor(10, 200, 30));
    EXPECT_EQ(rgb32.pixelColor(5, 9), kWhite);
}

TEST(InsertPicture, DraggingStopsAtTheWindowsTopAndLeftOnly) {
    EXPECT_EQ(draggedPosition({0, 200}, {5, 5}, {25, 10}), QPoint(20, 205));
    EXPECT_EQ(draggedPosition({10, 20}, {30, 30}, {5, 8}), QPoint(0, 0));
    EXPECT_EQ(draggedPosition({10, 20}, {30, 30}, {45, 8}), QPoint(25, 0));
    EXPECT_EQ(draggedPosition({900, 700}, {0, 0}, {500, 400}), QPoint(1400, 1100));
}
