#include "cover/fitpixels.h"

#include "cover/stretchtaps.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

QImage as24Bit(const QImage& image) {
    return image.format() == QImage::Format_BGR888 ? image : image.convertToFormat(QImage::Format_BGR888);
}

} // namespace

QImage stretchToSize(const QImage& original, QSize size) {
    if (original.isNull() || size.isEmpty())
        return {};
    const QImage source = as24Bit(original);
    QImage result(size, QImage::Format_BGR888);
    if (result.isNull())
        return {};
    const Taps across = tapsFor(source.width(), size.width());
    const Taps down = tapsFor(source.height(), size.height());
    const int sourceValues = 3 * source.width();
    const int values = 3 * size.width();

    // Down first, over whole source rows, then across the one summed row: most of the work then
    // runs over contiguous bytes.
    std::vector<std::uint32_t> column(sourceValues);
    std::vector<std::uint32_t> sum(values);
    for (int y = 0; y < size.height(); ++y) {
        std::fill(column.begin(), column.end(), 0u);
        int sourceRow = down.first[y];
        for (int k = down.offset[y]; k < down.offset[y + 1]; ++k, ++sourceRow) {
            const std::uint32_t w = down.weights[k];
            const uchar* row = source.constScanLine(sourceRow);
            std::uint32_t* into = column.data();
            for (int i = 0; i < sourceValues; ++i)
                into[i] += w * row[i];
        }
        filterAcross(column.data(), across, sum.data());
        roundSums(sum.data(), values, result.scanLine(y));
    }
    return result;
}

QImage halveBoxFilter(const QImage& original) {
    const QImage source = as24Bit(original);
    const int width = source.width() / 2, height = source.height() / 2;
    if (width == 0 || height == 0)
        return {};
    QImage result(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        const uchar* top = source.constScanLine(2 * y);
        const uchar* bottom = source.constScanLine(2 * y + 1);
        uchar* out = result.scanLine(y);
        for (int i = 0; i < 3 * width; ++i) {
            const int left = 6 * (i / 3) + i % 3; // same byte of the left source pixel
            out[i] = uchar(top[left] / 4 + top[left + 3] / 4 + bottom[left] / 4 + bottom[left + 3] / 4);
        }
    }
    return result;
}

QImage scaleNearest(const QImage& original, QSize size) {
    if (original.isNull() || size.isEmpty())
        return {};
    const QImage source = as24Bit(original);
    QImage result(size, QImage::Format_BGR888);
    std::vector<int> column(size.width());
    for (int x = 0; x < size.width(); ++x)
        column[x] = int(std::int64_t(x) * source.width() / size.width());
    for (int y = 0; y < size.height(); ++y) {
        const uchar* in = source.constScanLine(int(std::int64_t(y) * source.height() / size.height()));
        uchar* out = result.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            std::copy_n(in + 3 * column[x], 3, out + 3 * x);
    }
    return result;
}

void stampMask(QImage& picture, const QImage& originalMask) {
    if (picture.isNull() || originalMask.isNull())
        return;
    if (picture.format() != QImage::Format_BGR888)
        picture = picture.convertToFormat(QImage::Format_BGR888);
    const QImage mask = as24Bit(originalMask);
    const int width = std::min(picture.width(), mask.width());
    const int height = std::min(picture.height(), mask.height());
    for (int y = 0; y < height; ++y) {
        const uchar* in = mask.constScanLine(y);
        uchar* out = picture.scanLine(y);
        for (int x = 0; x < width; ++x, in += 3, out += 3)
            if (in[0] | in[1] | in[2])
                std::copy_n(in, 3, out);
    }
}
