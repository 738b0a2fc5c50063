// Opens a 24-megapixel JPEG into Cd Cover Picture #1 and fits it, through the main window's
// handlers, and compares that with the least the job needs: a bare libjpeg decode of the same file
// plus writing the decoded picture once as a BMP into the same folder.
#include "app/fitpixels.h"
#include "app/orbalin.h"
#include "app/tform1.h"
#include "app/tform15.h"
#include "platform/qt/application.h"
#include "platform/picture.h"
#include "support/jpegwriter.h"
#include "support/programfixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <jpeglib.h>

namespace {

constexpr int kWidth = 6000, kHeight = 4000;

QImage photoLikePicture() {
    QImage image(kWidth, kHeight, QImage::Format_BGR888);
    quint32 noise = 12345;
    for (int y = 0; y < kHeight; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            row[3 * x] = uchar(std::clamp(x * 255 / kWidth + grain, 0, 255));
            row[3 * x + 1] = uchar(std::clamp(y * 255 / kHeight + grain, 0, 255));
            row[3 * x + 2] = uchar(std::clamp(((x / 300 + y / 300) % 2) * 160 + 40 + grain, 0, 255));
        }
    }
    return image;
}

// The floor: libjpeg straight into a bitmap, no checks.
QImage bareDecode(const QString& path) {
    FILE* in = std::fopen(QFile::encodeName(path).constData(), "rb");
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    QImage image(int(info.output_width), int(info.output_height), QImage::Format_BGR888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(in);
    return image;
}

long statusKilobytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

void resetPeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Fixture {
    ProgramFolder folder;
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    std::unique_ptr<Orbalin> program;
    QString photo;

    Fixture() {
        photo = folder.file(QStringLiteral("photo.jpg"));
        QFile out(photo);
        if (out.open(QIODevice::WriteOnly))
            out.write(encodeJpeg(photoLikePicture(), JpegOptions{.quality = 90}));
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0});
    }

    // What the user does: Open, choose the photo, press Resize in the Adjust window.
    void openAndFit() {
        TForm15& form = *program->Form15;
        openPicture(*program, ui, photo, Adjust::Resize);
        if (!form.slotResized[0] || form.slotPicture[0].bitmap().size() != QSize(450, 450))
            throw std::runtime_error("the photo was not opened and fitted");
    }

    void floor() {
        const QImage decoded = bareDecode(photo);
        Picture(decoded).saveBmp(folder.file(QStringLiteral("floor.bmp")));
    }
};

void OpenAndFitLargeJpeg(benchmark::State& state) {
    Fixture fixture;

    // Peak memory of one open-and-fit, from a freshly started program.
    const double decodedMb = kWidth * kHeight * 3 / 1e6;
    resetPeakMemory();
    const long before = statusKilobytes("VmRSS:");
    fixture.openAndFit();
    const double peakMb = double(statusKilobytes("VmHWM:") - before) * 1024 / 1e6;

    double openFitSeconds = 0, floorSeconds = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        fixture.floor();
        floorSeconds += double(timer.nsecsElapsed()) / 1e9;
        timer.start();
        fixture.openAndFit();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        openFitSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    const auto n = double(state.iterations());
    state.counters["floor_ms"] = floorSeconds / n * 1000;
    state.counters["open_fit_ms"] = openFitSeconds / n * 1000;
    state.counters["ratio"] = openFitSeconds / floorSeconds;
    state.counters["peak_MB"] = peakMb;
    state.counters["peak_per_decoded"] = peakMb / decodedMb;
}
BENCHMARK(OpenAndFitLargeJpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

// The largest step of the fit on its own: the 24-megapixel picture stretched to 900 × 900.
void StretchLargePicture(benchmark::State& state) {
    const QImage photo = photoLikePicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(stretchToSize(photo, {900, 900}));
}
BENCHMARK(StretchLargePicture)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    OrbalinApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
