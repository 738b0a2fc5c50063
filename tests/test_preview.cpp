// Painting the current picture, First / Second and Clear.
#include "app/clientarea.h"
#include "platform/qt/statuspanels.h"
#include "support/programfixture.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QToolButton>

namespace {
class Preview : public ProgramTest {
protected:
    QImage painted() { return control<ClientArea>(form(), "client").grab().toImage(); }
};

TEST_F(Preview, DrawsThePictureCentredBetweenTheToolBars) {
    start();
    ASSERT_EQ(form().frameGeometry().size(), QSize(790, 600));
    const QImage screen = painted();
    EXPECT_EQ(form().pictureCorner().x(), 123);
    EXPECT_EQ(form().pictureCorner().y(), 75);
    const QImage& example = form().document().slotPicture[0].bitmap();
    for (const QPoint at : {QPoint(0, 0), QPoint(449, 0), QPoint(225, 300), QPoint(449, 449)})
        EXPECT_EQ(screen.pixelColor(at + QPoint(123, 75)), example.pixelColor(at)) << at.x() << "," << at.y();
}

TEST_F(Preview, FollowsTheWindowSizeAndKeepsTheLogoAtTheRightEdge) {
    start();
    form().resize(1000, 700);
    painted();
    const QSize outer = form().frameGeometry().size();
    EXPECT_EQ(form().pictureCorner().x(), (36 + outer.width() - 130) / 2 - 225);
    EXPECT_EQ(form().pictureCorner().y(), (34 + outer.height() - 33) / 2 - 225);
    EXPECT_EQ(control<QFrame>(form(), "Panel5").x(), outer.width() - 65);
    EXPECT_EQ(control<QLabel>(form(), "floatinglabel").pos(),
              QPoint(outer.width() / 2 - control<QLabel>(form(), "floatinglabel").width() / 2 - 50,
                     outer.height() / 2 - 60));

    const int logoLeft = control<QFrame>(form(), "Panel5").x();
    form().resize(740, 600);
    painted();
    EXPECT_LE(form().frameGeometry().width(), 750);
    EXPECT_EQ(control<QFrame>(form(), "Panel5").x(), logoLeft)
        << "a window of 750 pixels or less leaves the logo where it is";
}

TEST_F(Preview, SecondShowsTheEmptySecondPictureAndFirstBringsTheExampleBack) {
    start();
    const QImage example = form().document().slotPicture[0].bitmap();
    control<QToolButton>(form(), "SpeedButton9").click();
    EXPECT_EQ(form().document().slotCode, 11);
    EXPECT_EQ(form().statusText(2), "Picture #2");
    EXPECT_TRUE(form().document().slotPicture[1].isEmpty());
    EXPECT_TRUE(form().document().slotPicture[0].isEmpty());
    EXPECT_EQ(form().document().slotKept[0].bitmap(), example);
    const QImage screen = painted();
    EXPECT_NE(screen.pixelColor(123 + 225, 75 + 100), example.pixelColor(225, 100));

    control<QToolButton>(form(), "SpeedButton8").click();
    EXPECT_EQ(form().document().slotCode, 1);
    EXPECT_EQ(form().statusText(2), "Picture #1");
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), example);
    EXPECT_EQ(painted().pixelColor(123 + 225, 75 + 100), example.pixelColor(225, 100));
}

TEST_F(Preview, SwitchingKeepsWhatWasDrawnOnEachPicture) {
    start();
    form().document().slotPicture[0].bitmap().setPixelColor(10, 10, Qt::green);
    control<QToolButton>(form(), "SpeedButton9").click();
    form().document().slotPicture[1] = Picture(solidPicture(30, 30, Qt::yellow));
    control<QToolButton>(form(), "SpeedButton8").click();
    EXPECT_EQ(form().document().slotPicture[0].bitmap().pixelColor(10, 10), QColor(Qt::green));
    EXPECT_EQ(form().document().slotKept[1].width(), 30);
    control<QToolButton>(form(), "SpeedButton9").click();
    EXPECT_EQ(form().document().slotPicture[1].bitmap().pixelColor(0, 0), QColor(Qt::yellow));
}

TEST_F(Preview, PressingTheCurrentPictureAgainOnlyResetsTheStatus) {
    start();
    control<QToolButton>(form(), "SpeedButton9").click();
    form().document().slotPicture[1] = Picture(solidPicture(30, 30, Qt::yellow));
    control<StatusPanels>(form(), "StatusBar1").setText(4, "Activated");
    control<QToolButton>(form(), "SpeedButton9").click();
    EXPECT_EQ(form().document().slotCode, 11);
    EXPECT_EQ(form().document().slotPicture[1].width(), 30);
    EXPECT_EQ(form().statusText(4), "Desactivated");
    EXPECT_EQ(control<StatusPanels>(form(), "StatusBar2").text(1), "Reverse desactivated");

    control<QToolButton>(form(), "SpeedButton8").click();
    control<StatusPanels>(form(), "StatusBar1").setText(4, "Activated");
    control<QToolButton>(form(), "SpeedButton8").click();
    EXPECT_EQ(form().document().slotCode, 1);
    EXPECT_EQ(form().statusText(4), "Desactivated");
}

TEST_F(Preview, SwitchingPicturesHidesTheFloatingText) {
    start();
    control<QLabel>(form(), "floatinglabel").move(300, 200);
    control<QLabel>(form(), "floatinglabel").show();
    control<QToolButton>(form(), "SpeedButton19").click(); // Reverse text
    control<QToolButton>(form(), "SpeedButton9").click();
    EXPECT_FALSE(control<QLabel>(form(), "floatinglabel").isVisibleTo(&form()));
    EXPECT_EQ(control<QLabel>(form(), "floatinglabel").pos(), QPoint(8, 72));
    EXPECT_FALSE(form().reverseActive());
}

TEST_F(Preview, ClearBringsBackTheFittedPicture) {
    start();
    Picture(gradientPicture(640, 480)).saveBmp(folder.file("photo.bmp"));
    openPicture(*program, ui, folder.file("photo.bmp"), Adjust::Nothing);
    const QImage opened = form().document().slotPicture[0].bitmap();
    control<QToolButton>(form(), "SpeedButton5").click();
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), opened) << "not fitted: nothing happens";

    control<QAction>(form(), "Resize1").trigger();
    const QImage fitted = form().document().slotPicture[0].bitmap();
    doubleClick(control<QLabel>(form(), "floatinglabel"));
    control<QAction>(form(), "ApplyChangesAppliquerleschangements1").trigger(); // a stamp
    ASSERT_NE(form().document().slotPicture[0].bitmap(), fitted);
    control<QToolButton>(form(), "SpeedButton5").click();
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), fitted);
    EXPECT_EQ(form().document().slotKept[0].bitmap(), fitted) << "Clear leaves the kept copy alone";
    EXPECT_EQ(Picture::loadProgramBmp(folder.file("refresh1.bmp")).bitmap(), fitted);
}

TEST_F(Preview, ClearWithAMissingFittedFileReportsItAndKeepsThePicture) {
    start();
    form().document().slotLoaded[0] = form().document().slotResized[0] = true;
    const QImage before = form().document().slotPicture[0].bitmap();
    control<QAction>(form(), "Refresh1").trigger(); // fails, and says so
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().constFirst().contains("refresh1.bmp"))
        << ui.messages().constFirst().toStdString();
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), before);
}
} // namespace

// The tool bar answers a real mouse click on a shown window, not only programmatic clicks.
TEST_F(Preview, ToolBarButtonsAnswerMouseClicks) {
    start();
    form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    // Through the window, so the click finds its widget the way a real one does.
    const QPoint at = control<QToolButton>(form(), "SpeedButton9")
                          .mapTo(&form(), control<QToolButton>(form(), "SpeedButton9").rect().center());
    QTest::mouseClick(form().windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form().document().slotCode, 11);
    EXPECT_EQ(QApplication::widgetAt(form().mapToGlobal(at)), &control<QToolButton>(form(), "SpeedButton9"));
}

// A picture larger than the free area is covered by the tool bars and the status bar.
TEST_F(Preview, ToolBarsAndStatusBarHideALargePicture) {
    start();
    QImage red(1600, 1200, QImage::Format_BGR888);
    red.fill(Qt::red);
    form().document().slotPicture[0] = Picture(red);
    form().show();
    const QImage shot = form().grab().toImage();
    for (QWidget* bar : {static_cast<QWidget*>(&control<QFrame>(form(), "Menu")),
                         static_cast<QWidget*>(&control<QFrame>(form(), "Menu1")),
                         static_cast<QWidget*>(&control<StatusPanels>(form(), "StatusBar1"))}) {
        const QPoint inside = bar->mapTo(&form(), QPoint(bar->width() - 4, bar->height() / 2));
        EXPECT_NE(shot.pixelColor(inside), QColor(Qt::red)) << bar->objectName().toStdString();
    }
}
