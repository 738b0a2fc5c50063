#include "cover/stretchtaps.h"

#include <algorithm>

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


void roundSums(const std::uint32_t* sums, int values, unsigned char* out) {
    constexpr int shift = 2 * kWeightBits;
    constexpr std::uint32_t half = 1u << (shift - 1); // 255 × 2^24 + 2^23 still fits 32 bits
    for (int i = 0; i < values; ++i)
        out[i] = static_cast<unsigned char>((sums[i] + half) >> shift);
}
