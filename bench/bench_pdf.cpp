// Exports the benchmark's Cd Cover (two fitted photographs with text) through the main window's
// Export PDF, each time after a new layout so both pictures are made again at the export's
// resolution, and compares its time with Print of the same page on the local CUPS queue in the
// same run. Reports the file's size against the two exported pictures' raw bytes.
#include "coverfixture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

void ExportCdCoverPdf(benchmark::State& state) {
    if (!cupsQueueReady(QString::fromLatin1(kCupsPdfQueue))) {
        state.SkipWithError("the print queue is not running: tools/cups-queue.sh start");
        return;
    }
    CoverOnQueue cover;
    const QString path = cover.files.filePath(QStringLiteral("cover.pdf"));
    double exportSeconds = 0, printSeconds = 0;
    qint64 pdfBytes = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        cover.changeBoth();
        const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
        state.ResumeTiming();

        timer.start();
        cover.print();
        printSeconds += double(timer.nsecsElapsed()) / 1e9;
        state.PauseTiming();
        collectPdf(QStringLiteral("Obn7000"), since);
        cover.changeBoth();
        state.ResumeTiming();

        timer.start();
        cover.exportPdf(path);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        exportSeconds += seconds;
        state.SetIterationTime(seconds);
        pdfBytes = QFileInfo(path).size();
    }
    // The export puts its pictures in at the printer's resolution up to 600 per inch, as Print.
    const QSize dots = cover.pictureSize();
    const double pictureBytes = 2.0 * dots.width() * dots.height() * 3;
    const auto n = double(state.iterations());
    state.counters["export_ms"] = exportSeconds / n * 1000;
    state.counters["print_ms"] = printSeconds / n * 1000;
    state.counters["ratio"] = exportSeconds / printSeconds;
    state.counters["pdf_kB"] = double(pdfBytes) / 1000;
    state.counters["pdf_per_pictures"] = double(pdfBytes) / pictureBytes;
}
BENCHMARK(ExportCdCoverPdf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
