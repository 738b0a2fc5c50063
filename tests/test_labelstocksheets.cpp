// Label sheets that trip users up: one with a single label for the insert, a stock listed twice,
// a search for a stock of another insert, a long problem line, and die-cut lines in the PDF.
#include "cover/fitting.h"
#include "print/tflabelstock.h"
#include "print/tfprintpreview.h"
#include "support/printedpage.h"
#include "support/programfixture.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

QByteArray templates(const QByteArray& body) {
    return "<?xml version=\"1.0\"?>\n<Glabels-templates>\n" + body + "</Glabels-templates>\n";
}

QByteArray discSheet(const QByteArray& part, const QByteArray& y0) {
    return "<Template brand='Test' part='" + part +
           "' size='A4' description='Disc labels'><Label-cd id='0' "
           "radius='58.5mm' hole='7.5mm'><Layout nx='1' ny='2' x0='46.5mm' y0='" +
           y0 + "' dx='0' dy='137mm'/></Label-cd></Template>\n";
}

// One back inlay on A4, and a mini-disc sheet that takes no Cd Cover.
const QByteArray kLibrary = templates(
    discSheet("CD-2", "22mm") +
    "<Template brand='Test' part='BACK-1' size='A4'><Label-rectangle id='0' width='151mm' height='118mm'>"
    "<Layout nx='1' ny='1' x0='29.5mm' y0='100mm'/></Label-rectangle></Template>\n"
    "<Template brand='Test' part='OFF-1' size='A4'><Label-cd id='0' radius='58.5mm' hole='7.5mm'>"
    "<Layout nx='1' ny='2' x0='46.5mm' y0='22mm' dx='0' dy='300mm'/></Label-cd></Template>\n"
    "<Template brand='Test' part='MINI-4' size='A4'><Label-cd id='0' radius='39mm' hole='10.5mm'>"
    "<Layout nx='2' ny='2' x0='20mm' y0='20mm' dx='90mm' dy='90mm'/></Label-cd></Template>\n");

class LabelSheets : public ProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(root_.path()).mkpath("library") && QDir(root_.path()).mkpath("own"));
        writeFile("library/test-templates.xml", kLibrary);
        stockFolders = {{root_.filePath("library")}, {root_.filePath("own")}};
        printer.poseAs(TestPrinter::a4WithMargins());
    }

    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(root_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QStringList listed(const QDialog& window) {
        QStringList items;
        auto& list = control<QListWidget>(window, "StockList");
        for (int i = 0; i < list.count(); ++i)
            items << list.item(i)->text();
        return items;
    }

    // Chooses the first stock the search finds, and Calibrate saves what it gives.
    void placeOn(const QString& search) {
        ui.modalActions.push_back([search](QDialog& window) {
            QTest::keyClicks(&control<QLineEdit>(window, "Search"), search);
            control<QPushButton>(window, "OkButton").click();
        });
        ui.modalActions.push_back(
            [](QDialog& window) { control<QToolButton>(window, "SpeedButton1").click(); });
        control<QAction>(form(), "LabelStock1").trigger();
    }

    // Picture #1 red and Picture #2 blue, at the size fitting gives them.
    void loadBoth(CoverMode mode) {
        const QSize size = fitSizesFor(mode).final;
        for (const bool second : {false, true}) {
            const auto i = size_t(slotOf(mode, second).index);
            form().document().slotPicture[i] =
                Picture(solidPicture(size.width(), size.height(), second ? Qt::blue : Qt::red));
            form().document().slotKept[i] = form().document().slotPicture[i];
            form().document().slotLoaded[i] = true;
        }
    }

    QImage exportPage(const QString& name) {
        const QString path = root_.filePath(name);
        ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
        control<QAction>(form(), "ExportPdf1").trigger();
        return rasterisePdf(path, 100).value_or(QImage());
    }

    // The preview's window as it opens, handed to `check`.
    void preview(const std::function<void(TFPrintPreview&)>& check) {
        ui.modalActions.push_back([check](QDialog& shown) {
            check(static_cast<TFPrintPreview&>(shown));
            static_cast<TFPrintPreview&>(shown).CloseButton->click();
        });
        control<QAction>(form(), "PrintPreview1").trigger();
    }

    QTemporaryDir root_;
};

TEST_F(LabelSheets, ASheetWithOneLabelTakesPictureOneAndLeavesPictureTwoOffEverywhere) {
    start();
    control<QAction>(form(), "Backcover1").trigger();
    placeOn("BACK-1");
    ASSERT_EQ(ui.messages().size(), 1u) << ui.messages().join('\n').toStdString();
    EXPECT_TRUE(
        ui.messages().front().startsWith("The sheet Test BACK-1 has no second label for the Back Cover"))
        << ui.messages().front().toStdString();
    loadBoth(CoverMode::BackCover);

    control<QToolButton>(form(), "SpeedButton4").click();
    ASSERT_EQ(printer.jobs.size(), 1u);
    ASSERT_EQ(printer.jobs.back().images.size(), 1u);
    // Picture #1 is centred on the label: 105 mm across, 159 mm down.
    const QRectF printable = TestPrinter::a4WithMargins().sheet.printableMm;
    const QPointF centre =
        printable.topLeft() + QRectF(printer.jobs.back().images.front().target).center() * 25.4 / 600;
    EXPECT_LT(QLineF(centre, QPointF(105, 159)).length(), 0.2);

    preview([](TFPrintPreview& window) {
        EXPECT_TRUE(window.Measures->text().contains("Picture #1: "));
        EXPECT_FALSE(window.Measures->text().contains("Picture #2: "))
            << window.Measures->text().toStdString();
        EXPECT_TRUE(window.Warning->text().contains(
            "Picture #2 is left off: the sheet Test BACK-1 has no second label for the Back Cover."))
            << window.Warning->text().toStdString();
    });

    const QImage page = exportPage("one.pdf");
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(colourBox(page, Qt::red, 40));
    EXPECT_FALSE(colourBox(page, Qt::blue, 40));

    // With Picture #1 gone there is nothing to print, and the reason is Picture #2's.
    form().document().slotLoaded[size_t(slotOf(CoverMode::BackCover, false).index)] = false;
    control<QToolButton>(form(), "SpeedButton4").click();
    EXPECT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(ui.messages().back().startsWith("Picture #2 is left off"))
        << ui.messages().back().toStdString();
}

TEST_F(LabelSheets, ALabelWhollyOffItsPaperIsNamedAtOk) {
    start();
    placeOn("OFF-1");
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(
        ui.messages().front().startsWith("1 of this sheet's labels lie wholly off its 210 × 297 mm paper"))
        << ui.messages().front().toStdString();
    placeOn("CD-2");
    EXPECT_EQ(ui.messages().size(), 1u) << ui.messages().join('\n').toStdString();
}

TEST_F(LabelSheets, AStockListedTwiceShowsOnceAndThePreviewOutlinesTheCopyThePicturesAreOn) {
    writeFile("library/copy-templates.xml", kLibrary);
    writeFile("own/mine.template", templates(discSheet("CD-2", "32mm")));
    start();
    ui.modalActions.push_back([](QDialog& window) {
        QTest::keyClicks(&control<QLineEdit>(window, "Search"), "CD-2");
        EXPECT_EQ(listed(window),
                  QStringList({"Test CD-2 — Disc labels (your own template; 117 mm disc: 1.5 mm "
                               "overhang round it)"}));
        window.reject();
    });
    control<QAction>(form(), "LabelStock1").trigger();
    placeOn("CD-2");

    program.reset();
    start();
    loadBoth(CoverMode::CdCover);
    control<QToolButton>(form(), "SpeedButton4").click();
    const QRectF printable = TestPrinter::a4WithMargins().sheet.printableMm;
    const QPointF printed =
        printable.topLeft() + QRectF(printer.jobs.back().images.front().target).center() * 25.4 / 600;
    preview([printed](TFPrintPreview& window) {
        ASSERT_EQ(window.dieCuts().size(), 2u);
        EXPECT_EQ(window.dieCuts()[0].outline, QRectF(46.5, 32, 117, 117));
        EXPECT_LT(QLineF(window.dieCuts()[0].outline.center(), printed).length(), 0.2);
    });

    // Without the user's copy the library's, 10 mm away, is not taken for it.
    QFile::remove(root_.filePath("own/mine.template"));
    program.reset();
    start();
    preview([](TFPrintPreview& window) {
        EXPECT_FALSE(window.Measures->text().contains("Label stock"))
            << window.Measures->text().toStdString();
        EXPECT_NE(window.dieCuts().at(0).outline, QRectF(46.5, 22, 117, 117));
    });
}

TEST_F(LabelSheets, ASearchForAStockOfAnotherInsertSaysWhichItTakesAndALongProblemKeepsTheWindowNarrow) {
    writeFile("library/long-templates.xml",
              templates("<Template brand='" + QByteArray(3000, 'W') + "' part='X' size='A4'/>\n"));
    start();
    ui.modalActions.push_back([](QDialog& window) {
        const auto& note = control<QLabel>(window, "Note");
        EXPECT_TRUE(note.text().contains("long-templates.xml")) << note.text().toStdString();
        EXPECT_LT(window.sizeHint().width(), 1000);
        EXPECT_LT(window.minimumSizeHint().width(), 1000);
        QTest::keyClicks(&control<QLineEdit>(window, "Search"), "mini");
        EXPECT_TRUE(listed(window).isEmpty());
        EXPECT_TRUE(note.text().contains(
            "No sheet for the Cd Cover matches \"mini\": Test MINI-4 takes the Mini Cd."))
            << note.text().toStdString();
        control<QLineEdit>(window, "Search").setText("nowhere");
        EXPECT_TRUE(note.text().contains("No label stock matches \"nowhere\".")) << note.text().toStdString();
        window.reject();
    });
    control<QAction>(form(), "LabelStock1").trigger();
}

TEST_F(LabelSheets, DieCutLinesInThePdfAreAChoiceKeptForTheNextStart) {
    folder.write("Cd_stock.ini", "Test\r\nCD-2\r\n"); // as written before the digest
    start();
    auto& choice = control<QAction>(form(), "DieCutLines1");
    EXPECT_TRUE(choice.isChecked());
    loadBoth(CoverMode::CdCover);
    // Grey of the hairlines, neither picture nor paper.
    const auto greyPixels = [](const QImage& page) {
        int grey = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                grey += c.red() < 235 && std::abs(c.red() - c.green()) < 12 &&
                        std::abs(c.green() - c.blue()) < 12;
            }
        return grey;
    };
    EXPECT_GT(greyPixels(exportPage("proof.pdf")), 200);

    choice.trigger();
    EXPECT_EQ(folder.read("pdf.obn"), "no die-cut lines\r\n");
    EXPECT_EQ(greyPixels(exportPage("print-ready.pdf")), 0);

    program.reset();
    start();
    EXPECT_FALSE(control<QAction>(form(), "DieCutLines1").isChecked());
    loadBoth(CoverMode::CdCover);
    EXPECT_EQ(greyPixels(exportPage("again.pdf")), 0);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
}

} // namespace
