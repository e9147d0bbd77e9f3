// The rate indicator round the aircraft symbol at (W/2, H/3): a roll arc
// over the top, pitch and yaw scales on two sides of a centre square, a
// hollow centre circle, and three pointers for pitch, yaw and roll rate
// that stand outside their scales with their tips toward the centre.
//
// The function here computes every call's coordinates; the page's
// DrawRateIndicator makes the calls, last in the repaint.
#pragma once

#include <array>
#include <cstdint>

#include "instruments/RoundDials.h"

namespace quorvel {

struct RateIndicatorGeometry {
    PixelBox rollArcBox;  // the Arc's box, raised by a pixel
    POINT rollArcStart;
    POINT rollArcEnd;
    std::array<POINT, 3> scaleLines;  // move to the first, lines to the others
    PixelBox centreCircle;
    std::array<POINT, 3> pitchPointer;
    std::array<POINT, 3> yawPointer;
    std::array<POINT, 3> rollPointer;
};

// Rates in degrees per second; pitch is clamped to +-10, yaw to +-20 and
// roll to +-30, and a rate that is not a number counts as 0.
RateIndicatorGeometry ComputeRateIndicator(std::uint32_t width, std::uint32_t height, std::uint32_t cellWidth,
                                           double pitchRate, double yawRate, double rollRate);

}  // namespace quorvel
