// The two round dials in the page's upper corners: equivalent airspeed on
// the left, altitude on the right. Each shows its value at the centre, its
// rate in the line below, a ring of ten dots, a pointer that turns with the
// value and a thick rate arc outside the ring.
//
// Angles are degrees. Dial angles start at 12 o'clock and run clockwise;
// rate-arc angles start at 9 o'clock, positive sweeping clockwise over the
// top, negative counter-clockwise under the bottom, at most 180 either way.
// The functions here compute; the page's Draw steps turn the results into
// GDI calls.
#pragma once

#include <array>
#include <cstdint>

#include "plugin/MfdText.h"

namespace quorvel {

class FlightData;

struct PixelBox {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    bool operator==(const PixelBox&) const = default;
};

// The ten dots' ellipse boxes, from 12 o'clock clockwise: half-away
// rounding of the ring points, a half-size of cellHeight / 4.
std::array<PixelBox, 10> DotRingBoxes(std::int32_t cx, std::int32_t cy, std::int32_t radius,
                                      std::uint32_t cellHeight);

// The pointer triangle: base corners on radius 3R/4 at angle -5 and +5
// degrees, tip on the ring; nearest-even rounding.
std::array<POINT, 3> DialPointerPoints(std::int32_t cx, std::int32_t cy, std::int32_t radius, float angle);

// The Arc call of a rate arc: its box, start and end points, and whether
// it is drawn in the up pen (rate above 0) or the down pen. An angle that
// is not a number counts as 0.
struct RateArcCall {
    bool up;
    PixelBox box;
    POINT start;
    POINT end;
};
RateArcCall RateArcFor(std::int32_t cx, std::int32_t cy, std::int32_t radius, float angle);

// What a dial shows for the page's size and flight data.
struct DialReading {
    std::int32_t cx;
    std::int32_t cy;
    std::int32_t radius;      // of the dot ring and the pointer; the arc is 2 further out
    CursorPixel valueText;
    CursorPixel rateText;
    double value;             // printed at the centre
    float rate;               // printed below it (after clamping)
    float arcAngle;
    float pointerAngle;
};

DialReading ReadAirspeedDial(const FlightData& data, std::uint32_t width, std::uint32_t height,
                             std::uint32_t cellWidth, std::uint32_t cellHeight);
DialReading ReadAltitudeDial(const FlightData& data, std::uint32_t width, std::uint32_t height,
                             std::uint32_t cellWidth, std::uint32_t cellHeight);

inline constexpr COLORREF kDialValueInk = 0xC0C0C0;
inline constexpr COLORREF kDialRateInk = 0x808080;

}  // namespace quorvel
