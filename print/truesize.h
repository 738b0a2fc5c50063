#pragma once

#include <optional>

// The printed size of an insert in printer dots. Printer metrics are kept as single-precision
// floats; the arithmetic runs in extended precision and each result is stored back as single
// precision before it is truncated, so the dot counts match the calibration files users keep.
struct DotSize {
    float xf = 0;
    float yf = 0;
    int x = 0;
    int y = 0;
};

// Dots across factor × 10 millimetres on a printer with `res` dots over `sizeMm` millimetres.
// nullopt when the metrics cannot give a size (no printer: zero millimetres).
std::optional<float> trueSizeDots(float res, float sizeMm, double factor);

std::optional<DotSize> trueSize(float horzRes, float horzSizeMm, double factorX, float vertRes,
                                float vertSizeMm, double factorY);

// Whole dots per centimetre, truncated before any offset is multiplied by it.
std::optional<int> dotsPerCentimetre(float res, float sizeMm);
