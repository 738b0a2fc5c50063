// Options > Label stock...: the window lists the sheets of a test library that take the insert,
// finds them as the user types, and Ok has Calibrate save offsets that print the pictures centred
// on the sheet's labels; Print preview then outlines that sheet's die-cuts.
#include "cover/fitting.h"
#include "print/tflabelstock.h"
#include "print/tform19.h"
#include "print/tfprintpreview.h"
#include "support/printedpage.h"
#include "support/programfixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

// Two Test disc sheets on A4, the glossy one laid out as the common sheet with small hub holes.
const QByteArray kTemplates = R"(<?xml version="1.0"?>
<Glabels-templates>
<Template brand="Test" part="CD-2" size="A4" description="Glossy disc labels">
  <Label-cd id="0" radius="58.5mm" hole="7.5mm"><Layout nx="1" ny="2" x0="46.5mm" y0="22mm" dx="0" dy="137mm"/></Label-cd>
</Template>
<Template brand="Test" part="CD-M" size="A4" description="Matte disc labels">
  <Label-cd id="0" radius="58mm" hole="20mm"><Layout nx="1" ny="2" x0="47mm" y0="15mm" dx="0" dy="140mm"/></Label-cd>
</Template>
</Glabels-templates>
)";

// One back inlay, a mini-disc sheet, a damaged sheet whose second disc lies off the paper, and a
// template whose problem line is 3,000 characters long.
const QByteArray kMoreTemplates = R"(<Glabels-templates>
<Template brand="Test" part="BACK-1" size="A4"><Label-rectangle id="0" width="151mm" height="118mm">
  <Layout nx="1" ny="1" x0="29.5mm" y0="100mm"/></Label-rectangle></Template>
<Template brand="Test" part="MINI-4" size="A4"><Label-cd id="0" radius="39mm" hole="10mm">
  <Layout nx="2" ny="2" x0="20mm" y0="20mm" dx="90mm" dy="90mm"/></Label-cd></Template>
<Template brand="Test" part="OFF-1" size="A4"><Label-cd id="0" radius="58.5mm" hole="7.5mm">
  <Layout nx="1" ny="2" x0="46.5mm" y0="22mm" dx="0" dy="300mm"/></Label-cd></Template>
<Template brand=")" + QByteArray(3000, 'W') +
                                  R"(" part="X" size="A4"/>
</Glabels-templates>)";

class LabelStockWindow : public ProgramTest {
protected:
    void SetUp() override {
        QFile file(library_.filePath(QStringLiteral("test-templates.xml")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kTemplates);
        file.close();
        stockFolders.library = {library_.path()};
        printer.poseAs(TestPrinter::a4WithMargins());
    }

    void openLabelStock() { control<QAction>(form(), "LabelStock1").trigger(); }

    void addTemplates(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // The first stock the search finds, saved by Calibrate's Ok.
    void placeOn(const QString& search) {
        ui.modalActions.push_back([search](QDialog& window) {
            QTest::keyClicks(&control<QLineEdit>(window, "Search"), search);
            control<QPushButton>(window, "OkButton").click();
        });
        ui.modalActions.push_back(
            [](QDialog& window) { control<QToolButton>(window, "SpeedButton1").click(); });
        openLabelStock();
    }

    // Picture #1 red and Picture #2 blue.
    void loadBoth(CoverMode mode) {
        for (const bool second : {false, true}) {
            const auto i = size_t(slotOf(mode, second).index);
            const QSize size = fitSizesFor(mode).final;
            form().document().slotPicture[i] =
                Picture(solidPicture(size.width(), size.height(), second ? Qt::blue : Qt::red));
            form().document().slotKept[i] = form().document().slotPicture[i];
            form().document().slotLoaded[i] = true;
        }
    }

    QImage exportPage(const QString& name) {
        ui.fileAnswers.push_back(FileDialogAnswer{library_.filePath(name), 0});
        control<QAction>(form(), "ExportPdf1").trigger();
        return rasterisePdf(library_.filePath(name), 100).value_or(QImage());
    }

    void preview(const std::function<void(TFPrintPreview&)>& check) {
        ui.modalActions.push_back([check](QDialog& shown) {
            check(static_cast<TFPrintPreview&>(shown));
            shown.reject();
        });
        control<QAction>(form(), "PrintPreview1").trigger();
    }

    static QStringList listed(const QDialog& window) {
        QStringList items;
        auto& list = control<QListWidget>(window, "StockList");
        for (int i = 0; i < list.count(); ++i)
            items << list.item(i)->text();
        return items;
    }

    // Where each picture of the job landed on the sheet, its centre in millimetres.
    std::vector<QPointF> printedCentres() {
        const QRectF printable = TestPrinter::a4WithMargins().sheet.printableMm;
        const double mmPerDot = 25.4 / 600;
        std::vector<QPointF> centres;
        for (const PrintedImage& image : printer.jobs.back().images)
            centres.push_back(printable.topLeft() + QRectF(image.target).center() * mmPerDot);
        return centres;
    }

    QTemporaryDir library_;
};

TEST_F(LabelStockWindow, SearchFindsTheStockAndCalibrateSavesOffsetsThatPrintOnItsDiscs) {
    start();
    bool savedBeforeCalibrate = true;
    ui.modalActions.push_back([&](QDialog& window) {
        EXPECT_EQ(listed(window),
                  QStringList({"Test CD-2 — Glossy disc labels (117 mm disc: 1.5 mm overhang round it)",
                               "Test CD-M — Matte disc labels (116 mm disc: 2 mm overhang round it)"}));
        auto& search = control<QLineEdit>(window, "Search");
        QTest::keyClicks(&search, "glo");
        EXPECT_EQ(listed(window),
                  QStringList({"Test CD-2 — Glossy disc labels (117 mm disc: 1.5 mm overhang round it)"}));
        QTest::keyClick(&search, Qt::Key_Return);
    });
    ui.modalActions.push_back([&](QDialog& window) {
        savedBeforeCalibrate = folder.exists("Cd_cfg.ini") || folder.exists("Cd_stock.ini");
        control<QToolButton>(window, "SpeedButton1").click();
    });
    openLabelStock();
    EXPECT_EQ(ui.modalWindows(), QStringList({"LabelStock", "Form19"}));
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join(u'\n').toStdString();
    EXPECT_FALSE(savedBeforeCalibrate);
    // Brand, part and a digest of the labels the pictures were placed on.
    const QList<QByteArray> saved = folder.read("Cd_stock.ini").split('\n');
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved.mid(0, 2), QList<QByteArray>({"Test\r", "CD-2\r"}));

    // Printed, both pictures are centred on the discs: 105 mm across, 80.5 and 217.5 mm down.
    for (const bool second : {false, true}) {
        const auto i = size_t(slotOf(CoverMode::CdCover, second).index);
        form().document().slotPicture[i] = Picture(solidPicture(450, 450, Qt::green));
        form().document().slotKept[i] = form().document().slotPicture[i];
        form().document().slotLoaded[i] = true;
    }
    control<QToolButton>(form(), "SpeedButton4").click();
    ASSERT_EQ(printer.jobs.size(), 1u);
    const std::vector<QPointF> centres = printedCentres();
    ASSERT_EQ(centres.size(), 2u);
    for (const auto& [centre, disc] : {std::pair(centres[0], QPointF(105, 80.5)), {centres[1], {105, 217.5}}})
        EXPECT_LT(QLineF(centre, disc).length(), 0.2);
}

TEST_F(LabelStockWindow, CancelAndEscapeWriteNothing) {
    start();
    ui.modalActions.push_back([](QDialog& window) { control<QPushButton>(window, "CancelButton").click(); });
    openLabelStock();
    ui.modalActions.push_back(
        [](QDialog& window) { QTest::keyClick(&control<QListWidget>(window, "StockList"), Qt::Key_Escape); });
    openLabelStock();
    EXPECT_EQ(ui.modalWindows(), QStringList({"LabelStock", "LabelStock"}));
    EXPECT_TRUE(ui.leftOpenWindows().isEmpty());
    EXPECT_FALSE(folder.exists("Cd_cfg.ini"));
    EXPECT_FALSE(folder.exists("Cd_stock.ini"));
}

TEST_F(LabelStockWindow, WithoutTheLibraryTheGenericSheetsAreOfferedAndTheLibraryNamed) {
    stockFolders = {};
    start();
    ui.modalActions.push_back([](QDialog& window) {
        EXPECT_EQ(
            listed(window),
            QStringList(
                {"Generic 2 discs on A4 — Two disc labels (117 mm disc: 1.5 mm overhang round it)",
                 "Generic 2 discs on Letter — Two disc labels (117 mm disc: 1.5 mm overhang round it)"}));
        EXPECT_TRUE(control<QLabel>(window, "Note").text().contains("package glabels-data"));
        window.reject();
    });
    openLabelStock();
}

TEST_F(LabelStockWindow, PreviewNamesTheRememberedStockAndOutlinesItsDieCuts) {
    folder.write("Cd_stock.ini", "Test\r\nCD-2\r\n");
    start();
    ui.modalActions.push_back([](QDialog& shown) {
        auto& window = static_cast<TFPrintPreview&>(shown);
        EXPECT_TRUE(window.Measures->text().contains("Label stock: Test CD-2 — Glossy disc labels"))
            << window.Measures->text().toStdString();
        ASSERT_EQ(window.dieCuts().size(), 2u);
        EXPECT_EQ(window.dieCuts()[1].outline, QRectF(46.5, 159, 117, 117));
        EXPECT_EQ(window.dieCuts()[1].hub, QRectF(97.5, 210, 15, 15));
        window.CloseButton->click();
    });
    control<QAction>(form(), "PrintPreview1").trigger();

    // A stock the library no longer has falls back to the generic outlines without a word.
    folder.write("MiniCd_stock.ini", "Test\r\nGone\r\n");
    control<QAction>(form(), "MiniCD1").trigger();
    ui.modalActions.push_back([](QDialog& shown) {
        auto& window = static_cast<TFPrintPreview&>(shown);
        EXPECT_FALSE(window.Measures->text().contains("Label stock"));
        window.CloseButton->click();
    });
    control<QAction>(form(), "PrintPreview1").trigger();
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join(u'\n').toStdString();
}

TEST_F(LabelStockWindow, SearchNamesOtherInsertsStocksAndAOneLabelSheetLeavesPictureTwoOffEverywhere) {
    addTemplates(library_.filePath("more-templates.xml"), kMoreTemplates);
    start();
    ui.modalActions.push_back([](QDialog& window) {
        EXPECT_LT(window.minimumSizeHint().width(), 1000) << "a 3,000-character problem line widens it";
        QTest::keyClicks(&control<QLineEdit>(window, "Search"), "mini");
        EXPECT_TRUE(
            control<QLabel>(window, "Note")
                .text()
                .contains("No sheet for the Cd Cover matches \"mini\": Test MINI-4 takes the Mini Cd."));
        window.reject();
    });
    openLabelStock();
    placeOn("OFF-1"); // a damaged template is named too
    control<QAction>(form(), "Backcover1").trigger();
    placeOn("BACK-1");
    ASSERT_EQ(ui.messages().size(), 2) << ui.messages().join('\n').toStdString();
    EXPECT_TRUE(
        ui.messages()[0].startsWith("1 of this sheet's labels lie wholly off its 210 × 297 mm paper"));
    EXPECT_TRUE(ui.messages()[1].startsWith("The sheet Test BACK-1 has no second label for the Back Cover"));
    loadBoth(CoverMode::BackCover);
    control<QToolButton>(form(), "SpeedButton4").click();
    ASSERT_EQ(printedCentres().size(), 1u);
    EXPECT_LT(QLineF(printedCentres()[0], QPointF(105, 159)).length(), 0.2);
    preview([](TFPrintPreview& window) {
        EXPECT_TRUE(
            window.Warning->text().contains("Picture #2 is left off: the sheet Test BACK-1 has no second "
                                            "label for the Back Cover."));
        EXPECT_FALSE(window.Measures->text().contains("Picture #2: "));
    });
    const QImage page = exportPage("one.pdf");
    EXPECT_TRUE(colourBox(page, Qt::red, 40));
    EXPECT_FALSE(colourBox(page, Qt::blue, 40));
    // Picture #2 alone: nothing prints, and the message says why.
    form().document().slotLoaded[size_t(slotOf(CoverMode::BackCover, false).index)] = false;
    control<QToolButton>(form(), "SpeedButton4").click();
    EXPECT_TRUE(ui.messages().back().startsWith("Picture #2 is left off"));
}

TEST_F(LabelStockWindow, StockListedTwiceShowsTheUsersCopyOnceAndAfterARestartItsDieCutsAreOutlined) {
    addTemplates(library_.filePath("copy/test-templates.xml"), kTemplates);
    stockFolders.library << library_.filePath("copy");
    stockFolders.own = {library_.filePath("own")};
    addTemplates(library_.filePath("own/mine.template"),
                 QByteArray(kTemplates).replace("y0=\"22mm\"", "y0=\"32mm\""));
    start();
    ui.modalActions.push_back([](QDialog& window) {
        EXPECT_EQ(
            listed(window).filter("CD-2"),
            QStringList({"Test CD-2 — Glossy disc labels (your own template; 117 mm disc: 1.5 mm overhang "
                         "round it)"}));
        window.reject();
    });
    openLabelStock();
    placeOn("CD-2");
    program.reset();
    start();
    preview([](TFPrintPreview& window) {
        EXPECT_EQ(window.dieCuts().at(0).outline, QRectF(46.5, 32, 117, 117));
    });
    // Without the user's copy, the library's 10 mm higher is not taken for it.
    QFile::remove(library_.filePath("own/mine.template"));
    program.reset();
    start();
    preview([](TFPrintPreview& window) { EXPECT_FALSE(window.Measures->text().contains("Label stock")); });
}

TEST_F(LabelStockWindow, DieCutLinesInThePdfAreAChoiceKeptForTheNextStart) {
    folder.write("Cd_stock.ini", "Test\r\nCD-2\r\n"); // as written before the digest
    start();
    // The hairlines are grey, neither picture nor paper.
    const auto greyPixels = [this](const QString& name) {
        loadBoth(CoverMode::CdCover);
        return colourBox(exportPage(name), QColor(150, 150, 150), 60).has_value();
    };
    EXPECT_TRUE(greyPixels("proof.pdf"));
    control<QAction>(form(), "DieCutLines1").trigger();
    EXPECT_FALSE(greyPixels("print-ready.pdf"));
    program.reset();
    start();
    EXPECT_FALSE(control<QAction>(form(), "DieCutLines1").isChecked());
    EXPECT_FALSE(greyPixels("again.pdf"));
}

} // namespace
