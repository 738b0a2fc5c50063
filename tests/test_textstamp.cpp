#include "text/textstamp.h"

#include <QImage>
#include <QTransform>
#include <gtest/gtest.h>

namespace {
QImage white(int size) {
    QImage image(size, size, QImage::Format_BGR888);
    image.fill(Qt::white);
    return image;
}

QRect ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            box |= image.pixel(x, y) == qRgb(255, 255, 255) ? QRect() : QRect(x, y, 1, 1);
    return box;
}

// Reversed, the stamp is the straight ink turned a quarter anticlockwise about its corner, inside
// the box that stands on the corner with the sides swapped.
TEST(TextStamp, ReversedIsTheStraightInkTurnedIntoTheStandingBox) {
    TextStamp stamp{.caption = "Hello Stamp", .pointSize = 20, .colour = Qt::blue};
    QImage flat = white(300), turned = white(300);
    stampText(flat, stamp, {30, 250});
    stamp.reversed = true;
    stampText(turned, stamp, {30, 250});
    const QRect box = stampBox(stamp, {30, 250});
    EXPECT_EQ(box.bottomLeft(), QPoint(30, 249));
    EXPECT_EQ(box.size(), stampSize(stamp).transposed());
    EXPECT_TRUE(box.contains(ink(turned)));
    const QRect expected =
        QTransform().translate(30, 250).rotate(-90).translate(-30, -250).mapRect(ink(flat));
    for (int edge = 0; edge < 4; ++edge) {
        const auto sides = [edge](QRect r) {
            return std::array{r.left(), r.top(), r.right(), r.bottom()}[edge];
        };
        EXPECT_NEAR(sides(ink(turned)), sides(expected), 1) << "edge " << edge;
    }
}

// Cut at the picture's edges; nothing to draw leaves even a picture with a colour table as it was.
TEST(TextStamp, IsCutAtTheEdgesAndAnEmptyOrOutsideStampChangesNothing) {
    const TextStamp stamp{.caption = "Dpi", .pointSize = 30};
    QImage indexed = white(120).convertToFormat(QImage::Format_Indexed8);
    const QImage before = indexed;
    stampText(indexed, {}, {0, 0});
    stampText(indexed, stamp, {500, 0});
    EXPECT_EQ(indexed, before);
    stampText(indexed, stamp, {-20, 100});
    EXPECT_EQ(indexed.format(), QImage::Format_BGR888);
    EXPECT_EQ(ink(indexed).left(), 0);
    EXPECT_GE(ink(indexed).top(), 100);
    EXPECT_EQ(ink(indexed).bottom(), 119);
}
} // namespace
