// Undo of a quarter turn on a fitted Cd Cover picture (450 × 450), through the Edit menu with the
// main window shown, against switching to the cover's other picture and back in the same run: both
// unpack or bring back a picture and repaint the window.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "coverfixture.h"
#include "decor/tform7.h"
#include "support/programfixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

struct TurnedCover {
    ProgramFolder folder;
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    std::unique_ptr<Orbalin> program;

    // A fitted photograph on each picture of the cover, the first one shown.
    TurnedCover() {
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0});
        for (const char* picture : {"SpeedButton9", "SpeedButton8"}) {
            click(picture);
            const QString path = folder.file(QLatin1String(picture) + QStringLiteral(".bmp"));
            Picture(grainedGradient(1200, quint32(picture[11]))).saveBmp(path);
            openPicture(*program, ui, path, Adjust::Resize);
        }
        if (form().document().slotPicture[0].bitmap().size() != QSize(450, 450) ||
            form().document().slotKept[1].bitmap().size() != QSize(450, 450))
            throw std::runtime_error("the photos were not opened and fitted");
        form().show();
        QApplication::processEvents();
    }
    TForm15& form() { return *program->Form15; }
    void click(const char* button) { control<QToolButton>(form(), button).click(); }
};

void UndoTurnAgainstPictureSwitch(benchmark::State& state) {
    TurnedCover cover;
    QAction& undo = control<QAction>(cover.form(), "Undo1");
    double undoSeconds = 0, switchSeconds = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        cover.program->Form7->SpeedButton1Click();
        if (undo.text() != QStringLiteral("Undo Rotate Left"))
            throw std::runtime_error("the picture was not turned");
        timer.start();
        undo.trigger();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        undoSeconds += seconds;
        state.SetIterationTime(seconds);

        timer.start();
        cover.click("SpeedButton9");
        cover.click("SpeedButton8");
        switchSeconds += double(timer.nsecsElapsed()) / 1e9 / 2;
    }
    const auto n = double(state.iterations());
    state.counters["undo_turn_ms"] = undoSeconds / n * 1000;
    state.counters["picture_switch_ms"] = switchSeconds / n * 1000;
    state.counters["ratio"] = undoSeconds / switchSeconds;
}
BENCHMARK(UndoTurnAgainstPictureSwitch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

} // namespace
