#include "render/printedpictures.h"

#include "cover/fitpixels.h"
#include "render/replay.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kMostDotsPerInch = 600;
// Made again and brought back to the screen's size, a picture differs from the screen's by the
// edges of its letters and the finer resampling: a few levels on average, up to about 30 on a
// square. Far more means a step was not applied as on screen, and the screen picture is printed.
constexpr double kMostMeanDifference = 8;
constexpr double kMostSquareDifference = 64;

} // namespace

QSize sizeWithinBudget(QSize size, qint64 budgetBytes) {
    if (size.isEmpty())
        return size;
    const double pixels = double(size.width()) * size.height();
    const double most = double(std::max<qint64>(budgetBytes, 0)) / kPrintBytesPerPixel;
    if (pixels <= most)
        return size;
    const double scale = std::sqrt(most / pixels);
    return {std::max(1, int(size.width() * scale)), std::max(1, int(size.height() * scale))};
}

PrintedPicture PrintedPictures::at(const CoverDocument& document, const SlotInfo& slot,
                                   const QImage& printedScreen, QSize printedAt) {
    const auto i = size_t(slot.index);
    if (!document.slotLoaded[i] || printedScreen.isNull())
        return {};
    const QSize size = sizeWithinBudget(printedAt, budgetBytes_);
    const QString coarser =
        size == printedAt
            ? QString()
            : QStringLiteral(
                  "it is made %1 × %2 pixels for its %3 × %4 dots, as a sharper picture would need "
                  "more than %5 MB of memory")
                  .arg(size.width())
                  .arg(size.height())
                  .arg(printedAt.width())
                  .arg(printedAt.height())
                  .arg(budgetBytes_ >> 20);
    if (document.printAtScreenResolution || printedAt.width() <= printedScreen.width())
        return {&printedScreen, {}, {}};
    if (size.width() <= printedScreen.width())
        return {&printedScreen,
                QStringLiteral("a sharper picture for its %1 × %2 dots would need more than %3 MB of memory")
                    .arg(printedAt.width())
                    .arg(printedAt.height())
                    .arg(budgetBytes_ >> 20),
                {}};
    if (document.slotUnfitted[i])
        return {&printedScreen, QStringLiteral("it has not been fitted"), {}};

    // Only the insert being printed keeps its pictures: at 600 dpi each is some 24 MB.
    for (const SlotInfo& other : slotTable())
        if (other.mode != slot.mode)
            made_[size_t(other.index)] = {};
    Made& made = made_[i];
    if (made.key != printedScreen.cacheKey() || made.size != size) {
        Replayed replayed = replayAt(document.slotHistory[i].stepsDone(), slot.mode, size);
        if (!replayed.picture.isNull()) {
            const QImage down = stretchToSize(replayed.picture, printedScreen.size());
            if (meanDifference(down, printedScreen) > kMostMeanDifference ||
                largestSquareDifference(down, printedScreen) > kMostSquareDifference)
                replayed = {{}, QStringLiteral("drawn again it would not match the picture on screen")};
        }
        made = {printedScreen.cacheKey(), size, std::move(replayed.picture), std::move(replayed.reason)};
    }
    if (made.image.isNull())
        return {&printedScreen, made.reason, {}};
    return {&made.image, {}, coarser};
}

double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_BGR888);
    const QImage y = b.convertToFormat(QImage::Format_BGR888);
    if (x.size() != y.size() || x.isNull())
        return 255;
    qint64 total = 0;
    const int rowBytes = x.width() * 3;
    for (int row = 0; row < x.height(); ++row) {
        const uchar* p = x.constScanLine(row);
        const uchar* q = y.constScanLine(row);
        for (int i = 0; i < rowBytes; ++i)
            total += std::abs(int(p[i]) - int(q[i]));
    }
    return double(total) / (double(rowBytes) * x.height());
}

double largestSquareDifference(const QImage& a, const QImage& b) {
    constexpr int kSide = 16;
    const QImage x = a.convertToFormat(QImage::Format_BGR888);
    const QImage y = b.convertToFormat(QImage::Format_BGR888);
    if (x.size() != y.size() || x.isNull())
        return 255;
    double largest = 0;
    for (int top = 0; top < x.height(); top += kSide) {
        for (int left = 0; left < x.width(); left += kSide) {
            const QRect square = QRect(left, top, kSide, kSide).intersected(x.rect());
            qint64 total = 0;
            for (int row = square.top(); row <= square.bottom(); ++row) {
                const uchar* p = x.constScanLine(row) + square.left() * 3;
                const uchar* q = y.constScanLine(row) + square.left() * 3;
                for (int i = 0; i < square.width() * 3; ++i)
                    total += std::abs(int(p[i]) - int(q[i]));
            }
            largest = std::max(largest, double(total) / (square.width() * square.height() * 3));
        }
    }
    return largest;
}

QSize printedSize(QSize dots, double printerDpi) {
    if (printerDpi <= kMostDotsPerInch)
        return dots;
    const double scale = kMostDotsPerInch / printerDpi;
    return {int(std::lround(dots.width() * scale)), int(std::lround(dots.height() * scale))};
}

double exportPixelsPerInch(double printerDpi) {
    return std::clamp(printerDpi, 300.0, kMostDotsPerInch);
}
