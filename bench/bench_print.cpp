// Prints a Cd Cover with two fitted pictures on the local CUPS queue (tools/cups-queue.sh) through
// the main window's Print button, until the job is handed to the print server, and compares that
// with the least the job needs: a bare QPrinter job drawing the same two pictures. Also reports
// the size of the PDF the queue makes of the page.
#include "app/orbalin.h"
#include "app/tform1.h"
#include "app/tform15.h"
#include "platform/qt/qtprinterport.h"
#include "doubles/scriptedinteraction.h"
#include "support/printedpage.h"
#include "support/programfixture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

// A photograph's worth of detail: a gradient with grain, so the page does not compress to nothing.
QImage grainyPicture(int width, int height, int seed) {
    QImage image = gradientPicture(width, height);
    quint32 noise = quint32(seed);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width * 3; ++x) {
            noise = noise * 1664525u + 1013904223u;
            row[x] = uchar(std::clamp(int(row[x]) + int(noise >> 29) - 4, 0, 255));
        }
    }
    return image;
}

struct PrintFixture {
    ProgramFolder folder;
    ScriptedInteraction ui;
    QtPrinterPort port{QString::fromLatin1(kCupsPdfQueue)};
    std::unique_ptr<Orbalin> program;
    QTemporaryDir pictures;

    PrintFixture() {
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, port, 0});
        openFitted(QStringLiteral("one.bmp"), grainyPicture(1000, 1000, 1));
        control<QToolButton>(*program->Form15, "SpeedButton9").click();
        openFitted(QStringLiteral("two.bmp"), grainyPicture(1000, 1000, 2));
    }

    void openFitted(const QString& name, const QImage& picture) {
        const QString path = pictures.filePath(name);
        Picture(picture).saveBmp(path);
        openPicture(*program, ui, path, Adjust::Resize);
    }

    void print() {
        control<QToolButton>(*program->Form15, "SpeedButton4").click();
        if (!ui.messages().isEmpty())
            throw std::runtime_error(ui.messages().front().toStdString());
    }

    // The floor: one job drawing the two pictures straight onto a QPrinter.
    void barePrint() {
        QPrinter printer(QPrinterInfo::printerInfo(QString::fromLatin1(kCupsPdfQueue)),
                         QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("floor"));
        QPainter painter(&printer);
        painter.setRenderHint(QPainter::LosslessImageRendering);
        const TForm15& form = *program->Form15;
        painter.drawImage(QRect(0, 0, 5666, 5666), form.slotKept[0].bitmap());
        painter.drawImage(QRect(0, 7080, 5666, 5666), form.slotKept[1].bitmap());
    }
};

// Waits for the job's PDF, so jobs do not pile up in the queue, and returns its size.
qint64 collectPdf(const QString& title, const QDateTime& since) {
    const std::optional<QString> pdf = waitForJobPdf(title, since, 30000);
    if (!pdf)
        throw std::runtime_error("the print queue made no PDF of " + title.toStdString());
    const qint64 size = QFileInfo(*pdf).size();
    QFile::remove(*pdf);
    return size;
}

void PrintCdCoverOnCupsQueue(benchmark::State& state) {
    if (!cupsQueueReady(QString::fromLatin1(kCupsPdfQueue))) {
        state.SkipWithError("the print queue is not running: tools/cups-queue.sh start");
        return;
    }
    PrintFixture fixture;
    double printSeconds = 0, floorSeconds = 0;
    qint64 pdfBytes = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        QDateTime since = QDateTime::currentDateTime().addSecs(-1);
        timer.start();
        fixture.barePrint();
        floorSeconds += double(timer.nsecsElapsed()) / 1e9;
        state.PauseTiming();
        collectPdf(QStringLiteral("floor"), since);
        since = QDateTime::currentDateTime().addSecs(-1);
        state.ResumeTiming();

        timer.start();
        fixture.print();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        printSeconds += seconds;
        state.SetIterationTime(seconds);
        state.PauseTiming();
        pdfBytes = collectPdf(QStringLiteral("Obn7000"), since);
        state.ResumeTiming();
    }
    const auto n = double(state.iterations());
    const double pictureBytes = 2.0 * 450 * 450 * 3;
    state.counters["print_ms"] = printSeconds / n * 1000;
    state.counters["floor_ms"] = floorSeconds / n * 1000;
    state.counters["ratio"] = printSeconds / floorSeconds;
    state.counters["pdf_kB"] = double(pdfBytes) / 1000;
    state.counters["pdf_per_pictures"] = double(pdfBytes) / pictureBytes;
}
BENCHMARK(PrintCdCoverOnCupsQueue)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

} // namespace
