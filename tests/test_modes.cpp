// Switching between Cd Cover, Front Cover, Back Cover and Mini Cd.
#include "decor/tform18.h"
#include "platform/qt/imageview.h"
#include "platform/qt/statuspanels.h"
#include "print/tform19.h"
#include "support/programfixture.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

namespace {
class ModeSwitch : public ProgramTest {
protected:
    void load(int slotIndex, const QImage& picture) {
        form().document().slotPicture[static_cast<size_t>(slotIndex)] = Picture(picture);
        form().document().slotLoaded[static_cast<size_t>(slotIndex)] = true;
    }
};

TEST_F(ModeSwitch, SetsStatusButtonsAndSlotForEachMode) {
    start();
    const struct {
        CoverMode mode;
        const char* status;
        int code;
        bool effects;
    } cases[] = {{CoverMode::FrontCover, "Front Cover", 2, true},
                 {CoverMode::BackCover, "Back Cover", 3, false},
                 {CoverMode::MiniCd, "Mini Cd", 4, false},
                 {CoverMode::CdCover, "Cd Cover", 1, true}};
    for (const auto& c : cases) {
        control<QToolButton>(form(), "SpeedButton9").click();
        form().switchToMode(c.mode);
        EXPECT_EQ(form().statusText(3), c.status);
        EXPECT_EQ(form().statusText(2), "Picture #1");
        EXPECT_EQ(form().document().slotCode, c.code);
        EXPECT_EQ(control<QToolButton>(form(), "SpeedButton23").isEnabled(), c.effects) << c.status;
        EXPECT_FALSE(control<QFrame>(form(), "Panel1").isVisible());
    }
}

TEST_F(ModeSwitch, PrinterSizesOfUncalibratedModes) {
    start();
    form().switchToMode(CoverMode::BackCover);
    EXPECT_EQ(form().document().coverDotsX, 3570);
    EXPECT_EQ(form().document().coverDotsY, 2815);
    EXPECT_EQ(form().document().calibrationText,
              (CalibrationTexts{"0.00", "0.00", "0.00", "15.00", "3570", "2815"}));
    form().switchToMode(CoverMode::MiniCd);
    EXPECT_EQ(form().document().coverDotsX, 1891);
    EXPECT_EQ(form().document().coverDotsY, 1892);
    EXPECT_FALSE(folder.exists("Back_cfg.ini"));
}

TEST_F(ModeSwitch, CalibratedModeTakesItsFileIntoItsTexts) {
    folder.write("Front_cfg.ini", "0.30\r\n0.40\r\n0.50\r\n14.00\r\n2900\r\n2910\r\n");
    start();
    form().switchToMode(CoverMode::FrontCover);
    EXPECT_EQ(form().document().calibrationText,
              (CalibrationTexts{"0.30", "0.40", "0.50", "14.00", "2900", "2910"}));
    EXPECT_EQ(form().document().coverDotsX, 2837) << "the size in dots keeps its previous value";
}

TEST_F(ModeSwitch, ChoosingTheCurrentModeAgainTouchesOnlyButtonsAndStatus) {
    start();
    form().switchToMode(CoverMode::BackCover);
    control<QToolButton>(form(), "SpeedButton9").click();
    form().document().slotPicture[5] = Picture(solidPicture(10, 10, Qt::red));
    form().document().calibrationText[0] = "9.99";
    control<StatusPanels>(form(), "StatusBar1").setText(4, "Activated");
    form().document().gradientState = 1;

    form().switchToMode(CoverMode::BackCover);
    EXPECT_TRUE(control<QFrame>(form(), "Panel1").isVisibleTo(&form()))
        << "Back Cover chosen again opens the mode chooser";
    EXPECT_EQ(form().document().slotCode, 33);
    EXPECT_EQ(form().statusText(2), "Picture #2");
    EXPECT_EQ(form().document().slotPicture[5].width(), 10);
    EXPECT_EQ(form().document().calibrationText[0], "9.99");
    EXPECT_EQ(form().statusText(4), "Desactivated");
    EXPECT_EQ(form().document().gradientState, 0);

    form().switchToMode(CoverMode::CdCover);
    control<QFrame>(form(), "Panel1").show();
    form().switchToMode(CoverMode::CdCover);
    EXPECT_FALSE(control<QFrame>(form(), "Panel1").isVisibleTo(&form()));
}

TEST_F(ModeSwitch, TheExamplePictureIsNotParked) {
    start();
    form().switchToMode(CoverMode::FrontCover);
    form().switchToMode(CoverMode::CdCover);
    EXPECT_TRUE(form().document().slotPicture[0].isEmpty());
    EXPECT_TRUE(form().document().slotKept[0].isEmpty());
}

TEST_F(ModeSwitch, ALoadedPictureSurvivesARoundTrip) {
    start();
    form().switchToMode(CoverMode::FrontCover);
    const QImage picture = solidPicture(450, 450, QColor(10, 200, 30));
    load(2, picture);
    form().switchToMode(CoverMode::CdCover);
    EXPECT_TRUE(form().document().slotPicture[2].isEmpty());
    EXPECT_EQ(form().document().slotKept[2].bitmap(), picture);
    form().switchToMode(CoverMode::FrontCover);
    EXPECT_EQ(form().document().slotPicture[2].bitmap(), picture);
    EXPECT_TRUE(form().document().slotLoaded[2]) << "switches never change the flags";
}

TEST_F(ModeSwitch, OnlyTheCurrentSlotIsParked) {
    start();
    form().switchToMode(CoverMode::FrontCover);
    load(2, solidPicture(8, 8, Qt::red));
    control<QToolButton>(form(), "SpeedButton9").click(); // Picture #1 kept, Picture #2 current
    load(3, solidPicture(6, 6, Qt::blue));
    form().switchToMode(CoverMode::MiniCd);
    EXPECT_EQ(form().document().slotKept[3].width(), 6);
    EXPECT_TRUE(form().document().slotPicture[3].isEmpty());
    EXPECT_EQ(form().document().slotKept[2].width(), 8);
    form().switchToMode(CoverMode::FrontCover);
    EXPECT_EQ(form().document().slotPicture[2].width(), 8) << "coming back shows Picture #1";
    EXPECT_EQ(form().document().slotCode, 2);
}

TEST_F(ModeSwitch, APrinterChangeGivesCalibratedModesTheNewSizeUntilSaved) {
    folder.write("Back_cfg.ini", "0.10\r\n0.20\r\n0.30\r\n14.00\r\n3000\r\n2500\r\n");
    start();
    printer.install({600, 600, 210, 297, 4960, 7016});
    ui.printerSetupAnswers.push_back(true);
    control<QToolButton>(form(), "SpeedButton6").click();
    form().switchToMode(CoverMode::BackCover);
    EXPECT_EQ(form().document().calibrationText,
              (CalibrationTexts{"0.10", "0.20", "0.30", "14.00", "3566", "2811"}));
    EXPECT_EQ(form().document().coverDotsX, 3566);
    EXPECT_EQ(form().document().printerChanged, (std::array<bool, 4>{true, true, true, true}))
        << "the new size holds until the calibration is saved";
    EXPECT_EQ(folder.read("Back_cfg.ini"), QByteArray("0.10\r\n0.20\r\n0.30\r\n14.00\r\n3000\r\n2500\r\n"));

    form().switchToMode(CoverMode::CdCover);
    form().switchToMode(CoverMode::BackCover);
    EXPECT_EQ(form().document().calibrationText[4], "3566")
        << "the second visit keeps the new printer's size";

    // Ok saves the mode's calibration: from then on the file's size is the one in effect.
    program->Form19->prepareFor(CoverMode::BackCover, {"0.10", "0.20", "0.30", "14.00", "3001", "2501"});
    program->Form19->SpeedButton1->click();
    form().switchToMode(CoverMode::CdCover);
    form().switchToMode(CoverMode::BackCover);
    EXPECT_EQ(form().document().calibrationText[4], "3001");
    EXPECT_EQ(form().document().calibrationText[5], "2501");
}

TEST_F(ModeSwitch, AnUnreadableCalibrationFileGivesTheModeItsOwnTrueSize) {
    folder.write("Cd_cfg.ini", "0.50\r\n0.50\r\n0.50\r\n15.00\r\n1200\r\n1200\r\n");
    folder.write("MiniCd_cfg.ini", QByteArray(2 * 1024 * 1024, 'x'));
    start();
    control<QAction>(form(), "MiniCD1").trigger();
    EXPECT_EQ(form().document().calibrationText,
              (CalibrationTexts{"0.00", "0.00", "0.00", "15.00", "1891", "1892"}));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QLatin1String("MiniCd_cfg.ini")));
}

TEST_F(ModeSwitch, WithoutPrinterOrCalibrationTheSwitchKeepsThePreviousSize) {
    printer.uninstall();
    folder.write("Cd_cfg.ini", "0.50\r\n0.50\r\n0.50\r\n15.00\r\n2800\r\n2800\r\n");
    start();
    for (CoverMode mode : {CoverMode::FrontCover, CoverMode::BackCover, CoverMode::MiniCd}) {
        form().switchToMode(mode);
        EXPECT_EQ(form().document().calibrationText,
                  (CalibrationTexts{"0.50", "0.50", "0.50", "15.00", "2800", "2800"}));
        EXPECT_EQ(form().document().coverDotsX, 0);
        EXPECT_EQ(form().statusText(3), QLatin1String(modeInfo(mode).statusText));
    }
    EXPECT_TRUE(control<QToolButton>(form(), "SpeedButton4").isEnabled())
        << "a switch into Back Cover enables Print again";
}

TEST_F(ModeSwitch, ModeChooserRowsAndMouseMovesOverTheWindow) {
    start();
    control<QFrame>(form(), "Panel1").show();
    QMouseEvent hover(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&control<QFrame>(form(), "Panel3"), &hover);
    EXPECT_EQ(control<QFrame>(form(), "Panel3").frameShadow(), QFrame::Raised);
    EXPECT_EQ(control<QFrame>(form(), "Panel2").frameShadow(), QFrame::Plain);
    EXPECT_TRUE(control<QFrame>(form(), "Panel1").isVisibleTo(&form()));

    QTest::mouseClick(&control<QFrame>(form(), "Panel3"), Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(form().statusText(3), "Front Cover");

    control<QFrame>(form(), "Panel1").show();
    QApplication::sendEvent(&control<QToolButton>(form(), "SpeedButton1"), &hover);
    EXPECT_FALSE(control<QFrame>(form(), "Panel1").isVisibleTo(&form()));
}

TEST_F(ModeSwitch, FunctionKeysSwitchModes) {
    start();
    form().activateWindow();
    QApplication::setActiveWindow(&form());
    QTest::keyClick(&form(), Qt::Key_F5);
    EXPECT_EQ(form().statusText(3), "Back Cover");
    QTest::keyClick(&form(), Qt::Key_F6);
    EXPECT_EQ(form().statusText(3), "Mini Cd");
    QTest::keyClick(&form(), Qt::Key_F2);
    EXPECT_EQ(form().statusText(2), "Picture #2");
}
} // namespace
