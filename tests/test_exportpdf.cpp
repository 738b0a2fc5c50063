// Export PDF: the page as a file, rasterised and measured the way printed pages are; the save
// dialog's rules; and a failed write that leaves the old file whole.
#include "app/fitting.h"
#include "support/printedpage.h"
#include "support/programfixture.h"

#include <QDir>
#include <QFile>
#include <sys/fsuid.h>
#include <unistd.h>

namespace {

constexpr int kDpi = 300;

class ExportPdf : public ProgramTest {
protected:
    // Both pictures of the mode loaded, red and blue, at the size fitting gives them.
    void loadBoth(CoverMode mode) {
        form().switchToMode(mode);
        const QSize size = fitSizesFor(mode).final;
        for (const bool second : {false, true}) {
            const auto i = size_t(slotOf(mode, second).index);
            form().slotPicture[i] =
                Picture(solidPicture(size.width(), size.height(), second ? Qt::blue : Qt::red));
            form().slotKept[i] = form().slotPicture[i];
            form().slotLoaded[i] = true;
        }
    }
    void exportTo(const QString& path) {
        ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
        form().ExportPdf1->trigger();
    }
    static QByteArray bytes(const QString& path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // Every mode with the pictures 5, 10 and 20, 140 mm from the printable area's corner.
    void measureEveryMode(const PrinterPose& pose, const char* sheetName) {
        printer.poseAs(pose);
        start();
        const std::pair<CoverMode, QSizeF> modes[] = {{CoverMode::CdCover, {120, 120}},
                                                      {CoverMode::FrontCover, {120, 120}},
                                                      {CoverMode::BackCover, {151, 119}},
                                                      {CoverMode::MiniCd, {80, 80}}};
        const QPointF corner = pose.sheet.printableMm.topLeft();
        for (const auto& [mode, size] : modes) {
            const std::string name = std::string(sheetName) + " " + modeInfo(mode).statusText;
            loadBoth(mode);
            form().calibrationText = {"0.50", "1.00", "2.00", "14.00", "1", "1"};
            const QString path = out.filePath(QString::fromStdString(name) + ".pdf");
            exportTo(path);
            ASSERT_EQ(pdfPageCount(path), 1) << name << ui.messages().join('\n').toStdString();
            const QImage page = rasterisePdf(path, kDpi).value_or(QImage());
            EXPECT_TRUE(rectNear(pixelsToMm(page.rect(), kDpi), QRectF(QPointF(), pose.sheet.paperMm), 0.1));
            const QRectF first = pixelsToMm(colourBox(page, Qt::red, 40).value_or(QRect()), kDpi);
            const QRectF second = pixelsToMm(colourBox(page, Qt::blue, 40).value_or(QRect()), kDpi);
            EXPECT_TRUE(rectNear(first, QRectF(corner + QPointF(5, 10), size), 0.2)) << name;
            EXPECT_TRUE(rectNear(second, QRectF(corner + QPointF(20, 140), size), 0.2)) << name;
        }
    }

    QTemporaryDir out;
};

TEST_F(ExportPdf, PicturesAreAtTrueSizeAndCalibratedPlacesOnAnA4Sheet) {
    measureEveryMode(TestPrinter::a4WithMargins(), "A4");
}

TEST_F(ExportPdf, PicturesAreAtTrueSizeAndCalibratedPlacesOnALetterSheet) {
    measureEveryMode(TestPrinter::letterWithMargins(), "Letter");
}

TEST_F(ExportPdf, PicturesAreEmbeddedLosslesslyAtTheirOwnPixels) {
    start();
    loadBoth(CoverMode::BackCover);
    const QString path = out.filePath(QStringLiteral("back.pdf"));
    exportTo(path);
    const QByteArray pdf = bytes(path);
    EXPECT_EQ(pdf.count("/Subtype /Image"), 2);
    EXPECT_EQ(pdf.count("/Width 505"), 2);
    EXPECT_EQ(pdf.count("/Height 410"), 2);
    EXPECT_FALSE(pdf.contains("/DCTDecode")) << "a picture went in as JPEG";
}

TEST_F(ExportPdf, TheNameGetsItsExtensionAndAnExistingFileIsReplacedOnlyAfterOk) {
    start();
    loadBoth(CoverMode::CdCover);
    exportTo(out.filePath(QStringLiteral("cover")));
    exportTo(out.filePath(QStringLiteral("loud.PDF")));
    EXPECT_EQ(ui.fileRequests.at(0).filters, QStringList{"PDF (*.pdf)"});
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{"cover.pdf", "loud.PDF.pdf"}));

    const QString path = out.filePath(QStringLiteral("cover.pdf"));
    const QByteArray first = bytes(path);
    form().calibrationText[0] = QStringLiteral("3.00");
    ui.confirmAnswers = {false, true};
    exportTo(path);
    EXPECT_EQ(ui.calls.back().text, "Existing file : replace it ?");
    EXPECT_EQ(bytes(path), first);
    exportTo(path);
    EXPECT_NE(bytes(path), first);
}

TEST_F(ExportPdf, IntoAnUnwritableFolderTheOldFileStaysWholeAndTheMessageSaysWhy) {
    start();
    loadBoth(CoverMode::CdCover);
    const QString folderPath = out.filePath(QStringLiteral("locked"));
    const QString path = folderPath + QStringLiteral("/cover.pdf");
    ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("locked")));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("precious") == 8);
    old.close();
    const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(out.path(), readable | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(folderPath, readable));
    ui.confirmAnswers.push_back(true);
    // Root writes anywhere: its file accesses are made as "nobody" meanwhile (Linux, this thread only).
    const bool root = ::geteuid() == 0;
    if (root)
        ::setfsuid(65534);
    exportTo(path);
    if (root)
        ::setfsuid(0);
    QFile::setPermissions(folderPath, readable | QFile::WriteOwner);

    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages().front(),
              QStringLiteral("The PDF \"%1\" cannot be written. Permission denied.").arg(path));
    EXPECT_EQ(bytes(path), "precious");
    EXPECT_EQ(QDir(folderPath).entryList(QDir::Files | QDir::Hidden), QStringList{"cover.pdf"});
}

TEST_F(ExportPdf, NothingIsAskedOrWrittenForAnEmptyModeOrAnOffsetThatCannotBeUsed) {
    start();
    form().switchToMode(CoverMode::FrontCover);
    form().ExportPdf1->trigger();
    EXPECT_TRUE(ui.messages().at(0).startsWith(QLatin1String("Nothing to export")));
    EXPECT_TRUE(ui.fileRequests.empty());

    loadBoth(CoverMode::FrontCover);
    form().calibrationText[2] = QStringLiteral("1,5");
    exportTo(out.filePath(QStringLiteral("front.pdf")));
    EXPECT_TRUE(
        ui.messages().at(1).contains(QLatin1String("line 3 of the calibration file \"Front_cfg.ini\"")))
        << ui.messages().at(1).toStdString();
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

} // namespace
