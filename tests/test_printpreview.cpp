// Print preview and the warning before a cut page is printed. The preview window runs in a real
// modal loop: it draws the rectangles the print job draws, marks what the printer cannot reach,
// and hands Print and Export PDF back to the main window.
#include "platform/qt/qtinteraction.h"
#include "print/tform19.h"
#include "print/tfprintpreview.h"
#include "render/printedpictures.h"
#include "support/modaluser.h"
#include "support/printedpage.h"
#include "support/programfixture.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>

// Rectangles in a failure read as where and how large, in printer dots.
static void PrintTo(const QRect& rect, std::ostream* out) {
    *out << "(" << rect.x() << ", " << rect.y() << ") " << rect.width() << " x " << rect.height();
}

namespace {

TFPrintPreview& preview(QDialog& shown) {
    return static_cast<TFPrintPreview&>(shown);
}

QColor shownAt(TFPrintPreview& window, QPointF sheetMm) {
    return window.Page->grab().toImage().pixelColor(window.pixelOnPage(sheetMm));
}

class PagePreview : public ProgramTest {
protected:
    // Both Cd Cover pictures; Picture #1, the current one, was drawn on (green) since it was kept (red).
    void loadCdCover() {
        const QColor colours[][2] = {{Qt::green, Qt::red}, {Qt::yellow, Qt::blue}};
        for (const bool second : {false, true}) {
            const auto i = size_t(slotOf(CoverMode::CdCover, second).index);
            form().document().slotPicture[i] = Picture(solidPicture(450, 450, colours[second][0]));
            form().document().slotKept[i] = Picture(solidPicture(450, 450, colours[second][1]));
            form().document().slotLoaded[i] = true;
        }
    }
};

TEST_F(PagePreview, DrawsTheRectanglesThePrintJobDrawsAndPrintsFromTheWindow) {
    printer.poseAs(TestPrinter::a4WithMargins());
    start();
    loadCdCover();
    form().document().calibrationText = {"0.30", "0.70", "1.10", "14.90", "2827", "2801"};
    ui.realModalWindows = true;
    std::vector<QRect> previewed;
    QColor first, second;
    const QPointF corner = TestPrinter::a4WithMargins().sheet.printableMm.topLeft();
    ModalUser user;
    user.then("PrintPreview", [&](QDialog& shown) {
        first = shownAt(preview(shown), corner + QPointF(63, 67));
        second = shownAt(preview(shown), corner + QPointF(71, 209));
        previewed = preview(shown).drawnTargets();
        EXPECT_TRUE(printer.jobs.empty());
        EXPECT_EQ(form().document().slotKept[0].bitmap().pixelColor(0, 0), QColor(Qt::red));
        ModalUser::press(preview(shown).PrintButton);
    });
    ASSERT_TRUE(user.run([&] { control<QAction>(form(), "PrintPreview1").trigger(); }));
    ASSERT_EQ(printer.jobs.size(), 1u);
    std::vector<QRect> printed;
    for (const PrintedImage& image : printer.jobs.back().images)
        printed.push_back(image.target);
    ASSERT_EQ(previewed.size(), 2u);
    EXPECT_EQ(previewed, printed);
    // The current picture as drawn now, the other as it was kept: what the job carried.
    EXPECT_EQ(first, QColor(Qt::green));
    EXPECT_EQ(second, QColor(Qt::blue));
    EXPECT_EQ(printer.jobs.back().images[0].image.pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(PagePreview, APictureCutAtTheBottomIsMarkedInRedAndMeasured) {
    printer.poseAs(TestPrinter::letterWithMargins());
    start();
    loadCdCover();
    ui.modalActions.push_back([&](QDialog& shown) {
        TFPrintPreview& window = preview(shown);
        EXPECT_EQ(window.Warning->text(), "Picture #2 would be cut 2.4 mm at the bottom.");
        EXPECT_TRUE(window.Measures->text().contains("120.1 × 119.8 mm"))
            << window.Measures->text().toStdString();
        window.ActualSizeButton->click();
        EXPECT_DOUBLE_EQ(window.pixelsPerMm(), 96 / 25.4);
        // Picture #2 runs down to 275.4 mm on the sheet; the printer reaches 273.05 mm.
        const QColor cut = shownAt(window, QPointF(66, 274.3));
        EXPECT_TRUE(cut.red() > 60 && cut.blue() < 200) << cut.name().toStdString();
        EXPECT_EQ(shownAt(window, QPointF(40, 200)), QColor(Qt::blue));
        window.FitButton->click();
        EXPECT_LE(window.Page->height(), window.ScrollBox->viewport()->height());
        window.CloseButton->click();
    });
    control<QAction>(form(), "PrintPreview1").trigger();
}

TEST_F(PagePreview, AnEmptyModeIsShownSayingThereIsNothingToPrintAndCloseLeavesIt) {
    start();
    form().switchToMode(CoverMode::BackCover);
    ui.realModalWindows = true;
    ModalUser user;
    user.then("PrintPreview", [](QDialog& shown) {
        TFPrintPreview& window = preview(shown);
        EXPECT_TRUE(
            window.Warning->text().startsWith("Nothing to print: neither Picture #1 nor Picture #2 of "
                                              "the Back Cover"));
        EXPECT_FALSE(window.PrintButton->isEnabled() || window.ExportButton->isEnabled());
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
            EXPECT_FALSE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
        ModalUser::press(window.CloseButton);
    });
    EXPECT_TRUE(user.run([&] { control<QAction>(form(), "PrintPreview1").trigger(); }));
    EXPECT_FALSE(program->PrintPreview->isVisible());
    EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(PagePreview, ExportFromTheWindowGoesThroughTheRealSaveDialog) {
    QtInteraction desktop;
    program = std::make_unique<Orbalin>(ProgramContext{folder.path(), desktop, printer, 0});
    loadCdCover();
    QTemporaryDir out;
    // A folder whose name holds ".pdf" does not stand for the file's extension.
    const QString pdfFolder = out.filePath(QStringLiteral("my.pdf.dir"));
    ASSERT_TRUE(QDir().mkdir(pdfFolder));
    QStringList filters;
    ModalUser user;
    user.then("PrintPreview", [](QDialog& shown) { ModalUser::press(preview(shown).ExportButton); });
    user.then("QFileDialog", [&](QDialog& shown) {
        filters = static_cast<QFileDialog&>(shown).nameFilters();
        static_cast<QFileDialog&>(shown).setDirectory(pdfFolder);
        shown.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("cover"));
        shown.accept(); // as its Save button does
    });
    ASSERT_TRUE(user.run([&] { control<QAction>(form(), "PrintPreview1").trigger(); }));
    EXPECT_EQ(filters, QStringList{"PDF (*.pdf)"});
    EXPECT_EQ(pdfPageCount(pdfFolder + QStringLiteral("/cover.pdf")), 1);
}

TEST_F(PagePreview, APictureRunningOffTheSheetIsShownWholeWithItsLabelAndOverhang) {
    printer.poseAs(TestPrinter::a4WithMargins());
    start();
    loadCdCover();
    // Picture #1 starts 30 mm left of the printable area, Picture #2 ends 90 mm below the sheet.
    form().document().calibrationText = {"-3.00", "0.00", "0.00", "25.00", "2834", "2834"};
    ui.modalActions.push_back([&](QDialog& shown) {
        TFPrintPreview& window = preview(shown);
        window.ActualSizeButton->click();
        const QPointF corner = TestPrinter::a4WithMargins().sheet.printableMm.topLeft();
        for (const QPointF far : {corner + QPointF(-30, 0), corner + QPointF(119, 369)})
            EXPECT_TRUE(window.Page->rect().contains(window.pixelOnPage(far))) << far.x() << ", " << far.y();
        // Red over the green picture, and over the blue one below the sheet.
        const QColor overhang = shownAt(window, corner + QPointF(-28, 60));
        EXPECT_TRUE(overhang.red() > 60 && overhang.green() < 200) << overhang.name().toStdString();
        const QColor below = shownAt(window, corner + QPointF(60, 365));
        EXPECT_TRUE(below.red() > 60 && below.blue() < 200) << below.name().toStdString();
        window.FitButton->click();
        EXPECT_TRUE(window.Page->rect().contains(window.pixelOnPage(corner + QPointF(119, 369))));
        EXPECT_LE(window.Page->height(), window.ScrollBox->viewport()->height());
        window.CloseButton->click();
    });
    control<QAction>(form(), "PrintPreview1").trigger();
}

TEST_F(PagePreview, PrintWarnsOfAPictureCutOnALetterSheetAndCancelSendsNothing) {
    printer.poseAs(TestPrinter::letterWithMargins());
    start();
    loadCdCover();
    // 4800 x 6300 dots over 203 x 267 mm: 235 dots a centimetre down puts Picture #2 at 3525, and
    // its true 2831 dots end at 6356, 56 dots (2.37 mm) below what the printer reaches.
    control<QToolButton>(form(), "SpeedButton4").click();
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].text,
              "Picture #2 would be cut 2.4 mm at the bottom.\nThe printer cannot reach that "
              "part of the page.\n\nPrint anyway?");
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(form().document().slotKept[0].bitmap().pixelColor(0, 0), QColor(Qt::red));
    ui.confirmAnswers.push_back(true);
    control<QToolButton>(form(), "SpeedButton4").click();
    EXPECT_EQ(printer.jobs.size(), 1u);
}

TEST_F(PagePreview, PrintTestWarnsTheSameAndCancelSendsNothing) {
    printer.poseAs(TestPrinter::a4WithMargins());
    start();
    ui.modalActions.push_back([](QDialog& shown) {
        auto& window = static_cast<TForm19&>(shown);
        window.Edit4->setText(QStringLiteral("25.00"));
        window.SpeedButton2->click();
        window.SpeedButton1->click();
    });
    control<QToolButton>(form(), "SpeedButton11").click();
    ASSERT_EQ(ui.calls.at(1).kind, "confirm");
    EXPECT_TRUE(ui.calls[1].text.startsWith("Picture #2 would be cut ")) << ui.calls[1].text.toStdString();
    EXPECT_TRUE(ui.calls[1].text.endsWith(" at the bottom.\nThe printer cannot reach that part of the "
                                          "page.\n\nPrint anyway?"));
    EXPECT_TRUE(printer.jobs.empty());
}

} // namespace

namespace {

// A photo whose file is gone since it was fitted cannot be made again at the printer's dots: the
// preview names the picture that prints at screen resolution, and Print sends the screen's pixels.
TEST_F(PagePreview, NamesThePictureThatPrintsAtScreenResolution) {
    start();
    const QString photo = folder.file("photo.bmp");
    Picture(gradientPicture(640, 480)).saveBmp(photo);
    openPicture(*program, ui, photo, Adjust::Resize);
    QFile::remove(photo);
    ui.modalActions.push_back([](QDialog& shown) {
        TFPrintPreview& window = preview(shown);
        EXPECT_TRUE(window.Measures->text().endsWith(
            "Picture #1 prints at screen resolution: its picture file is gone."))
            << window.Measures->text().toStdString();
        window.PrintButton->click();
    });
    control<QAction>(form(), "PrintPreview1").trigger();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs.front().images.at(0).image.size(), QSize(450, 450));
}

} // namespace

namespace {

// A Stretch ten times the true size would take gigabytes at the printer's dots: the picture is made
// within the memory budget, coarser, said in Print preview, and Print sends it, never an empty page.
// A budget with room for no more than the screen's pixels prints those, and says why.
TEST_F(PagePreview, HugeStretchIsMadeWithinTheMemoryBudgetAndSaidInThePreview) {
    folder.write("Cd_cfg.ini", "0.00\r\n0.00\r\n0.00\r\n15.00\r\n28370\r\n28380\r\n");
    start();
    const QString photo = folder.file("photo.bmp");
    Picture(solidPicture(900, 900, Qt::red)).saveBmp(photo);
    openPicture(*program, ui, photo, Adjust::Resize);
    const QSize target(28370, 28380);

    struct Budget {
        qint64 bytes;
        QString note;
    };
    for (const Budget& budget :
         {Budget{qint64(48) << 20,
                 "Picture #1 prints coarser than the printer can: it is made %1 × %2 pixels "
                 "for its 28370 × 28380 dots, as a sharper picture would need more than 48 MB of "
                 "memory."},
          Budget{qint64(3) << 20, "Picture #1 prints at screen resolution: a sharper picture for its 28370 × "
                                  "28380 dots would need more than 3 MB of memory."}}) {
        form().setPrintPictureBudget(budget.bytes);
        printer.jobs.clear();
        QString measures;
        ui.modalActions.push_back([&](QDialog& shown) {
            measures = preview(shown).Measures->text();
            preview(shown).PrintButton->click();
        });
        ui.confirmAnswers = {true}; // most of the picture is off the page
        control<QAction>(form(), "PrintPreview1").trigger();
        ASSERT_EQ(printer.jobs.size(), 1u);
        ASSERT_EQ(printer.jobs.front().images.size(), 1u);
        const PrintedImage& printed = printer.jobs.front().images.front();
        EXPECT_EQ(printed.target.size(), target);
        const QImage made = printed.asSeen();
        if (budget.note.contains("%1")) {
            EXPECT_LE(qint64(made.width()) * made.height() * kPrintBytesPerPixel, budget.bytes);
            EXPECT_GT(made.width(), 450);
            EXPECT_NEAR(double(made.width()) / made.height(), double(target.width()) / target.height(), 0.01);
        } else {
            EXPECT_EQ(made.size(), QSize(450, 450));
        }
        // On the disc's ring, a quarter across: the picture, not an empty page.
        const QColor ring = made.pixelColor(made.width() / 4, made.height() / 2);
        EXPECT_TRUE(ring.red() > 240 && ring.green() < 16 && ring.blue() < 16) << ring.name().toStdString();
        const QString note =
            budget.note.contains("%1") ? budget.note.arg(made.width()).arg(made.height()) : budget.note;
        EXPECT_TRUE(measures.endsWith(note)) << measures.toStdString();
    }
}

} // namespace
