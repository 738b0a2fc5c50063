// Prints a Cd Cover with two fitted 2000-pixel photographs, each with a line of text, on the local
// CUPS queue through the main window's Print button, until the job is handed to the print server.
// Each print makes both pictures again at the queue's 600 dpi (a new layout before each one keeps
// them from being reused). Compared in the same run with the least such a job needs, a bare
// QPrinter job drawing two pictures of the printed size, and with Print at screen resolution.
// Also reports the peak memory of one print against one printed picture's bytes, and the PDF's size.
#include "coverfixture.h"
#include "processmemory.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <benchmark/benchmark.h>

namespace {

// The floor: one job drawing two pictures of the printed size straight onto a QPrinter.
void barePrint(const QImage& first, const QImage& second) {
    QPrinter printer(QPrinterInfo::printerInfo(QString::fromLatin1(kCupsPdfQueue)), QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("floor"));
    QPainter painter(&printer);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRect(QPoint(0, 0), first.size()), first);
    painter.drawImage(QRect(QPoint(0, first.height() + 600), second.size()), second);
}

void PrintCdCoverOnCupsQueue(benchmark::State& state) {
    if (!cupsQueueReady(QString::fromLatin1(kCupsPdfQueue))) {
        state.SkipWithError("the print queue is not running: tools/cups-queue.sh start");
        return;
    }
    CoverOnQueue cover;
    QDateTime since = QDateTime::currentDateTime().addSecs(-1);
    cover.print(); // learns the printed size
    collectPdf(QStringLiteral("Obn7000"), since);
    const QSize dots = cover.pictureSize();
    const QImage first = grainedGradient(dots.width(), 3).scaled(dots);
    const QImage second = grainedGradient(dots.width(), 4).scaled(dots);
    const double pictureMb = double(dots.width()) * dots.height() * 3 / 1e6;

    double printSeconds = 0, floorSeconds = 0, screenSeconds = 0, peakMb = 0;
    qint64 pdfBytes = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        cover.changeBoth();
        since = QDateTime::currentDateTime().addSecs(-1);
        resetPeakMemory();
        const long before = statusKilobytes("VmRSS:");
        state.ResumeTiming();

        timer.start();
        cover.print();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        printSeconds += seconds;
        state.SetIterationTime(seconds);
        state.PauseTiming();
        peakMb = std::max(peakMb, double(statusKilobytes("VmHWM:") - before) * 1024 / 1e6);
        pdfBytes = collectPdf(QStringLiteral("Obn7000"), since);

        since = QDateTime::currentDateTime().addSecs(-1);
        timer.start();
        barePrint(first, second);
        floorSeconds += double(timer.nsecsElapsed()) / 1e9;
        collectPdf(QStringLiteral("floor"), since);

        cover.printAtScreenResolution(true);
        since = QDateTime::currentDateTime().addSecs(-1);
        timer.start();
        cover.print();
        screenSeconds += double(timer.nsecsElapsed()) / 1e9;
        collectPdf(QStringLiteral("Obn7000"), since);
        cover.printAtScreenResolution(false);
        state.ResumeTiming();
    }
    const auto n = double(state.iterations());
    state.counters["print_ms"] = printSeconds / n * 1000;
    state.counters["floor_ms"] = floorSeconds / n * 1000;
    state.counters["ratio"] = printSeconds / floorSeconds;
    state.counters["screen_ms"] = screenSeconds / n * 1000;
    state.counters["per_screen_print"] = printSeconds / screenSeconds;
    state.counters["peak_MB"] = peakMb;
    state.counters["peak_per_picture"] = peakMb / pictureMb;
    state.counters["pdf_kB"] = double(pdfBytes) / 1000;
}
BENCHMARK(PrintCdCoverOnCupsQueue)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
