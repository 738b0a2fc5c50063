// Export PDF on a real print queue: the file, made on the queue's own sheet, carries the pictures
// where the queue's job of the same page puts them.
#include "cover/fitting.h"
#include "platform/qt/qtprinterport.h"
#include "support/printedpage.h"
#include "support/programfixture.h"

#include <QFile>
#include <QToolButton>

namespace {

TEST(CupsExport, TheFilePutsThePicturesWhereThePrintedPageHasThem) {
    ASSERT_TRUE(cupsQueueReady(kCupsPdfQueue)) << "start the queue with tools/cups-queue.sh start";
    const ProgramFolder folder;
    ScriptedInteraction ui;
    QtPrinterPort port{QString::fromLatin1(kCupsPdfQueue)};
    Orbalin program(ProgramContext{folder.path(), ui, port, 0});
    TForm15& form = *program.Form15;
    form.switchToMode(CoverMode::BackCover);
    const QColor colours[] = {Qt::red, Qt::blue};
    for (const bool second : {false, true}) {
        const auto i = size_t(slotOf(CoverMode::BackCover, second).index);
        form.document().slotPicture[i] = form.document().slotKept[i] =
            Picture(solidPicture(505, 410, colours[second]));
        form.document().slotLoaded[i] = true;
    }
    form.document().calibrationText[0] = QStringLiteral("1.50");
    form.document().calibrationText[3] = QStringLiteral("14.00");
    const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
    control<QToolButton>(form, "SpeedButton4").click();
    const std::optional<QString> job = waitForJobPdf(QStringLiteral("Obn7000"), since, 30000);
    ASSERT_TRUE(job.has_value()) << "no PDF of the job in " << cupsPdfFolder().toStdString();
    QTemporaryDir out;
    ui.fileAnswers.push_back(FileDialogAnswer{out.filePath(QStringLiteral("back.pdf")), 0});
    control<QAction>(form, "ExportPdf1").trigger();
    ASSERT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();

    const std::optional<QImage> printed = rasterisePdf(*job, 300);
    const std::optional<QImage> file = rasterisePdf(out.filePath(QStringLiteral("back.pdf")), 300);
    QFile::remove(*job);
    ASSERT_TRUE(printed && file);
    EXPECT_EQ(file->size(), printed->size()) << "the file's sheet is the queue's";
    for (const QColor colour : colours) {
        // The same page plan: what parts them is the rasterising of two files.
        EXPECT_TRUE(rectNear(pixelsToMm(colourBox(*file, colour, 40).value_or(QRect()), 300),
                             pixelsToMm(colourBox(*printed, colour, 40).value_or(QRect()), 300), 0.3))
            << colour.name().toStdString();
    }
}

} // namespace
