// Printing on a real print server: a local CUPS queue whose backend writes each job as a PDF
// (tools/cups-queue.sh, started by ctest for these tests). Each page is rasterised and measured.
#include "app/orbalin.h"
#include "app/tform1.h"
#include "app/tform15.h"
#include "doubles/scriptedinteraction.h"
#include "platform/qt/qtprinterport.h"
#include "print/tform19.h"
#include "support/fakeprintservice.h"
#include "support/printedpage.h"
#include "support/programfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QToolButton>
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr int kDpi = 200;
constexpr double kToleranceMm = 0.5;

class RealPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(cupsQueueReady(kCupsPdfQueue)) << "start the queue with tools/cups-queue.sh start";
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, port, 0});
        ASSERT_FALSE(form().document().noPrinter);
    }
    void TearDown() override {
        program.reset();
        for (const QString& pdf : printed)
            QFile::remove(pdf);
    }
    TForm15& form() { return *program->Form15; }

    // Opens a picture into the current slot and fits it, as the user does.
    void openFitted(const QString& name, const QImage& picture) {
        const QString path = pictures.filePath(name);
        Picture(picture).saveBmp(path);
        openPicture(*program, ui, path, Adjust::Resize);
        ASSERT_TRUE(form().document().slotResized[size_t(form().document().currentSlot()->index)]);
    }

    // Runs `print`, then finds the job's PDF and rasterises its only page.
    QImage printedPage(const QString& title, const std::function<void()>& print) {
        const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
        print();
        EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
        const std::optional<QString> pdf = waitForJobPdf(title, since, 30000);
        if (!pdf) {
            ADD_FAILURE() << "no PDF of the job " << title.toStdString() << " in "
                          << cupsPdfFolder().toStdString();
            return {};
        }
        printed << *pdf;
        EXPECT_EQ(pdfPageCount(*pdf), 1);
        return rasterisePdf(*pdf, kDpi).value_or(QImage());
    }

    // Where the colour lies on the page, searched between two heights in millimetres.
    static QRectF boxMm(const QImage& page, QColor colour, double fromMm, double toMm) {
        const int top = qRound(fromMm / 25.4 * kDpi);
        const int bottom = std::min(page.height(), qRound(toMm / 25.4 * kDpi));
        const std::optional<QRect> box = colourBox(page.copy(0, top, page.width(), bottom - top), colour, 40);
        if (!box) {
            ADD_FAILURE() << "nothing of the colour on the page";
            return {};
        }
        return pixelsToMm(box->translated(0, top), kDpi);
    }

    // The share of a fitted picture that the colour covers, for pictures cut to a disc.
    static QRectF colourShare(const QImage& picture, QColor colour) {
        // The fit's box filter rounds each channel down by up to 3.
        const std::optional<QRect> box = colourBox(picture.convertToFormat(QImage::Format_RGB888), colour, 4);
        if (!box)
            return {};
        const double w = picture.width(), h = picture.height();
        return {box->x() / w, box->y() / h, box->width() / w, box->height() / h};
    }

    // Prints the current mode with offsets 0.00/0.00 and 0.00/15.00 and checks both pictures:
    // the insert's true size, the second 150 mm below the first.
    void printTwoPictures(CoverMode mode, double widthMm, double heightMm, const QImage& picture) {
        form().switchToMode(mode);
        openFitted(QStringLiteral("red.bmp"), recoloured(picture, Qt::red));
        control<QToolButton>(form(), "SpeedButton9").click();
        openFitted(QStringLiteral("blue.bmp"), recoloured(picture, Qt::blue));
        ASSERT_EQ(form().document().calibrationText[3], "15.00");
        const QRectF share =
            colourShare(form().document().slotPicture[size_t(slotOf(mode, true).index)].bitmap(), Qt::blue);

        const QImage page = printedPage(QStringLiteral("Obn7000"),
                                        [this] { control<QToolButton>(form(), "SpeedButton4").click(); });
        ASSERT_FALSE(page.isNull());
        const QRectF insert(0, 0, widthMm, heightMm);
        const auto scaled = [&](double top) {
            return QRectF(insert.left() + share.left() * widthMm, top + share.top() * heightMm,
                          share.width() * widthMm, share.height() * heightMm);
        };
        EXPECT_TRUE(rectNear(boxMm(page, Qt::red, 0, 140), scaled(0), kToleranceMm));
        EXPECT_TRUE(rectNear(boxMm(page, Qt::blue, 140, 297), scaled(150), kToleranceMm));
    }

    static QImage recoloured(QImage picture, QColor colour) {
        picture.fill(colour);
        return picture;
    }

    ProgramFolder folder;
    ScriptedInteraction ui;
    QtPrinterPort port{QString::fromLatin1(kCupsPdfQueue)};
    std::unique_ptr<Orbalin> program;
    QTemporaryDir pictures;
    QStringList printed;
};

TEST_F(RealPrinter, CdCoverPrintsTwoDiscsOfTwelveCentimetres) {
    printTwoPictures(CoverMode::CdCover, 120, 120, solidPicture(1000, 1000, Qt::white));
}

TEST_F(RealPrinter, BackCoverPrintsTwoInsertsOf151By119Millimetres) {
    printTwoPictures(CoverMode::BackCover, 151, 119, solidPicture(1200, 1000, Qt::white));
}

TEST_F(RealPrinter, BackCoverWithAnUnreadableCalibrationFilePrintsAtItsOwnTrueSize) {
    folder.write("Back_cfg.ini", QByteArray(2 * 1024 * 1024, 'x'));
    control<QAction>(form(), "Backcover1").trigger();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QLatin1String("Back_cfg.ini")));
    ui.calls.clear();
    printTwoPictures(CoverMode::BackCover, 151, 119, solidPicture(1200, 1000, Qt::white));
}

TEST_F(RealPrinter, MiniCdPrintsTwoDiscsOfEightCentimetres) {
    printTwoPictures(CoverMode::MiniCd, 80, 80, solidPicture(700, 700, Qt::white));
}

TEST_F(RealPrinter, CalibrationPrintTestDrawsTwoFramesFifteenCentimetresApart) {
    QImage page;
    ui.modalActions.push_back([&](QDialog& shown) {
        auto& window = static_cast<TForm19&>(shown);
        const QStringList values = {"0.00", "0.00", "0.00", "15.00"};
        for (int i = 0; i < 4; ++i)
            window.edits()[size_t(i)]->setText(values[i]);
        page = printedPage(QStringLiteral("Calibration"), [&] { window.SpeedButton2->click(); });
        window.SpeedButton1->click();
    });
    control<QToolButton>(form(), "SpeedButton11").click();
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(rectNear(boxMm(page, Qt::black, 0, 140), QRectF(0, 0, 120, 120), kToleranceMm));
    EXPECT_TRUE(rectNear(boxMm(page, Qt::black, 140, 297), QRectF(0, 150, 120, 120), kToleranceMm));
    // The frames are outlines: inside them the paper stays white.
    EXPECT_EQ(page.pixelColor(qRound(60 / 25.4 * kDpi), qRound(60 / 25.4 * kDpi)), QColor(Qt::white));
}

// Queue administration needs root, as tools/cups-queue.sh does.
int administer(const QString& command) {
    const QStringList queue = {QString::fromLatin1(kCupsPdfQueue)};
    if (geteuid() == 0)
        return QProcess::execute(command, queue);
    return QProcess::execute(QStringLiteral("sudo"), QStringList{QStringLiteral("-n"), command} + queue);
}

TEST_F(RealPrinter, QueueRefusingJobsIsReportedAndNothingIsPrinted) {
    openFitted(QStringLiteral("red.bmp"), solidPicture(900, 900, Qt::red));
    ASSERT_EQ(administer(QStringLiteral("cupsreject")), 0);
    const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
    control<QToolButton>(form(), "SpeedButton4").click();
    ASSERT_EQ(administer(QStringLiteral("cupsaccept")), 0);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QLatin1String("not accepting jobs")))
        << ui.messages().front().toStdString();
    EXPECT_FALSE(waitForJobPdf(QStringLiteral("Obn7000"), since, 2000).has_value());
}

TEST_F(RealPrinter, PrintServerThatDoesNotAnswerIsReported) {
    openFitted(QStringLiteral("red.bmp"), solidPicture(900, 900, Qt::red));
    cupsSetServer("/nonexistent/orbalin-cups.sock");
    control<QToolButton>(form(), "SpeedButton4").click();
    cupsSetServer(nullptr);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QLatin1String("print service does not answer")))
        << ui.messages().front().toStdString();
}

// A job the service answers oddly is told as such, and its file, kept in the user's runtime folder
// while it is sent, is gone afterwards.
TEST_F(RealPrinter, JobAnsweredWithARedirectIsToldAndLeavesNoFile) {
    openFitted(QStringLiteral("red.bmp"), solidPicture(900, 900, Qt::red));
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const auto jobFiles = [&] {
        return QDir(runtime).entryList({QStringLiteral("orbalin-job-*")}, QDir::Files) +
               QDir::temp().entryList({QStringLiteral("orbalin-job-*")}, QDir::Files);
    };
    const QStringList before = jobFiles();
    FakePrintService service(
        "HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/\r\nContent-Length: 0\r\n\r\n");
    service.useOnThisThread();
    control<QToolButton>(form(), "SpeedButton4").click();
    cupsSetServer(nullptr);
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().startsWith("Printing \"Obn7000\" failed: the print service sent the "
                                                 "request to another address (HTTP 302"))
        << ui.messages().front().toStdString();
    EXPECT_EQ(service.requests(), 2); // whether the printer takes jobs, then the job, once
    EXPECT_FALSE(service.lastJobRequest().isEmpty());
    EXPECT_EQ(jobFiles(), before);
}

TEST_F(RealPrinter, PdfFileChosenInThePrintDialogIsWrittenThere) {
    const QString path = pictures.filePath(QStringLiteral("cover.pdf"));
    port.device()->setOutputFileName(path); // as the print dialog's "Print to File" does
    control<QToolButton>(form(), "SpeedButton9").click();
    openFitted(QStringLiteral("red.bmp"), solidPicture(900, 900, Qt::red));
    control<QToolButton>(form(), "SpeedButton4").click();
    ASSERT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
    EXPECT_EQ(pdfPageCount(path), 1);
    const std::optional<QImage> page = rasterisePdf(path, kDpi);
    ASSERT_TRUE(page.has_value());
    EXPECT_NEAR(boxMm(*page, Qt::red, 0, 297).top(), 150, kToleranceMm);
}

// A queue set for US Letter gets Letter pages: the printer is not left on the locale's A4.
TEST(QueuePaper, AQueueSetForLetterGetsLetterJobs) {
    ASSERT_TRUE(cupsQueueReady(kCupsPdfQueue)) << "start the queue with tools/cups-queue.sh start";
    const auto setPaper = [](const char* size) {
        const QStringList arguments{"-p", QString::fromLatin1(kCupsPdfQueue), "-o",
                                    QStringLiteral("PageSize=") + size};
        return geteuid() == 0
                   ? QProcess::execute(QStringLiteral("lpadmin"), arguments)
                   : QProcess::execute(QStringLiteral("sudo"), QStringList{"-n", "lpadmin"} + arguments);
    };
    ASSERT_EQ(setPaper("Letter"), 0);
    const auto backToA4 = qScopeGuard([&] { setPaper("A4"); });
    ProgramFolder folder;
    ScriptedInteraction ui;
    QtPrinterPort port{QString::fromLatin1(kCupsPdfQueue)};
    const std::optional<PageGeometry> page = port.pageGeometry();
    ASSERT_TRUE(page.has_value());
    EXPECT_NEAR(page->paperMm.width(), 215.9, 0.1);
    EXPECT_NEAR(page->paperMm.height(), 279.4, 0.1);

    Orbalin program(ProgramContext{folder.path(), ui, port, 0});
    QTemporaryDir pictures;
    Picture(solidPicture(900, 900, Qt::red)).saveBmp(pictures.filePath("red.bmp"));
    openPicture(program, ui, pictures.filePath("red.bmp"), Adjust::Resize);
    const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
    control<QToolButton>(*program.Form15, "SpeedButton4").click();
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
    const std::optional<QString> pdf = waitForJobPdf(QStringLiteral("Obn7000"), since, 30000);
    ASSERT_TRUE(pdf.has_value());
    const std::optional<QImage> printed = rasterisePdf(*pdf, kDpi);
    QFile::remove(*pdf);
    ASSERT_TRUE(printed.has_value());
    EXPECT_EQ(printed->size(), QSize(8.5 * kDpi, 11 * kDpi));
}

// The measuring itself, on a page drawn straight through Qt.
TEST(CupsQueue, JobComesBackAsAPdfOfThePage) {
    ASSERT_TRUE(cupsQueueReady(kCupsPdfQueue)) << "start the queue with tools/cups-queue.sh start";
    const QString title = QStringLiteral("printedpage-%1").arg(QCoreApplication::applicationPid());
    const QDateTime since = QDateTime::currentDateTime();
    {
        QPrinter printer(QPrinterInfo::printerInfo(kCupsPdfQueue), QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setDocName(title);
        QPainter painter;
        ASSERT_TRUE(painter.begin(&printer));
        const auto dots = [&](double mm) { return qRound(mm / 25.4 * printer.resolution()); };
        painter.fillRect(QRect(dots(40), dots(60), dots(80), dots(30)), QColor(0, 160, 0));
        ASSERT_TRUE(painter.end());
    }
    const std::optional<QString> pdf = waitForJobPdf(title, since, 30000);
    ASSERT_TRUE(pdf.has_value());
    EXPECT_TRUE(pdf->startsWith(cupsPdfFolder() + QLatin1Char('/')));
    EXPECT_EQ(pdfPageCount(*pdf), 1);
    const std::optional<QImage> page = rasterisePdf(*pdf, 150);
    ASSERT_TRUE(page.has_value());
    const std::optional<QRect> box = colourBox(*page, QColor(0, 160, 0), 2);
    ASSERT_TRUE(box.has_value());
    EXPECT_TRUE(rectNear(pixelsToMm(*box, 150), QRectF(40, 60, 80, 30), 0.2));

    // The same title again finds nothing newer than the job just read.
    const std::optional<QString> again = waitForJobPdf(title, QDateTime::currentDateTime(), 300);
    EXPECT_FALSE(again.has_value()) << again.value_or(QString()).toStdString();
    QFile::remove(*pdf);
}
} // namespace
