// Text around the disc against the Center layout of the same text: a line of 120 characters that
// takes the whole circle of the Cd Cover, planned with the painter's fonts and painted with the
// disc mask, from a fitted picture each time.
#include "cover/discgeometry.h"
#include "support/pictures.h"
#include "text/aroundlayout.h"
#include "text/textlayouts.h"
#include "text/textpainter.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <numbers>

namespace {

void AroundAgainstCenter(benchmark::State& state) {
    const QImage fitted = gradientPicture(450, 450), mask = disc::mask(450), smallMask = disc::mask(300);
    const QString text =
        QStringLiteral("Around the rim of the disc, reading clockwise ").repeated(3).left(120);
    const TextStyle style{.family = QStringLiteral("Liberation Sans"), .pointSize = 18};
    double aroundSeconds = 0, centreSeconds = 0;
    TextPlan around;
    QElapsedTimer timer;
    for (auto _ : state) {
        QImage picture = fitted;
        timer.start();
        const TextPlan centre = planCenter({text}, style, CoverMode::CdCover, measureOnCover);
        paintTextPlan(picture, centre, mask, smallMask);
        centreSeconds += double(timer.nsecsElapsed()) / 1e9;
        picture = fitted;
        timer.start();
        around = planAround({{{text, style}}}, CoverMode::CdCover, {}, measureCutsOnCover).value();
        paintTextPlan(picture, around, mask, smallMask);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        aroundSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    const auto n = double(state.iterations());
    state.counters["center_ms"] = centreSeconds / n * 1000;
    state.counters["around_ms"] = aroundSeconds / n * 1000;
    state.counters["ratio"] = aroundSeconds / centreSeconds;
    // How much of the circle the line took, and at what size.
    const TextOnCurve first = *around.draws.front().curve, last = *around.draws.back().curve;
    const double radius = 450 / 2.0 - 4 * disc::kPixelsPerMm;
    const QPointF end = last.origin + (last.middle() - last.origin) * 2;
    const double gap = std::hypot(end.x() - first.origin.x(), end.y() - first.origin.y());
    state.counters["arc_degrees"] = 360 - 2 * std::asin(gap / 2 / radius) * 180 / std::numbers::pi;
    state.counters["point_size"] =
        around.notes.shrunkLines.empty() ? style.pointSize : around.notes.shrunkLines[0].pointSize;
}
BENCHMARK(AroundAgainstCenter)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
