// The Text Area's four layouts on a fitted Cd Cover picture with a disc full of text, through the
// window's buttons, against the restore every layout starts with: reading the fitted picture back
// from its refresh file.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "support/programfixture.h"
#include "text/tform17.h"

#include <QElapsedTimer>
#include <QTextEdit>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

struct LayoutFixture {
    ProgramFolder folder;
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    std::unique_ptr<Orbalin> program;

    LayoutFixture() {
        const QString path = folder.file(QStringLiteral("photo.bmp"));
        Picture(gradientPicture(900, 900)).saveBmp(path);
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0});
        openPicture(*program, ui, path, Adjust::Resize);
        if (!program->Form15->document().slotResized[0])
            throw std::runtime_error("the picture was not opened and fitted");
        // More text than the disc holds at 10 points, so Adjust fills every row down to 430.
        QStringList lines;
        for (int i = 0; i < 60; ++i)
            lines << QStringLiteral("Line %1 of the disc's text, long enough to cross the hub twice over")
                         .arg(i);
        program->Form17->RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
    }
};

void Layout(benchmark::State& state, QToolButton* TForm17::*button) {
    LayoutFixture fixture;
    TForm17& area = *fixture.program->Form17;
    auto* clear = fixture.program->Form15->findChild<QToolButton*>(QStringLiteral("SpeedButton5"));
    double layoutSeconds = 0, restoreSeconds = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        clear->click();
        restoreSeconds += double(timer.nsecsElapsed()) / 1e9;
        timer.start();
        (area.*button)->click();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        layoutSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    const auto n = double(state.iterations());
    state.counters["restore_ms"] = restoreSeconds / n * 1000;
    state.counters["layout_ms"] = layoutSeconds / n * 1000;
    state.counters["ratio"] = layoutSeconds / restoreSeconds;
}
BENCHMARK_CAPTURE(Layout, Center, &TForm17::SpeedButton8)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Layout, LeftAli, &TForm17::SpeedButton11)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Layout, Vertical, &TForm17::SpeedButton4)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Layout, Adjust, &TForm17::SpeedButton10)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// Adjust on one line far longer than the disc holds, against one about as long as it holds: the
// rows run out at the same place, so the time should barely grow.
void AdjustOneLongLine(benchmark::State& state) {
    LayoutFixture fixture;
    TForm17& area = *fixture.program->Form17;
    auto* clear = fixture.program->Form15->findChild<QToolButton*>(QStringLiteral("SpeedButton5"));
    const auto adjustSeconds = [&](int characters) {
        area.RichEdit1->setPlainText(QString(characters, QLatin1Char('x')));
        clear->click();
        QElapsedTimer timer;
        timer.start();
        area.SpeedButton10->click();
        return double(timer.nsecsElapsed()) / 1e9;
    };
    double fitting = 0, endless = 0;
    for (auto _ : state) {
        fitting += adjustSeconds(2'500);
        const double seconds = adjustSeconds(40'000);
        endless += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["line_2500_ms"] = fitting / double(state.iterations()) * 1000;
    state.counters["ratio"] = endless / fitting;
}
BENCHMARK(AdjustOneLongLine)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
