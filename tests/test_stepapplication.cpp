// Each kind of step applied the same way on screen and at a printed size, and refused with a
// reason where it cannot be applied.
#include "decor/quarterturn.h"
#include "render/stepapplication.h"
#include "support/pictures.h"

#include <gtest/gtest.h>

namespace {

// The box of the pixels that are not white.
QRect inkBox(const QImage& picture) {
    QRect box;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

StepPictures fittedTo(const QImage& picture) {
    return {picture, picture, picture};
}

TEST(StepApplication, StepsThatNeedAPictureOrAFitSayWhy) {
    const StepCanvas screen = StepCanvas::screen(CoverMode::FrontCover, {});
    StepPictures none;
    EXPECT_TRUE(applyStep({"Stamp", StampStep{TextStamp{"A"}, {10, 10}}}, none, screen).has_value());
    EXPECT_TRUE(applyStep({"Rotate Left", TurnStep{true}}, none, screen).has_value());
    EXPECT_TRUE(applyStep({"Resize", FitStep{}}, none, screen).has_value()) << "no picture to fit";

    const QImage drawn = solidPicture(450, 450, Qt::red);
    StepPictures unfitted{drawn, {}, {}};
    EXPECT_TRUE(applyStep({"Clear", ClearStep{}}, unfitted, screen).has_value());
    EXPECT_EQ(unfitted.picture, drawn);
}

// The picture turns as it is, and the picture as fitted turns with it; printed a dot taller than
// wide, the turn comes back to the printed size.
TEST(StepApplication, ATurnTurnsThePictureAndThePictureAsFitted) {
    const QImage fitted = gradientPicture(450, 450);
    StepPictures pictures{noisePicture(450, 450, 1), {}, fitted};
    const QImage shown = pictures.picture;
    ASSERT_FALSE(applyStep({"Rotate Right", TurnStep{false}}, pictures,
                           StepCanvas::screen(CoverMode::FrontCover, {})));
    EXPECT_EQ(pictures.picture, turnedRight(shown));
    EXPECT_EQ(pictures.fitted, turnedRight(fitted));
    EXPECT_EQ(pictures.kept, pictures.picture);

    StepPictures printed = fittedTo(gradientPicture(900, 901));
    ASSERT_FALSE(applyStep({"Rotate Left", TurnStep{true}}, printed,
                           StepCanvas::printed(CoverMode::FrontCover, {900, 901})));
    EXPECT_EQ(printed.picture.size(), QSize(900, 901));
    EXPECT_EQ(printed.fitted.size(), QSize(900, 901));
}

// The Back Cover printed twice as wide and three times as high: a stamp and an inserted picture
// land at their screen places scaled across and down each on its own.
TEST(StepApplication, APrintedScaleThatIsNotSquareScalesEachWayOnItsOwn) {
    const QSize printedSize(1010, 1230);
    const QImage white = solidPicture(printedSize.width(), printedSize.height(), Qt::white);
    const StepCanvas printed = StepCanvas::printed(CoverMode::BackCover, printedSize);
    ASSERT_EQ(printed.scale(), QSizeF(2, 3));

    StepPictures inserted = fittedTo(white);
    ASSERT_FALSE(applyStep({"Insert Picture", InsertStep{solidPicture(20, 10, Qt::blue), {100, 50}}},
                           inserted, printed));
    // An inserted picture is taken square, its shorter side.
    EXPECT_EQ(inkBox(inserted.picture), QRect(200, 150, 20, 30));

    StepPictures stamped = fittedTo(white);
    ASSERT_FALSE(applyStep({"Stamp", StampStep{TextStamp{"H"}, {100, 50}}}, stamped, printed));
    const QRect ink = inkBox(stamped.picture);
    ASSERT_FALSE(ink.isEmpty());
    StepPictures onScreen = fittedTo(solidPicture(505, 410, Qt::white));
    ASSERT_FALSE(applyStep({"Stamp", StampStep{TextStamp{"H"}, {100, 50}}}, onScreen,
                           StepCanvas::screen(CoverMode::BackCover, {})));
    const QRect screenInk = inkBox(onScreen.picture);
    EXPECT_NEAR(ink.top(), screenInk.top() * 3, 3);
    EXPECT_NEAR(ink.left(), screenInk.left() * 2, 3);
    EXPECT_NEAR(ink.height(), screenInk.height() * 3, 4);
}

} // namespace
