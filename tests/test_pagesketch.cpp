#include "print/pagesketch.h"

#include <QColor>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Piece fill and outline are blue; the paper, its outline and the labels are white or grey.
bool isPiece(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return c.alpha() == 255 && c.blue() - c.red() > 40;
}

QRect opaqueBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).alpha() == 255)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The bounding boxes of the blue pieces, split where a row holds no piece pixel.
std::vector<QRect> pieces(const QImage& image) {
    std::vector<QRect> found;
    bool inPiece = false;
    for (int y = 0; y < image.height(); ++y) {
        QRect row;
        for (int x = 0; x < image.width(); ++x)
            if (isPiece(image, x, y))
                row |= QRect(x, y, 1, 1);
        if (!row.isNull() && !inPiece)
            found.push_back(row);
        else if (!row.isNull())
            found.back() |= row;
        inPiece = !row.isNull();
    }
    return found;
}

} // namespace

TEST(PageSketch, SheetIsCentredAtA4ProportionsWithTransparentSurroundings) {
    for (const QSize size : {QSize(500, 620), QSize(400, 200), QSize(211, 297), QSize(90, 90)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        const QImage sketch = pageSketch(CoverMode::CdCover, size);
        ASSERT_EQ(sketch.size(), size);
        EXPECT_EQ(sketch.format(), QImage::Format_ARGB32);
        const QRect sheet = opaqueBounds(sketch);
        EXPECT_TRUE(sheet.width() == size.width() || sheet.height() == size.height());
        EXPECT_NEAR(sheet.width() * 297.0, sheet.height() * 210.0, 297.0);
        EXPECT_LE(std::abs(sheet.left() - (size.width() - sheet.right() - 1)), 1);
        EXPECT_LE(std::abs(sheet.top() - (size.height() - sheet.bottom() - 1)), 1);
        EXPECT_EQ(sketch.pixelColor(sheet.center()), QColor(Qt::white));
    }
    EXPECT_TRUE(pageSketch(CoverMode::CdCover, QSize(0, 40)).isNull());
}

struct ModeCase {
    CoverMode mode;
    double widthCm;
    double heightCm;
    bool disc;
};

TEST(PageSketch, TwoPiecesToScaleOneAboveTheOther) {
    const ModeCase cases[] = {{CoverMode::CdCover, 12.0, 12.0, true},
                              {CoverMode::FrontCover, 12.0, 12.0, false},
                              {CoverMode::BackCover, 15.1, 11.9, false},
                              {CoverMode::MiniCd, 8.0, 8.0, true}};
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(modeInfo(c.mode).statusText);
        const QImage sketch = pageSketch(c.mode, QSize(500, 620));
        const QRect sheet = opaqueBounds(sketch);
        const double pixelsPerCm = sheet.height() / 29.7;
        const std::vector<QRect> found = pieces(sketch);
        ASSERT_EQ(found.size(), 2u);
        for (const QRect& piece : found) {
            EXPECT_NEAR(piece.width(), c.widthCm * pixelsPerCm, 2.0);
            EXPECT_NEAR(piece.height(), c.heightCm * pixelsPerCm, 2.0);
            EXPECT_LT(piece.left() - sheet.left(), sheet.width() / 10);
            EXPECT_EQ(isPiece(sketch, piece.center().x(), piece.center().y()), !c.disc);
        }
        EXPECT_LT(found[0].top() - sheet.top(), sheet.height() / 10);
        EXPECT_NEAR(found[1].top() - found[0].top(), 15.0 * pixelsPerCm, 2.0);
        EXPECT_NEAR(found[1].left(), found[0].left(), 1.0);
    }
}
