// The Calibrate window: what it shows, what Ok saves, Default, the print test and the key filters.
#include "print/tform19.h"
#include "support/programfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

class Calibrate : public ProgramTest {
protected:
    TForm19& window() { return *program->Form19; }

    // Opens the Calibrate window and runs `action` while it is shown.
    void calibrate(std::function<void(TForm19&)> action) {
        ui.modalActions.push_back(
            [action = std::move(action)](QDialog& shown) { action(static_cast<TForm19&>(shown)); });
        control<QToolButton>(form(), "SpeedButton11").click();
    }

    QStringList shownTexts() {
        QStringList texts;
        for (QLineEdit* edit : window().edits())
            texts << edit->text();
        return texts;
    }
};

TEST_F(Calibrate, WithoutAFileShowsWhatPrintingUsesAndOkCreatesTheFile) {
    start();
    QStringList shown;
    calibrate([&](TForm19& w) {
        shown = shownTexts();
        w.SpeedButton1->click();
    });
    EXPECT_EQ(shown, (QStringList{"0.00", "0.00", "0.00", "15.00", "2837", "2838"}));
    EXPECT_EQ(ui.modalWindows(), QStringList{"Form19"});
    EXPECT_EQ(folder.read("Cd_cfg.ini"), "0.00\r\n0.00\r\n0.00\r\n15.00\r\n2837\r\n2838\r\n");
    EXPECT_EQ(form().document().calibrationText,
              (CalibrationTexts{"0.00", "0.00", "0.00", "15.00", "2837", "2838"}));
    EXPECT_TRUE(window().result() == QDialog::Accepted);
}

// Deleting the file while the program runs leaves its values in effect: Calibrate shows them and
// Ok saves them again. A stretch in effect that is no size (0, or not a number) takes the insert's
// true size.
TEST_F(Calibrate, AFileDeletedWhileRunningShowsTheValuesInEffect) {
    folder.write("Cd_cfg.ini", "0.30\r\n0.40\r\n0.50\r\n14.90\r\n2800\r\n2810\r\n");
    folder.write("Front_cfg.ini", "0.10\r\n0.20\r\n0.30\r\n14.00\r\n0\r\n0\r\n");
    folder.write("Back_cfg.ini", "0.10\r\n0.20\r\n0.30\r\n14.00\r\n3500\r\nabc\r\n");
    start();
    const struct {
        CoverMode mode;
        const char* file;
        QStringList inEffect;
    } cases[] = {
        {CoverMode::CdCover, "Cd_cfg.ini", {"0.30", "0.40", "0.50", "14.90", "2800", "2810"}},
        {CoverMode::FrontCover, "Front_cfg.ini", {"0.10", "0.20", "0.30", "14.00", "2837", "2838"}},
        {CoverMode::BackCover, "Back_cfg.ini", {"0.10", "0.20", "0.30", "14.00", "3570", "2815"}},
    };
    for (const auto& [mode, file, inEffect] : cases) {
        form().switchToMode(mode);
        folder.remove(file);
        QStringList shown;
        calibrate([&](TForm19& w) {
            shown = shownTexts();
            w.SpeedButton1->click();
        });
        EXPECT_EQ(shown, inEffect) << file;
        EXPECT_EQ(folder.read(file), (inEffect.join("\r\n") + "\r\n").toLatin1()) << file;
    }
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
}

TEST_F(Calibrate, ShowsTheModesFileAndSketch) {
    folder.write("Back_cfg.ini", "1.00\r\n2.00\r\n3.00\r\n4.00\r\n3500\r\n2800\r\n");
    start();
    form().switchToMode(CoverMode::BackCover);
    calibrate([](TForm19&) {});
    EXPECT_EQ(shownTexts(), (QStringList{"1.00", "2.00", "3.00", "4.00", "3500", "2800"}));
    EXPECT_FALSE(window().Image1->isVisibleTo(&window()));
    EXPECT_TRUE(window().Image3->isVisibleTo(&window()));
    EXPECT_FALSE(folder.exists("Cd_cfg.ini"));
}

TEST_F(Calibrate, DefaultThenOkWritesTheNewSizeAndKeepsTheOffsets) {
    folder.write("Cd_cfg.ini", "0.30\r\n0.40\r\n0.30\r\n14.90\r\n2800\r\n2800\r\n");
    start();
    printer.install({600, 600, 210, 297, 4960, 7016}); // the printer changed behind the program's back
    calibrate([](TForm19& w) {
        w.SpeedButton3->click();
        w.SpeedButton1->click();
    });
    EXPECT_EQ(folder.read("Cd_cfg.ini"), "0.30\r\n0.40\r\n0.30\r\n14.90\r\n2834\r\n2834\r\n");
    EXPECT_EQ(form().document().coverDotsX, 2834);
    EXPECT_EQ(form().document().printerChanged, (std::array<bool, 4>{}));
}

TEST_F(Calibrate, AfterAPrinterSetupShowsAndSavesTheNewSizeOnce) {
    folder.write("Cd_cfg.ini", "0.00\r\n0.00\r\n0.00\r\n15.00\r\n2800\r\n2800\r\n");
    start();
    printer.install({600, 600, 210, 297, 4960, 7016});
    ui.printerSetupAnswers.push_back(true);
    control<QToolButton>(form(), "SpeedButton6").click();
    calibrate([](TForm19& w) { w.SpeedButton1->click(); });
    EXPECT_EQ(folder.read("Cd_cfg.ini"), "0.00\r\n0.00\r\n0.00\r\n15.00\r\n2834\r\n2834\r\n");
    EXPECT_FALSE(form().document().printerChanged[0]);
    EXPECT_TRUE(form().document().printerChanged[1]);
}

TEST_F(Calibrate, OkThatCannotWriteTellsTheUserAndStillCloses) {
    start();
    calibrate([this](TForm19& w) {
        QDir(folder.path()).mkdir("Cd_cfg.ini"); // a folder where the file should go
        w.Edit4->setText("14.00");
        w.SpeedButton1->click();
    });
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QLatin1String("Cd_cfg.ini")))
        << ui.messages().front().toStdString();
    EXPECT_EQ(form().document().calibrationText[3], "14.00");
    EXPECT_FALSE(window().isVisible());
}

TEST_F(Calibrate, UnreadableFileIsReportedAndOkReplacesIt) {
    folder.write("Cd_cfg.ini", QByteArray(2 * 1024 * 1024, 'x')); // not a calibration file
    start();
    QStringList shown;
    calibrate([&](TForm19& w) {
        shown = shownTexts();
        w.SpeedButton1->click();
    });
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QLatin1String("Cd_cfg.ini")))
        << ui.messages().front().toStdString();
    EXPECT_EQ(shown.mid(4), (QStringList{"2837", "2838"}));
    EXPECT_EQ(folder.read("Cd_cfg.ini").count("\r\n"), 6);
}

TEST_F(Calibrate, PrintTestDrawsTwoFramesAtTheFieldsPlaces) {
    start();
    calibrate([](TForm19& w) {
        const QStringList values = {"0.00", "0.00", "1.00", "15.00", "2837", "2838"};
        for (int i = 0; i < 6; ++i)
            w.edits()[size_t(i)]->setText(values[i]);
        w.SpeedButton2->click();
        w.SpeedButton1->click();
    });
    ASSERT_EQ(printer.jobs.size(), 1u);
    const TestPrinter::Job& job = printer.jobs.front();
    EXPECT_EQ(job.title, "Calibration");
    EXPECT_TRUE(job.ended);
    ASSERT_EQ(job.images.size(), 2u);
    EXPECT_EQ(job.images[0].target, QRect(0, 0, 2837, 2838));
    EXPECT_EQ(job.images[1].target, QRect(236, 3540, 2837, 2838));
    const QImage frame = job.images[1].asSeen();
    EXPECT_EQ(frame.size(), QSize(450, 450));
    EXPECT_EQ(frame.pixelColor(0, 200), QColor(Qt::black));
    EXPECT_EQ(frame.pixelColor(449, 449), QColor(Qt::black));
    EXPECT_EQ(frame.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(frame.pixelColor(448, 225), QColor(Qt::white));
}

TEST_F(Calibrate, PrintTestRefusesEmptyAndUnusableValues) {
    start();
    const CalibrationTexts before = form().document().calibrationText;
    calibrate([](TForm19& w) {
        w.Edit6->clear();
        w.SpeedButton2->click();
        w.Edit6->setText("2800");
        w.Edit2->setText("1,5");
        w.SpeedButton2->click();
    });
    EXPECT_TRUE(printer.jobs.empty());
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messages()[0],
              "Empty value prohibited...\n\nValeur NULL interdite, veuillez entrer une valeur.");
    EXPECT_TRUE(ui.messages()[1].contains(QLatin1String("Picture #1, Vertical is \"1,5\"")))
        << ui.messages()[1].toStdString();
    EXPECT_EQ(form().document().calibrationText, before);
    EXPECT_FALSE(folder.exists("Cd_cfg.ini"));
}

TEST_F(Calibrate, OkRefusesAValueThatCannotBeAPlaceOnAPageAndStaysOpen) {
    start();
    const CalibrationTexts before = form().document().calibrationText;
    bool openAfterRefusal = false;
    calibrate([&](TForm19& w) {
        w.show();
        w.Edit4->setText("150.00");
        w.SpeedButton1->click();
        openAfterRefusal = w.isVisible();
        w.Edit4->setText("100.00");
        w.SpeedButton1->click();
    });
    EXPECT_TRUE(openAfterRefusal);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0],
              "Nothing was saved: the value of Picture #2, Vertical is \"150.00\", which is too "
              "far to be a place on the page.");
    EXPECT_EQ(folder.read("Cd_cfg.ini"), "0.00\r\n0.00\r\n0.00\r\n100.00\r\n2837\r\n2838\r\n");
    EXPECT_NE(form().document().calibrationText, before);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(Calibrate, FieldsLetThroughOnlyWhatTheyHold) {
    start();
    window().show();
    window().Edit1->clear();
    QTest::keyClicks(window().Edit1, "1.2.3");
    EXPECT_EQ(window().Edit1->text(), "1.23");
    QTest::keyClicks(window().Edit1, "a,x -");
    EXPECT_EQ(window().Edit1->text(), "1.23");
    QTest::keyClick(window().Edit1, Qt::Key_Backspace);
    EXPECT_EQ(window().Edit1->text(), "1.2");

    window().Edit2->setText(".");
    QTest::keyClicks(window().Edit2, "5");
    EXPECT_EQ(window().Edit2->text(), "5");

    window().Edit5->clear();
    QTest::keyClicks(window().Edit5, "28a.,3-4");
    EXPECT_EQ(window().Edit5->text(), "2834");

    // Enter in a field neither saves nor closes; Escape closes without saving.
    QTest::keyClick(window().Edit5, Qt::Key_Return);
    EXPECT_TRUE(window().isVisible());
    QTest::keyClick(window().Edit5, Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(folder.exists("Cd_cfg.ini"));
}

} // namespace
