// What the program looks like right after it starts, with and without a printer.
#include "about/tform20.h"
#include "decor/tform18.h"
#include "decor/tform7.h"
#include "platform/ownfolder.h"
#include "platform/qt/statuspanels.h"
#include "print/tform19.h"
#include "support/programfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {
QStringList statusTexts(const TForm15& form) {
    QStringList texts;
    for (int i = 0; i < 5; ++i)
        texts << form.statusText(i);
    return texts;
}

const QStringList kStartStatus{"       None...", "Waiting", "Picture #1", "Cd Cover", "Desactivated"};

using StartUp = ProgramTest;

TEST_F(StartUp, WithPrinterReadsMetricsAndComputesTheDiscSize) {
    start();
    EXPECT_EQ(statusTexts(form()), kStartStatus);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join("|").toStdString();
    EXPECT_FALSE(form().document().noPrinter);
    EXPECT_EQ(form().document().printerReading.logPixelsX, 600.0f);
    EXPECT_EQ(form().document().printerReading.horzSizeMm, 203.0f);
    EXPECT_EQ(form().document().printerReading.vertRes, 6600.0f);
    EXPECT_EQ(form().document().coverDotsX, 2837);
    EXPECT_EQ(form().document().coverDotsY, 2838);
    EXPECT_EQ(form().document().calibrationText,
              (CalibrationTexts{"0.00", "0.00", "0.00", "15.00", "2837", "2838"}));
    EXPECT_FALSE(folder.exists("Cd_cfg.ini")) << "start-up never writes the calibration file";
    for (QToolButton* button :
         {&control<QToolButton>(form(), "SpeedButton4"), &control<QToolButton>(form(), "SpeedButton6"),
          &control<QToolButton>(form(), "SpeedButton11")})
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_EQ(form().document().slotCode, 1);
}

TEST_F(StartUp, WithoutPrinterWarnsOnceAndDisablesPrinting) {
    printer.uninstall();
    start();
    EXPECT_EQ(statusTexts(form()), kStartStatus);
    EXPECT_EQ(ui.messages(), QStringList{"No PRINTER installed, Printing buttons will be disabled..."});
    EXPECT_TRUE(form().document().noPrinter);
    for (QToolButton* button :
         {&control<QToolButton>(form(), "SpeedButton4"), &control<QToolButton>(form(), "SpeedButton6"),
          &control<QToolButton>(form(), "SpeedButton11")})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_FALSE(control<QAction>(form(), "Print1").isEnabled());
    EXPECT_FALSE(control<QAction>(form(), "Printersetup1").isEnabled());
    EXPECT_TRUE(control<QAction>(form(), "Loadpicture1").isEnabled());
    EXPECT_EQ(form().document().printerReading.horzSizeMm, 0.0f);
    EXPECT_EQ(form().document().coverDotsX, 0);
    EXPECT_EQ(form().document().coverDotsY, 0);
    EXPECT_EQ(form().document().calibrationText[3], "15.00");
}

TEST_F(StartUp, ShowsTheExamplePictureWithoutCountingItAsLoaded) {
    start();
    const Picture& example = form().document().slotPicture[0];
    ASSERT_FALSE(example.isEmpty());
    EXPECT_EQ(example.width(), 450);
    EXPECT_EQ(example.height(), 450);
    EXPECT_EQ(example.bitmap(), Picture::loadBmp(folder.file("exemple.bmp")).bitmap());
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_FALSE(form().document().slotLoaded[i]);
        EXPECT_FALSE(form().document().slotResized[i]);
        EXPECT_TRUE(form().document().slotKept[i].isEmpty());
    }
    EXPECT_EQ(form().document().discMask.width(), 450);
    EXPECT_EQ(form().document().smallDiscMask.width(), 300);
}

TEST_F(StartUp, CreatesTheLanguageChoiceFileWithEnglish) {
    start();
    EXPECT_EQ(folder.read("config.obn"), QByteArray("english.lag\r\n"));
    EXPECT_EQ(form().document().languageFileName, "english.lag");
}

TEST_F(StartUp, ReadsAnExistingLanguageChoiceUnchanged) {
    folder.write("config.obn", "french.lag\r\nignored.lag\r\n");
    start();
    EXPECT_EQ(form().document().languageFileName, "french.lag");
    EXPECT_EQ(folder.read("config.obn"), QByteArray("french.lag\r\nignored.lag\r\n"));
}

TEST_F(StartUp, AnEmptyLanguageChoiceMeansEnglish) {
    folder.write("config.obn", "");
    start();
    EXPECT_EQ(form().document().languageFileName, "english.lag");
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(StartUp, TakesAnExistingCalibrationAsTextAndLeavesTheSizeForLater) {
    folder.write("Cd_cfg.ini", "0.50\r\n0.25\r\n1.00\r\n14.50\r\n2800\r\n2790\r\n");
    start();
    EXPECT_EQ(form().document().calibrationText,
              (CalibrationTexts{"0.50", "0.25", "1.00", "14.50", "2800", "2790"}));
    EXPECT_EQ(form().document().coverDotsX, 0);
    EXPECT_EQ(form().document().coverDotsY, 0);
}

TEST_F(StartUp, AShortCalibrationFileTakesDefaultsForMissingLines) {
    folder.write("Cd_cfg.ini", "0.50\n0.25\n");
    start();
    EXPECT_EQ(form().document().calibrationText,
              (CalibrationTexts{"0.50", "0.25", "0.00", "15.00", "2837", "2838"}));
}

TEST_F(StartUp, MissingShippedBitmapsAreReportedOnceByNameAndTheProgramGoesOn) {
    folder.remove("round.bmp");
    folder.write("exemple.bmp", "BM this is not a picture");
    start();
    ASSERT_EQ(ui.messages().size(), 1);
    const QString message = ui.messages().constFirst();
    EXPECT_TRUE(message.contains("round.bmp")) << message.toStdString();
    EXPECT_TRUE(message.contains("exemple.bmp")) << message.toStdString();
    EXPECT_FALSE(message.contains("round_min.bmp")) << message.toStdString();
    EXPECT_TRUE(form().document().discMask.isEmpty());
    EXPECT_TRUE(form().document().slotPicture[0].isEmpty());
    form().switchToMode(CoverMode::MiniCd);
    control<QToolButton>(form(), "SpeedButton9").click();
    EXPECT_EQ(form().statusText(2), "Picture #2");
    EXPECT_EQ(ui.messages().size(), 1);
}

TEST_F(StartUp, TextBarListsStartOnTheSecondFontAndTwelvePoints) {
    start();
    EXPECT_EQ(control<QComboBox>(form(), "combotaillefonte").count(), 72);
    EXPECT_EQ(control<QComboBox>(form(), "combotaillefonte").currentText(), "12");
    EXPECT_EQ(control<QComboBox>(form(), "combotaillefonte").itemText(71), "340");
    ASSERT_GT(control<QComboBox>(form(), "Combofonte").count(), 1);
    EXPECT_EQ(control<QComboBox>(form(), "Combofonte").currentIndex(), 1);
    EXPECT_TRUE(control<QLineEdit>(form(), "Edition").font().bold());
    EXPECT_FALSE(control<QLineEdit>(form(), "Edition").font().italic());
    EXPECT_FALSE(control<QFrame>(form(), "supfloat").isVisible());
    EXPECT_FALSE(control<QLabel>(form(), "floatinglabel").isVisible());
}

TEST_F(StartUp, CreatesEveryWindowWithItsCaption) {
    start();
    EXPECT_EQ(form().windowTitle(), "Orbalin Special Edition 1.0.6");
    EXPECT_EQ(form().frameGeometry().size(), QSize(790, 600));
    EXPECT_TRUE(form().isVisible());
    const std::pair<QWidget*, const char*> windows[] = {
        {program->Form19, "Calibrate..."},
        {program->Form18, "Gradient"},
        {program->Form20, "About"},
    };
    for (const auto& [window, caption] : windows)
        EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(program->Form19->Edit1->text(), "0.50");
    EXPECT_EQ(program->Form19->Edit4->text(), "15.00");
    EXPECT_TRUE(program->Form19->Edit5->text().isEmpty());
    for (QWidget* window : form().findChildren<QDialog*>())
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
}

TEST_F(StartUp, QuitResetsTheFloatingTextAndClosesTheWindow) {
    start();
    control<QLabel>(form(), "floatinglabel").setText("stamp");
    control<QLabel>(form(), "floatinglabel").move(300, 300);
    control<QLabel>(form(), "floatinglabel").show();
    control<QToolButton>(form(), "SpeedButton19").click(); // Reverse text
    control<QAction>(form(), "Quit1").trigger();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(control<QLabel>(form(), "floatinglabel").text(), "TEXT ! Move, Double Click...");
    EXPECT_EQ(control<QLabel>(form(), "floatinglabel").pos(), QPoint(8, 72));
    EXPECT_EQ(control<QLabel>(form(), "floatinglabel").font().pointSize(), 12);
    EXPECT_FALSE(form().reverseActive());
}
} // namespace

namespace {

// Installed for all users, the program folder cannot be written: everything the program writes
// goes to the user's own folder and is read from there at the next start.
TEST_F(StartUp, AReadOnlyProgramFolderKeepsTheUsersFilesInTheirOwnFolder) {
    QTemporaryDir userData;
    const QString own = userData.path() + QStringLiteral("/orbalin/");
    EXPECT_EQ(foldersForOwnFiles(folder.path(), {own, own}).own, folder.path());
    EXPECT_EQ(foldersForOwnFiles(folder.file("exemple.bmp/"), {own, own}).own, own)
        << "a folder that cannot be written";

    const QByteArray shippedChoice = folder.read("config.obn");
    const auto run = [&] {
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0, {}, own});
    };
    run();
    Picture(gradientPicture(640, 480)).saveBmp(userData.filePath("photo.bmp"));
    openPicture(*program, ui, userData.filePath("photo.bmp"), Adjust::Resize);
    ui.modalActions.push_back([](QDialog& shown) {
        auto& calibrate = static_cast<TForm19&>(shown);
        calibrate.Edit1->setText(QStringLiteral("0.40"));
        calibrate.SpeedButton1->click();
    });
    control<QToolButton>(form(), "SpeedButton11").click();
    ui.modalActions.push_back(
        [](QDialog& shown) { shown.findChild<QAbstractButton*>(QStringLiteral("Button1"))->click(); });
    control<QAction>(form(), "German1").trigger();
    control<QAction>(form(), "PrintAtScreenResolution1").trigger();

    for (const char* file : {"cd1_tmp.bmp", "tst.bmp", "refresh1.bmp", "Cd_cfg.ini", "print.obn"}) {
        EXPECT_TRUE(QFile::exists(own + QLatin1String(file))) << file;
        EXPECT_FALSE(folder.exists(QLatin1String(file))) << file;
    }
    EXPECT_EQ(folder.read("config.obn"), shippedChoice);

    program.reset();
    run();
    EXPECT_EQ(form().document().languageFileName, "german.lag");
    EXPECT_EQ(form().document().calibrationText[0], "0.40");
    EXPECT_TRUE(control<QAction>(form(), "PrintAtScreenResolution1").isChecked());
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
}

// Working pictures, which a fit makes again, have a folder of their own (the user's cache): Open,
// Fit and Clear write and read them there, and nowhere else.
TEST_F(StartUp, WorkingPicturesLiveInTheWorkFolderAndClearReadsThemThere) {
    QTemporaryDir data;
    QTemporaryDir cache;
    const QString own = data.path() + QLatin1Char('/');
    const QString work = cache.path() + QLatin1Char('/');
    program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0, {}, own, work});
    Picture(gradientPicture(640, 480)).saveBmp(data.filePath("photo.bmp"));
    openPicture(*program, ui, data.filePath("photo.bmp"), Adjust::Resize);
    EXPECT_EQ(QDir(cache.path()).entryList(QDir::Files),
              (QStringList{"cd1_tmp.bmp", "refresh1.bmp", "tst.bmp"}));
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files), (QStringList{"config.obn", "photo.bmp"}));
    const Picture fitted = form().document().slotPicture[0];
    control<QToolButton>(form(), "SpeedButton5").click(); // Clear, from the refresh file
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), fitted.bitmap());

    // A turn rewrites the picture as fitted in the work folder too, and nothing in the data folder.
    program->Form7->SpeedButton1->click();
    EXPECT_EQ(Picture::loadProgramBmp(cache.filePath("refresh1.bmp")).bitmap(),
              form().document().slotPicture[0].bitmap());
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files), (QStringList{"config.obn", "photo.bmp"}));
}

} // namespace
