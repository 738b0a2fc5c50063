// Opens a 24-megapixel JPEG into Cd Cover Picture #1 and fits it, through the main window's
// handlers, and compares that with the least the job needs: a bare libjpeg decode of the same file
// plus writing the decoded picture once as a BMP into the same folder. The same for a 100-megapixel
// JPEG and a 100-megapixel BMP, whose floor is reading its rows plus the one write.
#include "app/orbalin.h"
#include "app/tform1.h"
#include "app/tform15.h"
#include "cover/fitpixels.h"
#include "platform/picture.h"
#include "platform/qt/application.h"
#include "processmemory.h"
#include "support/jpegwriter.h"
#include "support/programfixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QToolButton>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <jpeglib.h>

namespace {

QImage photoLikePicture(int width, int height) {
    QImage image(width, height, QImage::Format_BGR888);
    quint32 noise = 12345;
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            row[3 * x] = uchar(std::clamp(x * 255 / width + grain, 0, 255));
            row[3 * x + 1] = uchar(std::clamp(y * 255 / height + grain, 0, 255));
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

// The floor for a BMP file: its rows read straight into a bitmap, no checks.
QImage bareBmpRead(const QString& path) {
    QFile in(path);
    in.open(QIODevice::ReadOnly);
    const QByteArray head = in.read(54);
    const int width = qFromLittleEndian<qint32>(head.constData() + 18);
    const int height = qFromLittleEndian<qint32>(head.constData() + 22);
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = height - 1; y >= 0; --y)
        in.read(reinterpret_cast<char*>(image.scanLine(y)), image.bytesPerLine());
    return image;
}

enum class Kind { Jpeg, Bmp };

struct Fixture {
    ProgramFolder folder;
    ScriptedInteraction ui;
    TestPrinter printer{TestPrinter::dpi600Letter()};
    std::unique_ptr<Orbalin> program;
    QString photo;
    Kind kind;

    Fixture(int width, int height, Kind kind) : kind(kind) {
        photo = folder.file(kind == Kind::Jpeg ? QStringLiteral("photo.jpg") : QStringLiteral("photo.bmp"));
        if (kind == Kind::Bmp) {
            Picture(photoLikePicture(width, height)).saveBmp(photo);
        } else {
            QFile out(photo);
            if (out.open(QIODevice::WriteOnly))
                out.write(encodeJpeg(photoLikePicture(width, height), JpegOptions{.quality = 90}));
        }
        program = std::make_unique<Orbalin>(ProgramContext{folder.path(), ui, printer, 0});
    }

    // What the user does: Open, choose the photo, press Resize in the Adjust window.
    void openAndFit() {
        TForm15& form = *program->Form15;
        openPicture(*program, ui, photo, Adjust::Resize);
        if (!form.document().slotResized[0] ||
            form.document().slotPicture[0].bitmap().size() != QSize(450, 450))
            throw std::runtime_error("the photo was not opened and fitted");
    }

    void floor() {
        const QImage decoded = kind == Kind::Jpeg ? bareDecode(photo) : bareBmpRead(photo);
        Picture(decoded).saveBmp(folder.file(QStringLiteral("floor.bmp")));
    }
};

void openAndFitAgainstFloor(benchmark::State& state, int width, int height, Kind kind) {
    Fixture fixture(width, height, kind);

    // Peak memory of one open-and-fit, from a freshly started program.
    const double decodedMb = double(width) * height * 3 / 1e6;
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

void OpenAndFitLargeJpeg(benchmark::State& state) {
    openAndFitAgainstFloor(state, 6000, 4000, Kind::Jpeg);
}
BENCHMARK(OpenAndFitLargeJpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

// 100 megapixels, the size of the largest camera photos: a few runs suffice.
void OpenAndFitHugeJpeg(benchmark::State& state) {
    openAndFitAgainstFloor(state, 12500, 8000, Kind::Jpeg);
}
BENCHMARK(OpenAndFitHugeJpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void OpenAndFitHugeBmp(benchmark::State& state) {
    openAndFitAgainstFloor(state, 12500, 8000, Kind::Bmp);
}
BENCHMARK(OpenAndFitHugeBmp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The largest step of the fit on its own: the 24-megapixel picture stretched to 900 × 900.
void StretchLargePicture(benchmark::State& state) {
    const QImage photo = photoLikePicture(6000, 4000);
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
