// The rate indicator round the aircraft symbol at (W/2, H/3): a roll arc
// over the top, pitch and yaw scales on two sides of a centre square, a
// hollow centre circle, and three pointers for pitch, yaw and roll rate
// that stand outside their scales with their tips toward the centre.
//
// ComputeRateIndicator computes every call's coordinates;
// DrawRateScalesAndPointers makes the calls, last in the repaint.
#pragma once

#include <array>
#include <cstdint>

#include "module/drawing/PageGeometry.h"
#include "platform/Win32.h"

namespace quorvel {

// Degrees per second; pitch is clamped to +-10, yaw to +-20 and roll to
// +-30, and a rate that is not a number counts as 0.
struct BodyRates {
    double pitch;
    double yaw;  // positive to the right
    double roll;
};

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

RateIndicatorGeometry ComputeRateIndicator(const PageGeometry& page, const BodyRates& rates);

// The pens and brush it draws with; selected, never deleted. The scales
// are drawn with the stock hollow brush.
struct RateIndicatorPens {
    HPEN scale;
    HPEN pointer;
    HBRUSH pointerBrush;
};

// The roll arc, the scale lines and the centre circle, then the pitch,
// yaw and roll pointers.
void DrawRateScalesAndPointers(HDC hdc, const RateIndicatorGeometry& g, const RateIndicatorPens& pens);

}  // namespace quorvel
