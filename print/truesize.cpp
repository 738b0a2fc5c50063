#include "print/truesize.h"

#include <cmath>
#include <limits>

namespace {
std::optional<int> truncated(float value) {
    if (!std::isfinite(value) || value < 0 || value >= static_cast<float>(std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(value);
}
} // namespace

std::optional<float> trueSizeDots(float res, float sizeMm, double factor) {
    if (!(sizeMm > 0) || !(res > 0))
        return std::nullopt;
    const auto perMm = static_cast<float>(static_cast<long double>(res) / sizeMm);
    const auto dots = static_cast<float>(static_cast<long double>(perMm) * factor * 10);
    if (!truncated(dots))
        return std::nullopt;
    return dots;
}

std::optional<DotSize> trueSize(float horzRes, float horzSizeMm, double factorX, float vertRes,
                                float vertSizeMm, double factorY) {
    const auto across = trueSizeDots(horzRes, horzSizeMm, factorX);
    const auto down = trueSizeDots(vertRes, vertSizeMm, factorY);
    if (!across || !down)
        return std::nullopt;
    return DotSize{*across, *down, *truncated(*across), *truncated(*down)};
}

std::optional<int> dotsPerCentimetre(float res, float sizeMm) {
    if (!(sizeMm > 0))
        return std::nullopt;
    const auto centimetres = static_cast<float>(static_cast<long double>(sizeMm) * 0.1L);
    return truncated(static_cast<float>(static_cast<long double>(res) / centimetres));
}
