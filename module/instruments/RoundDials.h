// The two round dials in the page's upper corners: equivalent airspeed on
// the left, altitude on the right. Each shows its value at the centre, its
// rate in the line below, a ring of ten dots, a pointer that turns with the
// value and a thick rate arc outside the ring.
//
// Angles are degrees. Dial angles start at 12 o'clock and run clockwise;
// rate-arc angles start at 9 o'clock, positive sweeping clockwise over the
// top, negative counter-clockwise under the bottom, at most 180 either way.
// The Read functions compute everything a dial shows; the Draw functions
// turn it into GDI calls.
#pragma once

#include <array>
#include <cstdint>

#include "module/drawing/MfdText.h"
#include "module/drawing/PageGeometry.h"
#include "platform/Win32.h"

namespace quorvel {

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

// What a dial shows for the page's size and the flight data it reads.
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
    RateArcCall arc;
    std::array<PixelBox, 10> dots;
    std::array<POINT, 3> pointer;
};

struct AirspeedDialInput {
    double eas;      // kt, equivalent airspeed
    double easRate;  // kt/s
};

struct AltitudeDialInput {
    double altitudeFt;
    double verticalSpeedFpm;
};

DialReading ReadAirspeedDial(const AirspeedDialInput& input, const PageGeometry& page);
DialReading ReadAltitudeDial(const AltitudeDialInput& input, const PageGeometry& page);

// The pens and brushes a dial draws with; selected, never deleted.
struct DialPens {
    HPEN rateUp;
    HPEN rateDown;
    HPEN scale;
    HBRUSH scaleBrush;
    HPEN pointer;
    HBRUSH pointerBrush;
};

// The texts, the rate arc, the dot ring and the pointer, in that order.
// The airspeed dial prints "%3.0f" and "%+2.0f", the altitude dial
// "%6.0f" and "%+5.0f".
void DrawAirspeedReading(HDC hdc, const DialReading& dial, const DialPens& pens);
void DrawAltitudeReading(HDC hdc, const DialReading& dial, const DialPens& pens);

}  // namespace quorvel
