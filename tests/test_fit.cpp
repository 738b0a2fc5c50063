// Fitting an opened picture to its cover: the Adjust window, Resize, Resize-Adjust and Save.
#include "cover/discgeometry.h"
#include "decor/tform16.h"
#include "platform/qt/imageview.h"
#include "platform/qt/statuspanels.h"
#include "support/slotfixture.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QTest>

namespace {

class Fit : public SlotTest {};

TEST_F(Fit, PhotographIntoCdCoverIsSqueezedToTheDiscAndKept) {
    start();
    open(bmpFile(QStringLiteral("photo.bmp"), gradientPicture(1600, 1200)), Adjust::Resize);

    const QImage fitted = slot(0).bitmap();
    ASSERT_EQ(fitted.size(), QSize(450, 450));
    const QImage mask = form().document().discMask.bitmap().convertToFormat(QImage::Format_BGR888);
    ASSERT_EQ(mask.size(), QSize(450, 450));
    for (int y = 0; y < 450; ++y)
        for (int x = 0; x < 450; ++x)
            if (mask.pixelColor(x, y) != QColor(Qt::black)) {
                ASSERT_EQ(fitted.pixelColor(x, y), mask.pixelColor(x, y)) << x << "," << y;
            }
    EXPECT_EQ(Picture::loadBmp(folder.file("tst.bmp")).bitmap().size(), QSize(900, 900));
    EXPECT_EQ(Picture::loadBmp(folder.file("refresh1.bmp")).bitmap(), fitted);
    EXPECT_EQ(form().document().slotKept[0].bitmap(), fitted);
    EXPECT_EQ(form().statusText(1), "Resized");
    EXPECT_TRUE(form().document().slotResized[0]);
    EXPECT_TRUE(program->Form1->result() == QDialog::Accepted);
}

TEST_F(Fit, FittingTwiceDoesNothingUntilTheNextOpen) {
    start();
    const QString path = bmpFile(QStringLiteral("photo.bmp"), gradientPicture(800, 600));
    open(path, Adjust::Resize);
    slot(0).bitmap().setPixelColor(225, 100, Qt::yellow); // something drawn on the fitted picture
    control<QToolButton>(form(), "SpeedButton2").click();
    control<QToolButton>(form(), "SpeedButton5")
        .click(); // Clear brings the fit back but does not make it fittable again
    slot(0).bitmap().setPixelColor(225, 100, Qt::yellow);
    control<QToolButton>(form(), "SpeedButton2").click();
    EXPECT_EQ(slot(0).bitmap().pixelColor(225, 100), QColor(Qt::yellow));

    open(path);
    EXPECT_FALSE(form().document().slotResized[0]);
    control<QToolButton>(form(), "SpeedButton2").click();
    EXPECT_TRUE(form().document().slotResized[0]);
    EXPECT_EQ(slot(0).bitmap().size(), QSize(450, 450));
}

TEST_F(Fit, EachModeEndsAtItsCoverSize) {
    start();
    QImage whitePicture(640, 480, QImage::Format_BGR888);
    whitePicture.fill(Qt::white);
    const QString white = bmpFile(QStringLiteral("white.bmp"), whitePicture);
    form().switchToMode(CoverMode::MiniCd);
    control<QToolButton>(form(), "SpeedButton9").click();
    open(white, Adjust::Resize);
    EXPECT_EQ(slot(7).bitmap().size(), QSize(300, 300));
    EXPECT_TRUE(folder.exists(QStringLiteral("refresh8.bmp")));

    form().switchToMode(CoverMode::FrontCover);
    open(white, Adjust::Resize);
    EXPECT_EQ(slot(2).bitmap().size(), QSize(450, 450));
    EXPECT_EQ(slot(2).bitmap().pixelColor(0, 0), QColor(252, 252, 252));
    EXPECT_EQ(slot(2).bitmap().pixelColor(449, 449), QColor(252, 252, 252));

    form().switchToMode(CoverMode::BackCover);
    open(white, Adjust::Resize);
    EXPECT_EQ(slot(4).bitmap().size(), QSize(505, 410));
    EXPECT_EQ(Picture::loadBmp(folder.file("refresh5.bmp")).bitmap().size(), QSize(505, 410));
    EXPECT_EQ(Picture::loadBmp(folder.file("tst.bmp")).bitmap().size(), QSize(1020, 830));
}

TEST_F(Fit, RefusedWithoutAPictureAndTakenFromTheDocumentNotTheStatusBar) {
    start();
    control<QToolButton>(form(), "SpeedButton2").click();
    control<QToolButton>(form(), "SpeedButton9").click();
    control<QToolButton>(form(), "SpeedButton2").click();
    EXPECT_EQ(ui.messages(),
              (QStringList{"Picture #1 :\nPlease... load a picture.\n\nPicture #1 :\nChargez une Image.",
                           "Picture #2 :\nPlease... load a picture.\n\nPicture #2 :\nChargez une Image."}));

    // The slot fitted is the document's current one, whatever the status bar's panels say.
    open(bmpFile(QStringLiteral("p.bmp"), gradientPicture(100, 100)));
    control<StatusPanels>(form(), "StatusBar1").setText(3, QStringLiteral("Front Cover"));
    control<QToolButton>(form(), "SpeedButton2").click();
    EXPECT_TRUE(form().document().slotResized[1]);
    EXPECT_EQ(slot(1).bitmap().size(), QSize(450, 450));
}

TEST_F(Fit, AFolderThatCannotBeWrittenLeavesTheSlotUnfitted) {
    start();
    open(bmpFile(QStringLiteral("p.bmp"), gradientPicture(100, 80)));
    for (const char* blocked : {"tst.bmp", "refresh1.bmp"}) {
        ASSERT_TRUE(QDir(folder.path()).mkdir(QLatin1String(blocked)));
        ui.calls.clear();
        control<QToolButton>(form(), "SpeedButton2").click();
        ASSERT_EQ(ui.messages().size(), 1) << blocked;
        EXPECT_TRUE(ui.messages()[0].contains(QLatin1String(blocked))) << ui.messages()[0].toStdString();
        EXPECT_EQ(slot(0).bitmap().size(), QSize(100, 80));
        EXPECT_FALSE(form().document().slotResized[0]);
        EXPECT_NE(form().statusText(1), "Resized");
        QDir(folder.path()).rmdir(QLatin1String(blocked));
    }
    // The Adjust window has no other way out, so it closes even when the fit fails.
    folder.remove(QStringLiteral("tst.bmp"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("tst.bmp")));
    program->Form1->setResult(QDialog::Rejected);
    open(bmpFile(QStringLiteral("q.bmp"), gradientPicture(100, 80)), Adjust::Resize);
    EXPECT_EQ(program->Form1->result(), QDialog::Accepted);
}

TEST_F(Fit, ResizeAdjustNeedsAPictureLargerThanTheFrame) {
    start();
    open(bmpFile(QStringLiteral("small.bmp"), gradientPicture(451, 600)), Adjust::ResizeAdjust);
    EXPECT_EQ(ui.modalWindows(), QStringList{"Form1"});
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].startsWith(QStringLiteral("Picture too small or no picture loaded...")));

    ui.calls.clear();
    open(bmpFile(QStringLiteral("big.bmp"), gradientPicture(452, 452)), Adjust::ResizeAdjust);
    EXPECT_EQ(ui.modalWindows(), (QStringList{"Form1", "Form16"}));
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(program->Form16->Image1->picture().bitmap().size(), QSize(452, 452));

    // Mini Cd has no slide: the Adjust window says so and stays open.
    form().switchToMode(CoverMode::MiniCd);
    ui.calls.clear();
    program->Form1->setResult(QDialog::Rejected);
    open(bmpFile(QStringLiteral("mini.bmp"), gradientPicture(900, 900)), Adjust::ResizeAdjust);
    EXPECT_EQ(ui.messages(), QStringList{"Not available yet"});
    EXPECT_EQ(program->Form1->result(), QDialog::Rejected);
}

// "Resize - Take a slide" says why it cannot take a part, instead of calling a fitted photo too
// small or doing nothing on the Mini Cd.
TEST_F(Fit, TakeASlideSaysWhyItCannot) {
    start();
    QAction& takeASlide = control<QAction>(form(), "ResizeTakeasmide1");
    open(bmpFile(QStringLiteral("big.bmp"), gradientPicture(900, 900)), Adjust::Resize);
    ui.calls.clear();
    takeASlide.trigger();
    EXPECT_EQ(ui.messages(),
              QStringList{"Picture #1 is fitted already: open the photo again to take a part of it."});
    EXPECT_TRUE(ui.modalWindows().isEmpty());

    form().switchToMode(CoverMode::MiniCd);
    open(bmpFile(QStringLiteral("mini.bmp"), gradientPicture(900, 900)));
    ui.calls.clear();
    takeASlide.trigger();
    EXPECT_EQ(ui.messages(), QStringList{"Not available yet"});
    EXPECT_TRUE(ui.modalWindows().isEmpty());
}

TEST_F(Fit, AdjustWindowIsWorkedFromTheKeyboard) {
    start();
    open(bmpFile(QStringLiteral("p.bmp"), gradientPicture(200, 100)));
    TForm1& adjust = *program->Form1;
    adjust.show();
    QApplication::setActiveWindow(&adjust);
    EXPECT_EQ(adjust.focusWidget(), adjust.SpeedButton1);
    QTest::keyClick(adjust.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(adjust.focusWidget(), adjust.SpeedButton2);
    QTest::keyClick(adjust.focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(adjust.focusWidget(), adjust.SpeedButton1);
    QTest::keyClick(adjust.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(adjust.isVisible());
    EXPECT_TRUE(form().document().slotResized[0]);

    // Escape leaves the window with the picture as it was.
    adjust.show();
    QTest::keyClick(&adjust, Qt::Key_Escape);
    EXPECT_FALSE(adjust.isVisible());
    EXPECT_TRUE(form().document().slotResized[0]);
}

class Save : public SlotTest {
protected:
    void save(const QString& path) {
        ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
        control<QToolButton>(form(), "SpeedButton3").click();
    }
};

TEST_F(Save, NamesGetTheBmpExtensionUnlessTheyContainIt) {
    start();
    open(bmpFile(QStringLiteral("p.bmp"), gradientPicture(640, 480)), Adjust::Resize);
    QTemporaryDir target;
    save(target.filePath(QStringLiteral("Obn7000")));
    ASSERT_EQ(ui.fileRequests.size(), 2u);
    EXPECT_EQ(ui.fileRequests[1].presetName, "Obn7000");
    EXPECT_EQ(ui.fileRequests[1].filters, QStringList{"All (*.bmp)"});
    save(target.filePath(QStringLiteral("cover.bmp")));
    save(target.filePath(QStringLiteral("cover")));
    save(target.filePath(QStringLiteral("loud.BMP")));
    save(target.filePath(QStringLiteral("a.bmp.old")));
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"Obn7000.bmp", "a.bmp.old", "cover.bmp", "loud.BMP.bmp"}));
    EXPECT_TRUE(ui.messages().isEmpty());
    const Picture written = Picture::loadBmp(target.filePath(QStringLiteral("Obn7000.bmp")));
    EXPECT_EQ(written.bitmap(), slot(0).bitmap());
}

TEST_F(Save, AnExistingFileIsReplacedOnlyAfterOk) {
    start();
    open(bmpFile(QStringLiteral("p.bmp"), gradientPicture(64, 32)));
    QTemporaryDir target;
    const QString path = target.filePath(QStringLiteral("cover.bmp"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("precious");
    old.close();

    ui.confirmAnswers.push_back(false);
    save(path);
    EXPECT_EQ(ui.calls.back().kind, "confirm");
    EXPECT_EQ(ui.calls.back().text, "Existing file : replace it ?");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "precious");
    old.close();

    ui.confirmAnswers.push_back(true);
    save(path);
    EXPECT_EQ(Picture::loadBmp(path).bitmap(), slot(0).bitmap());
}

// The example picture and an empty Picture #2 are not the user's: Save says so and asks no name.
TEST_F(Save, NothingToSaveIsToldBeforeTheDialogAndNothingIsWrittenOnFailure) {
    start();
    QTemporaryDir target;
    ui.fileAnswers.push_back(FileDialogAnswer{target.filePath(QStringLiteral("Obn7000")), 0});
    control<QToolButton>(form(), "SpeedButton3").click();
    control<QAction>(form(), "Second1").trigger();
    control<QAction>(form(), "Savepicture1").trigger();
    EXPECT_TRUE(QDir(target.path()).isEmpty());
    EXPECT_TRUE(ui.fileRequests.empty());
    EXPECT_EQ(
        ui.messages(),
        (QStringList{"There is nothing to save: Picture #1 of the Cd Cover holds no picture of yours yet. "
                     "Open a picture first (Files > Load picture...).",
                     "There is nothing to save: Picture #2 of the Cd Cover holds no picture of yours yet. "
                     "Open a picture first (Files > Load picture...)."}));
    ui.fileAnswers.clear();
    control<QAction>(form(), "First1").trigger();
    ui.calls.clear();

    open(bmpFile(QStringLiteral("p.bmp"), gradientPicture(64, 32)));
    save(target.filePath(QStringLiteral("no/such/folder/cover")));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages()[0].contains(QStringLiteral("cover.bmp")));
    save(QString()); // a dialog that gives no name writes nothing, not even ".bmp" in the working folder
    EXPECT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(QDir(target.path()).isEmpty());
}

} // namespace
