#pragma once

#include <cstdint>
#include <vector>

// The weights of the area-weighted stretch, shared by the whole-picture stretch and the one fed
// row by row, so both give the same bytes.

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

    int last(int result) const { return first[result] + (offset[result + 1] - offset[result]) - 1; }
};

Taps tapsFor(int sourceLength, int resultLength);

// Across one row already summed down: three sums per result pixel.
void filterAcross(const std::uint32_t* row, const Taps& taps, std::uint32_t* out);

// A row of three-byte pixels from its sums: both weights divided out, rounded to nearest.
void roundSums(const std::uint32_t* sums, int values, unsigned char* out);
