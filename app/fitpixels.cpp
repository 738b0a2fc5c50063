#include "app/fitpixels.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

QImage as24Bit(const QImage& image) {
    return image.format() == QImage::Format_BGR888 ? image : image.convertToFormat(QImage::Format_BGR888);
}

// Weights in 1/4096ths: a column sum of at most 255 × 4096, summed across with weights adding up
// to 4096, stays below 2^32, so one 32-bit accumulator per byte suffices.
constexpr int kWeightBits = 12;
constexpr std::uint32_t kWeightOne = 1u << kWeightBits;

// For each result pixel along one axis: the first source pixel it covers and the weight of each
// source pixel it covers, the weights of one result pixel adding up to exactly kWeightOne.
struct Taps {
    std::vector<int> first;
    std::vector<int> offset; // into weights; one more entry than result pixels
    std::vector<std::uint32_t> weights;
};

Taps tapsFor(int sourceLength, int resultLength) {
    // Source pixel i spans [i·r, (i+1)·r) and result pixel d spans [d·s, (d+1)·s), both measured
    // in units of 1 / (s·r) of the whole length.
    const std::int64_t s = sourceLength, r = resultLength;
    Taps taps;
    taps.first.reserve(resultLength);
    taps.offset.reserve(resultLength + 1);
    for (std::int64_t d = 0; d < r; ++d) {
        const std::int64_t begin = d * s, end = (d + 1) * s;
        const int firstSource = int(begin / r);
        const int lastSource = int((end - 1) / r);
        taps.first.push_back(firstSource);
        taps.offset.push_back(int(taps.weights.size()));
        std::uint32_t total = 0, largestWeight = 0;
        std::size_t largest = taps.weights.size();
        for (int i = firstSource; i <= lastSource; ++i) {
            const std::int64_t overlap = std::min(end, (i + 1) * r) - std::max(begin, i * r);
            const auto weight = std::uint32_t((overlap * kWeightOne + s / 2) / s);
            if (weight > largestWeight) {
                largestWeight = weight;
                largest = taps.weights.size();
            }
            taps.weights.push_back(weight);
            total += weight;
        }
        // Rounding may leave the weights a little off one; the largest takes the difference.
        taps.weights[largest] += kWeightOne - total;
    }
    taps.offset.push_back(int(taps.weights.size()));
    return taps;
}

// Across one row already summed down: three sums per result pixel. The column sums are at most
// 255 × kWeightOne and the weights add up to kWeightOne, so each sum stays below 2^32.
void filterAcross(const std::uint32_t* row, const Taps& taps, std::uint32_t* out) {
    const int count = int(taps.first.size());
    for (int d = 0; d < count; ++d) {
        const std::uint32_t* pixel = row + 3 * taps.first[d];
        std::uint32_t b = 0, g = 0, r = 0;
        for (int k = taps.offset[d]; k < taps.offset[d + 1]; ++k, pixel += 3) {
            const std::uint32_t w = taps.weights[k];
            b += w * pixel[0];
            g += w * pixel[1];
            r += w * pixel[2];
        }
        out[3 * d] = b;
        out[3 * d + 1] = g;
        out[3 * d + 2] = r;
    }
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
    constexpr int shift = 2 * kWeightBits;
    constexpr std::uint32_t half = 1u << (shift - 1); // 255 × 2^24 + 2^23 still fits 32 bits
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
        uchar* out = result.scanLine(y);
        for (int i = 0; i < values; ++i)
            out[i] = uchar((sum[i] + half) >> shift);
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
