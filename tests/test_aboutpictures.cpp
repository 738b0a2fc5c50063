// The pictures the help and credits windows draw for themselves.
#include "about/eyepicture.h"
#include "about/textbarpicture.h"

#include <QColor>
#include <gtest/gtest.h>

namespace {

// Pixels of `area` that differ clearly from the colour at its top-left corner: the ink drawn on
// a flat background.
int inkIn(const QImage& picture, const QRect& area) {
    const QColor background = picture.pixelColor(area.topLeft());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            count += std::abs(c.lightness() - background.lightness()) > 60 ? 1 : 0;
        }
    return count;
}

TEST(AboutPictures, TheEyeIsBlueOnATransparentGround) {
    const QImage eye = eyePicture(50);
    ASSERT_EQ(eye.size(), QSize(50, 50));
    for (const QPoint corner : {QPoint(0, 0), QPoint(49, 0), QPoint(0, 49), QPoint(49, 49)})
        EXPECT_EQ(eye.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
    int opaque = 0;
    int bluish = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            const QColor c = eye.pixelColor(x, y);
            if (c.alpha() < 255)
                continue;
            ++opaque;
            bluish += c.blue() >= c.red() && c.blue() >= c.green() ? 1 : 0;
        }
    EXPECT_GT(opaque, 50 * 50 / 4);
    EXPECT_GT(bluish, opaque * 9 / 10);
    EXPECT_LT(eye.pixelColor(25, 27).lightness(), 60); // the pupil
}

TEST(AboutPictures, TheTextBarPictureShowsTheMenuWithItsThreeEntries) {
    const QImage picture = textBarPicture(
        "TEXT !", {{"Change Text", {}}, {"Apply Changes", "Ctrl+A"}, {"Hide text area", "Ctrl+H"}});
    ASSERT_EQ(picture.size(), kTextBarPictureSize);
    const TextBarPictureLayout layout = textBarPictureLayout(3);
    ASSERT_EQ(layout.entries.size(), 3u);
    EXPECT_TRUE(QRect(QPoint(0, 0), kTextBarPictureSize).contains(layout.menu));
    EXPECT_GT(inkIn(picture, layout.floatingText), 40);
    for (size_t i = 0; i < layout.entries.size(); ++i) {
        const QRect entry = layout.entries[i];
        const QRect name(entry.left(), entry.top(), entry.width() / 2, entry.height());
        const QRect shortcut(entry.right() - 60, entry.top(), 50, entry.height());
        EXPECT_GT(inkIn(picture, name), 30) << "entry " << i;
        // Only Apply and Hide have a shortcut.
        EXPECT_EQ(inkIn(picture, shortcut) > 20, i > 0) << "entry " << i;
    }
}

} // namespace
