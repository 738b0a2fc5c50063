// Printing the current insert and setting up the printer, through the main window's buttons.
#include "cover/fitpixels.h"
#include "render/printedpictures.h"
#include "support/slotfixture.h"

#include <QAction>
#include <QToolButton>

namespace {

class Print : public SlotTest {
protected:
    // Opens a picture into the current slot and fits it.
    void fitted(const QString& name, const QImage& picture) { open(bmpFile(name, picture), Adjust::Resize); }

    const TestPrinter::Job& onlyJob() {
        EXPECT_EQ(printer.jobs.size(), 1u);
        return printer.jobs.front();
    }

    static QImage seen(const PrintedImage& printed) {
        return printed.asSeen().convertToFormat(QImage::Format_BGR888);
    }
    // What the job drew, brought back to the size of the screen's picture.
    static double offScreen(const PrintedImage& printed, const QImage& screen) {
        return meanDifference(stretchToSize(seen(printed), screen.size()), screen);
    }
};

// The test printer: 4800 x 6600 dots over 203 x 279 mm, 236 whole dots per centimetre both ways.
TEST_F(Print, BothPicturesAtTheirOffsetsAtTheTrueSize) {
    start();
    fitted("red.bmp", solidPicture(900, 900, Qt::red));
    control<QToolButton>(form(), "SpeedButton9").click();
    fitted("blue.bmp", solidPicture(600, 800, Qt::blue));
    control<QToolButton>(form(), "SpeedButton4").click();

    const TestPrinter::Job& job = onlyJob();
    EXPECT_EQ(job.title, "Obn7000");
    EXPECT_TRUE(job.ended);
    EXPECT_EQ(job.otherDrawings, 0);
    ASSERT_EQ(job.images.size(), 2u);
    EXPECT_EQ(job.images[0].target, QRect(0, 0, 2837, 2838));
    EXPECT_EQ(job.images[1].target, QRect(0, 3540, 2837, 2838)); // 15.00 cm
    // The pictures are made again at the printer's dots: the same pictures, only sharper.
    for (size_t i : {0, 1}) {
        EXPECT_EQ(job.images[i].image.size(), QSize(2837, 2838));
        EXPECT_LT(offScreen(job.images[i], form().document().slotKept[i].bitmap()), 2.0);
    }
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();

    // Print at screen resolution sends the fitted pictures themselves, and is remembered.
    control<QAction>(form(), "PrintAtScreenResolution1").trigger();
    control<QToolButton>(form(), "SpeedButton4").click();
    ASSERT_EQ(printer.jobs.size(), 2u);
    EXPECT_EQ(seen(printer.jobs.back().images[0]), form().document().slotKept[0].bitmap());
    EXPECT_EQ(seen(printer.jobs.back().images[1]), form().document().slotKept[1].bitmap());
    EXPECT_EQ(folder.read("print.obn"), "screen resolution\r\n");
    program.reset();
    start();
    EXPECT_TRUE(control<QAction>(form(), "PrintAtScreenResolution1").isChecked());
}

TEST_F(Print, OnlyTheLoadedPictureAtItsOwnOffsetsAndTheCalibratedSize) {
    folder.write("Back_cfg.ini", "1.00\r\n2.00\r\n0.50\r\n10.00\r\n3000\r\n2000\r\n");
    start();
    form().switchToMode(CoverMode::BackCover);
    control<QToolButton>(form(), "SpeedButton9").click();
    fitted("photo.bmp", gradientPicture(1200, 1000));
    control<QAction>(form(), "Print1").trigger();

    const TestPrinter::Job& job = onlyJob();
    ASSERT_EQ(job.images.size(), 1u);
    EXPECT_EQ(job.images[0].target, QRect(118, 2360, 3000, 2000));
    EXPECT_EQ(job.images[0].image.size(), QSize(3000, 2000));
    EXPECT_EQ(form().document().coverDotsX, 3000);
    EXPECT_EQ(form().document().coverDotsY, 2000);
}

TEST_F(Print, NothingToPrintIsSaidAndNoPageGoesOut) {
    start(); // the example picture is not the user's
    control<QToolButton>(form(), "SpeedButton4").click();
    form().switchToMode(CoverMode::FrontCover);
    control<QToolButton>(form(), "SpeedButton4").click();
    EXPECT_TRUE(printer.jobs.empty());
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(ui.messages()[0].startsWith("Nothing to print") && ui.messages()[0].contains("Cd Cover"));
    EXPECT_TRUE(ui.messages()[1].contains("Front Cover"));
}

TEST_F(Print, CurrentSlotIsKeptAsShownTheOtherAsItWas) {
    start();
    fitted("red.bmp", solidPicture(900, 900, Qt::red));
    control<QToolButton>(form(), "SpeedButton9").click();
    fitted("green.bmp", solidPicture(900, 900, Qt::green));
    const QImage firstKept = form().document().slotKept[0].bitmap();
    form().document().slotPicture[1].bitmap().fill(Qt::yellow); // as an effect would change it
    form().document().slotPicture[0].assign(solidPicture(450, 450, Qt::black));

    control<QToolButton>(form(), "SpeedButton4").click();
    const TestPrinter::Job& job = onlyJob();
    ASSERT_EQ(job.images.size(), 2u);
    EXPECT_LT(offScreen(job.images[0], firstKept), 2.0);
    // A change that was not a step cannot be made again: the screen's picture prints.
    EXPECT_EQ(seen(job.images[1]).pixelColor(225, 225), QColor(Qt::yellow));
    EXPECT_EQ(job.images[1].image.size(), QSize(450, 450));
    EXPECT_EQ(form().document().slotKept[1].bitmap(), form().document().slotPicture[1].bitmap());
}

TEST_F(Print, UnusableCalibrationValueIsNamedAndNothingPrints) {
    struct Case {
        int line;
        QByteArray value;
    };
    const std::vector<Case> cases = {{1, ""},
                                     {2, "abc"},
                                     {3, "1.2.3"},
                                     {4, "1,5"},
                                     {1, "nan"},
                                     {2, "inf"},
                                     {3, "1e999"},
                                     {5, "2834.5"},
                                     {6, "-10"},
                                     {4, "99999999999"},
                                     {1, QByteArray(1000 * 1000, '9')}};
    for (const Case& c : cases) {
        QByteArrayList lines = {"0.00", "0.00", "0.00", "15.00", "2834", "2834"};
        lines[c.line - 1] = c.value;
        folder.write("Cd_cfg.ini", lines.join("\r\n") + "\r\n");
        start();
        control<QToolButton>(form(), "SpeedButton4").click();
        EXPECT_TRUE(printer.jobs.empty()) << c.value.left(20).constData();
        ASSERT_EQ(ui.messages().size(), 1);
        const QString message = ui.messages().front();
        EXPECT_TRUE(
            message.contains(QStringLiteral("line %1 of the calibration file \"Cd_cfg.ini\"").arg(c.line)))
            << message.toStdString();
        EXPECT_LT(message.size(), 300);
        ui.calls.clear();
        program.reset();
    }
}

TEST_F(Print, RefusedJobOrNoPrinterIsReportedNotPrinted) {
    start();
    fitted("red.bmp", solidPicture(900, 900, Qt::red));
    printer.refuseJobs = true;
    control<QToolButton>(form(), "SpeedButton4").click();
    EXPECT_TRUE(printer.jobs.empty());
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QLatin1String("refused")));

    program.reset();
    ui.calls.clear();
    printer.uninstall();
    start();
    form().switchToMode(CoverMode::BackCover); // enables the Print button again
    fitted("red.bmp", solidPicture(900, 900, Qt::red));
    ASSERT_TRUE(control<QToolButton>(form(), "SpeedButton4").isEnabled());
    control<QToolButton>(form(), "SpeedButton4").click();
    EXPECT_TRUE(printer.jobs.empty());
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(ui.messages().back().startsWith(QLatin1String("No printer is installed")))
        << ui.messages().back().toStdString();
}

struct SetupCase {
    CoverMode mode;
    int dotsX, dotsY;
};

TEST_F(Print, AcceptedSetupMeasuresTheModeAgainOnTheNewPrinter) {
    // A4 at 600 dpi: 4960 x 7016 dots over 210 x 297 mm.
    for (const SetupCase& c :
         {SetupCase{CoverMode::CdCover, 2834, 2834}, SetupCase{CoverMode::FrontCover, 2834, 2834},
          SetupCase{CoverMode::BackCover, 3566, 2811}, SetupCase{CoverMode::MiniCd, 1889, 1889}}) {
        printer.install(TestPrinter::dpi600Letter());
        start();
        form().switchToMode(c.mode);
        printer.install({600, 600, 210, 297, 4960, 7016});
        ui.printerSetupAnswers.push_back(true);
        control<QToolButton>(form(), "SpeedButton6").click();
        EXPECT_EQ(form().document().coverDotsX, c.dotsX);
        EXPECT_EQ(form().document().coverDotsY, c.dotsY);
        EXPECT_EQ(form().document().calibrationText[4], QString::number(c.dotsX));
        EXPECT_EQ(form().document().calibrationText[5], QString::number(c.dotsY));
        EXPECT_EQ(form().document().printerChanged, (std::array<bool, 4>{true, true, true, true}));
        EXPECT_EQ(form().document().printerReading.horzSizeMm, 210.0f);
        program.reset();
    }
}

TEST_F(Print, CancelledSetupChangesNothing) {
    start();
    const CalibrationTexts before = form().document().calibrationText;
    printer.install({600, 600, 210, 297, 4960, 7016});
    control<QAction>(form(), "Printersetup1").trigger();
    EXPECT_EQ(ui.calls.back().kind, "printerSetup");
    EXPECT_EQ(form().document().calibrationText, before);
    EXPECT_EQ(form().document().coverDotsX, 2837);
    EXPECT_EQ(form().document().printerReading.horzSizeMm, 203.0f);
    EXPECT_EQ(form().document().printerChanged, (std::array<bool, 4>{}));
}

} // namespace
