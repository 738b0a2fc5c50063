// Exports a Cd Cover with two fitted pictures through the main window's Export PDF and compares
// its time with Print of the same page on the local CUPS queue (tools/cups-queue.sh), timed in the
// same process until the job is handed to the print server. Also reports the size of the file
// against the two 450 × 450 pictures' 1.2 MB.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "doubles/scriptedinteraction.h"
#include "platform/qt/qtprinterport.h"
#include "support/printedpage.h"
#include "support/programfixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

// A photograph's worth of detail: smooth colours with a little grain, so the file cannot shrink
// the pictures to nothing.
QImage grainedGradient(int size, quint32 seed) {
    QImage picture = gradientPicture(size, size);
    const QImage grain = noisePicture(size, size, seed);
    for (int y = 0; y < size; ++y) {
        uchar* row = picture.scanLine(y);
        const uchar* noise = grain.constScanLine(y);
        for (int x = 0; x < size * 3; ++x)
            row[x] = uchar(std::clamp(int(row[x]) + (noise[x] >> 5) - 4, 0, 255));
    }
    return picture;
}

struct ExportFixture {
    ProgramFolder folder;
    ScriptedInteraction ui;
    QtPrinterPort port{QString::fromLatin1(kCupsPdfQueue)};
    std::unique_ptr<Orbalin> program;
    QTemporaryDir files;

    ExportFixture() {
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, port, 0});
        openFitted(QStringLiteral("one.bmp"), grainedGradient(1000, 1));
        control<QToolButton>(*program->Form15, "SpeedButton9").click();
        openFitted(QStringLiteral("two.bmp"), grainedGradient(1000, 2));
    }

    void openFitted(const QString& name, const QImage& picture) {
        const QString path = files.filePath(name);
        Picture(picture).saveBmp(path);
        openPicture(*program, ui, path, Adjust::Resize);
    }

    void check() const {
        if (!ui.messages().isEmpty())
            throw std::runtime_error(ui.messages().front().toStdString());
    }

    void exportPdf(const QString& path) {
        ui.fileAnswers.push_back(FileDialogAnswer{path, 0});
        control<QAction>(*program->Form15, "ExportPdf1").trigger();
        check();
    }

    void print() {
        control<QToolButton>(*program->Form15, "SpeedButton4").click();
        check();
    }
};

void ExportCdCoverPdf(benchmark::State& state) {
    if (!cupsQueueReady(QString::fromLatin1(kCupsPdfQueue))) {
        state.SkipWithError("the print queue is not running: tools/cups-queue.sh start");
        return;
    }
    ExportFixture fixture;
    const QString path = fixture.files.filePath(QStringLiteral("cover.pdf"));
    double exportSeconds = 0, printSeconds = 0;
    qint64 pdfBytes = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
        state.ResumeTiming();

        timer.start();
        fixture.print();
        printSeconds += double(timer.nsecsElapsed()) / 1e9;
        state.PauseTiming();
        const std::optional<QString> job = waitForJobPdf(QStringLiteral("Obn7000"), since, 30000);
        if (!job)
            throw std::runtime_error("the print queue made no PDF of the page");
        QFile::remove(*job);
        state.ResumeTiming();

        timer.start();
        fixture.exportPdf(path);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        exportSeconds += seconds;
        state.SetIterationTime(seconds);
        pdfBytes = QFileInfo(path).size();
    }
    const auto n = double(state.iterations());
    const double pictureBytes = 2.0 * 450 * 450 * 3;
    state.counters["export_ms"] = exportSeconds / n * 1000;
    state.counters["print_ms"] = printSeconds / n * 1000;
    state.counters["ratio"] = exportSeconds / printSeconds;
    state.counters["pdf_kB"] = double(pdfBytes) / 1000;
    state.counters["pdf_per_pictures"] = double(pdfBytes) / pictureBytes;
}
BENCHMARK(ExportCdCoverPdf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

} // namespace
