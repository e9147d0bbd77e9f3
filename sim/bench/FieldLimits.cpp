#include "sim/bench/FieldLimits.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quorvel::sim {

bool InRange(double value, Range range) {
    const bool low = range.aboveMin ? value > range.min : value >= range.min;
    return low && value <= range.max;
}

std::string NumberText(double value) {
    char text[32];
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        std::snprintf(text, sizeof text, "%.0f", value);
        return text;
    }
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc{} ? std::string(text, end) : std::string("?");
}

std::string RangeText(Range range) {
    const bool low = std::isfinite(range.min), high = std::isfinite(range.max);
    if (low && high && !range.aboveMin) return NumberText(range.min) + " to " + NumberText(range.max);
    std::string text;
    if (low) text = (range.aboveMin ? "above " : "at least ") + NumberText(range.min);
    if (high) text += (low ? " and at most " : "at most ") + NumberText(range.max);
    return text;
}

}  // namespace quorvel::sim
