#include "module/drawing/PixelRounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

// value must already be whole (or not finite).
std::int32_t SaturateWhole(double value) {
    if (!std::isfinite(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace

float ToSingle(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    // Half a unit in the last place of the largest float: from there on
    // IEEE rounding gives infinity.
    constexpr double kOverflow = kMax + 0x1p103;
    if (value >= kOverflow) return std::numeric_limits<float>::infinity();
    if (value <= -kOverflow) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

double RoundToDecimals(double value, int digits) {
    double t = value * std::pow(10.0, digits + 1);
    t = value < 0 ? t - 5 : t + 5;
    t = std::trunc(t / 10);
    return t / std::pow(10.0, digits);
}

std::int32_t RoundHalfAway(double value) { return SaturateWhole(RoundToDecimals(value, 0)); }

std::int32_t RoundNearestEven(double value) {
    // The default rounding mode rounds halves to even.
    return SaturateWhole(std::nearbyint(static_cast<double>(ToSingle(value))));
}

std::int32_t Truncate(double value) { return SaturateWhole(std::trunc(value)); }

std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

float NumberOrZero(float value) { return std::isnan(value) ? 0.0f : value; }

}  // namespace quorvel
