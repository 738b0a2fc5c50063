#include "decor/galleryart.h"

#include <QColor>
#include <gtest/gtest.h>
#include <set>

namespace {

double opaqueShare(const QImage& image) {
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    return double(opaque) / (image.width() * image.height());
}

} // namespace

TEST(Gallery, ThirteenDistinctSymbolsOnTransparentGround) {
    const std::vector<GalleryPicture> pictures = galleryPictures();
    ASSERT_EQ(pictures.size(), 13u);
    std::set<QString> names;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const GalleryPicture& entry = pictures[i];
        SCOPED_TRACE(entry.name.toStdString());
        EXPECT_FALSE(entry.name.isEmpty());
        names.insert(entry.name);
        ASSERT_EQ(entry.picture.size(), QSize(50, 50));
        EXPECT_TRUE(entry.picture.hasAlphaChannel());
        for (const QPoint corner : {QPoint(0, 0), QPoint(49, 0), QPoint(0, 49), QPoint(49, 49)})
            EXPECT_EQ(qAlpha(entry.picture.pixel(corner)), 0) << corner.x() << "," << corner.y();
        // A symbol that fills a good part of its square, yet leaves room around it.
        EXPECT_GT(opaqueShare(entry.picture), 0.1);
        EXPECT_LT(opaqueShare(entry.picture), 0.85);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(entry.picture, pictures[j].picture) << "same as " << pictures[j].name.toStdString();
    }
    EXPECT_EQ(names.size(), 13u);
}

TEST(Gallery, PreviewShowsWhiteWherePictureIsTransparent) {
    const QImage computer = galleryPictures().front().picture;
    const QImage preview = galleryPreview(computer);
    ASSERT_EQ(preview.size(), QSize(51, 51));
    EXPECT_EQ(preview.format(), QImage::Format_BGR888);
    for (const QPoint p : {QPoint(0, 0), QPoint(50, 0), QPoint(0, 50), QPoint(1, 1), QPoint(25, 0)})
        EXPECT_EQ(preview.pixelColor(p), QColor(Qt::white)) << p.x() << "," << p.y();
    // An opaque pixel of the picture lands one right and one down.
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            if (qAlpha(computer.pixel(x, y)) == 255) {
                ASSERT_EQ(preview.pixel(x + 1, y + 1), computer.pixel(x, y)) << x << "," << y;
            }

    QImage clear(50, 50, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    QImage white(51, 51, QImage::Format_BGR888);
    white.fill(Qt::white);
    EXPECT_EQ(galleryPreview(clear), white);
}
